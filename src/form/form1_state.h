#pragma once

#include <string>
#include <string_view>

#include "colour/colour_slots.h"
#include "install/startup.h"
#include "platform/file_system.h"
#include "platform/status.h"

namespace orvex {

// "Color Sample Settings R:1 G:0.5 B:0": the fractions of `colour` as the sample
// box shows them, with the user's decimal separator.
std::string SampleText(PackedColour colour, std::string_view decimalSeparator);
// "Saved Color: R:0.78 G:0.78 B:0.78", likewise for the saved-colour box.
std::string SavedText(PackedColour colour, std::string_view decimalSeparator);

// The text and text colour of Text1 or txtSaved.
struct ColourBox {
    std::string text;
    PackedColour colour = kWhite;
};

// What Form1 holds and what each of its handled events does, for every toolkit.
// The toolkit calls one method per event, then shows what changed: the boxes, the
// character name, the slot labels (slotTable().slot(i)), and the messages returned,
// in order.
class Form1State {
  public:
    explicit Form1State(FileSystem& files = HostFileSystem());

    // The load step's result, kept for the window's life. Its messages are the
    // caller's to show.
    void start(StartupState startup);

    const StartupState& startup() const { return m_startup; }
    const ColourSlotTable& slotTable() const { return m_table; }
    const std::string& characterName() const { return m_characterName; }
    const ColourBox& sample() const { return m_sample; }  // Text1
    const ColourBox& saved() const { return m_saved; }    // txtSaved
    PackedColour savedColour() const { return m_saved.colour; }

    // The pointer moved over the chart, or a button was released there; `pixel` is
    // the chart's pixel query at that point. -1 (off the chart, the pointer being
    // captured) changes nothing. True when the box changed.
    bool pointerMoved(PackedColour pixel, std::string_view decimalSeparator);
    bool buttonReleased(PackedColour pixel, std::string_view decimalSeparator);

    // Click on lblColors(index): the label takes the saved colour. Label 24 too,
    // though no save writes it.
    void slotClicked(int index);
    // Double-click on lblColors(index): the colour the file held. Indices other than
    // 0..24 are ignored by both.
    UserMessages slotDoubleClicked(int index);
    // Double-click on any Label1: CurrentIniPath afresh when an entry is selected.
    void instructionLabelDoubleClicked(const FileListView& fileList);

    // The file list's selection changed: the character name, then the load. Nothing
    // while no entry is selected.
    UserMessages selectionChanged(const FileListView& fileList);
    // "Save Changes".
    UserMessages saveClicked(const FileListView& fileList);

  private:
    FileSystem& m_files;
    StartupState m_startup;
    ColourSlotTable m_table;
    std::string m_characterName;
    ColourBox m_sample;
    ColourBox m_saved;
};

}  // namespace orvex
