#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "colour/colour_values.h"
#include "platform/file_system.h"
#include "platform/status.h"

namespace orvex {

// What the slot table needs of the window's file list.
class FileListView {
  public:
    virtual ~FileListView() = default;
    virtual std::string Path() const = 0;  // folder, Windows form
    virtual int ListIndex() const = 0;     // -1 while nothing is selected
    virtual int ListCount() const = 0;
    virtual std::string List(int index) const = 0;  // file name without folder
};

// The selected entry's text, when 0 <= ListIndex() < ListCount().
std::optional<std::string> SelectedEntry(const FileListView& fileList);

// One label of the slot column. Index 24 belongs to no slot.
struct ColourSlot {
    std::string sectionName;                   // "VECTOR3-000" .. "VECTOR3-023"
    std::string optionName = "Color Setting";  // the label's caption
    std::optional<std::string> storedText;     // "OptionValue" as the last load read it
    bool nameInFile = false;                   // "OptionName" was in the file at the load
    PackedColour colour = kWhite;              // the label's text colour
    bool edited = false;                       // given a colour since the load

    // "Original Colors: " and the stored text ("1,1,1" when the file had none).
    std::string toolTipText() const;
};

// The 24 colour options of one player options file while the user edits them. Every
// operation returns what the user must be told; the table shows nothing itself.
class ColourSlotTable {
  public:
    static constexpr int kSlotCount = 24;
    static constexpr int kLabelCount = 25;

    explicit ColourSlotTable(FileSystem& files);

    // Label `index`, 0..24; throws std::out_of_range for any other index.
    const ColourSlot& slot(int index) const;
    const std::string& currentIniPath() const { return m_currentIniPath; }

    // The list's selection handling after the character-name step: CurrentIniPath
    // (folder, "\", entry, joined as they are), then a load. Nothing without a
    // selection.
    UserMessages LoadSelectedFile(const FileListView& fileList);
    // Fills the 24 slots from one read of CurrentIniPath. A file that cannot be read
    // gives one message titled "ReadINI"; one that holds none of the 24 colour
    // sections (it is empty, or no options file) one naming it, and the slots the
    // designed defaults. Colour texts that cannot be read leave their slots' colours
    // as they were and are named in one message.
    UserMessages LoadColorSlots();
    // Writes, in one atomic replace, the slots that show another colour than the file
    // holds (fileColour), or were given one where that is unknown, and the slots whose
    // key the file lacks, as six-decimal texts; every other byte stays. "INI file saved" when the
    // file holds the colours shown; otherwise one message naming the file and the
    // reason, and the file as it was: so when the load could not read it or found
    // none of the colour sections, and when the save finds it gone, holding none of
    // them, or without options the load saw. Nothing, and no message, when no entry
    // is selected or no file was loaded yet.
    UserMessages SaveColorSlots(const FileListView& fileList);
    // Gives label `index` (0..24) the colour of its stored text; an index outside
    // that range is ignored. A text that cannot be read is reported and leaves the
    // colour as it is.
    UserMessages RestoreOriginalColor(std::int16_t index);
    // A click on label `index` (0..24): the label takes `colour`.
    void GiveColour(int index, PackedColour colour);
    // An undo or a redo: label `index` (0..24) back to a colour and edited flag it
    // held since the load.
    void SetColourState(int index, PackedColour colour, bool edited);
    // The colour slot `index` (0..23) has in the file as far as the table knows: what
    // its text read as at the load, or what the last save wrote; nothing when the
    // load read no colour for it. A save writes a slot that shows another colour, so
    // an undo after a save is written too.
    std::optional<PackedColour> fileColour(int index) const;
    // Another program wrote `colour` for slot `index` (nothing: no colour that reads).
    void NoteFileColour(int index, std::optional<PackedColour> colour);
    // A double-click on an instruction label: CurrentIniPath afresh when an entry is
    // selected.
    void SetCurrentIniPathFromSelection(const FileListView& fileList);

  private:
    // What the last load found: a save writes only over colours the user saw.
    enum class Loaded { Nothing, Colours, Unreadable, NoColours };

    FileSystem& m_files;
    std::array<ColourSlot, kLabelCount> m_slots{};
    std::array<std::optional<PackedColour>, kSlotCount> m_fileColours{};
    std::string m_currentIniPath;
    Loaded m_loaded = Loaded::Nothing;
};

}  // namespace orvex
