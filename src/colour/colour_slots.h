#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "colour_values.h"
#include "platform/file_system.h"

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

// One label of the slot column. Index 24 belongs to no slot.
struct ColourSlot {
    std::string sectionName;                             // "VECTOR3-000" .. "VECTOR3-023"
    std::string optionName = "Color Setting";            // the label's caption
    std::string toolTipText = "Original Colors: 1,1,1";  // the text the file held
    PackedColor currentColour = kWhite;                  // what a save writes
    bool originalFromFile = false;                       // the original text was read from the file
};

// The 24 colour options of one player options file while the user edits them.
class ColourSlotTable {
  public:
    static constexpr int kSlotCount = 24;
    static constexpr int kLabelCount = 25;

    // Loads and saves through `fileSystem`, which must outlive the table.
    explicit ColourSlotTable(FileSystem& fileSystem = HostFileSystem());

    // Runs with the selected entry's text before a load (the character-name step).
    using SelectionHook = std::function<void(const std::string& entryText)>;
    void setSelectionHook(SelectionHook hook);

    // Label `index`, 0..24; throws std::out_of_range for any other index.
    const ColourSlot& slot(int index) const;
    ColourSlot& slot(int index);
    const std::string& currentIniPath() const;

    // An entry counts as selected when 0 <= ListIndex() < ListCount().

    // The list's selection handling: character name, CurrentIniPath (folder, "\",
    // entry, joined as they are), then a load. Nothing happens without a selection.
    void LoadSelectedFile(const FileListView& fileList);
    // Fills the 24 slots from CurrentIniPath. A colour text that cannot be read
    // leaves that slot's colour as it was; one message per load names them all.
    // Read failures of the file are reported once per load, not once per key.
    void LoadColorSlots();
    // Writes the 24 colours; "INI file saved" only when every write succeeded,
    // otherwise one message naming the file and the reason (the writes stop at the
    // first failure). A slot still showing the colour of the text its file held
    // is written back with that very text; others in the six-decimal form.
    // Returns success; false without a message when nothing is selected or the
    // table was never loaded.
    bool SaveColorSlots(const FileListView& fileList);
    // Gives label `index` (0..24) the colour of its original colour text; an index
    // outside that range is ignored. A text that cannot be read is reported and
    // leaves the colour as it is.
    void RestoreOriginalColor(std::int16_t index);
    // A double-click on an instruction label: CurrentIniPath afresh when an entry
    // is selected.
    void SetCurrentIniPathFromSelection(const FileListView& fileList);

  private:
    std::array<ColourSlot, kLabelCount> m_slots{};
    std::string m_currentIniPath;
    SelectionHook m_selectionHook;
    FileSystem* m_fileSystem;
};

}  // namespace orvex
