#include "colour/colour_slots.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "profile/profile.h"

namespace orvex {

namespace {

constexpr const char* kOriginalPrefix = "Original Colors: ";
constexpr const char* kOptionNameKey = "OptionName";
constexpr const char* kOptionValueKey = "OptionValue";

std::string sectionNameFor(int index) {
    const std::string digits = "000" + std::to_string(index);
    return "VECTOR3-" + digits.substr(digits.size() - 3);
}

// Joined as they are: a folder that ends in "\" gives two before the name.
std::string iniPathFor(const FileListView& fileList, const std::string& entry) {
    return fileList.Path() + "\\" + entry;
}

std::string withoutEveryOriginalPrefix(std::string text) {
    const std::string prefix = kOriginalPrefix;
    for (std::size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at)) {
        text.erase(at, prefix.size());
    }
    return text;
}

std::string describeSlotFault(const ColourSlot& slot, const std::string& colourText,
                              ColourTextError error) {
    std::string where = slot.sectionName.empty() ? slot.optionName
                                                 : slot.sectionName + " (" + slot.optionName + ")";
    return where + ": \"" + colourText + "\": " + ColourTextFault(error);
}

// The colour text the slot's tool-tip holds, read as a restore reads it.
ColourTextResult originalColourOf(const ColourSlot& slot) {
    return ColorFromText(withoutEveryOriginalPrefix(slot.toolTipText()));
}

// A save leaves a value alone unless the user changed what it reads as, so that an
// untouched value never drifts, whatever form the file gave it. `held` is the colour
// the file holds as far as the table knows; unknown, only an edit is written.
bool needsWriting(const ColourSlot& slot, std::optional<PackedColour> held) {
    if (!slot.storedText) {
        return true;
    }
    return held ? *held != (slot.colour & kWhite) : slot.edited;
}

// What a save writes for `slot`, and what of it the file must still hold: its section
// or another slot's, and its keys the load saw.
bool planSave(const ColourSlot& slot, std::optional<PackedColour> held,
              std::vector<IniEdit>& writes, IniGuard& guard) {
    const bool write = needsWriting(slot, held);
    if (write) {
        writes.push_back({slot.sectionName, kOptionValueKey, ColorToText(slot.colour)});
    }
    guard.sections.push_back(slot.sectionName);
    if (slot.nameInFile) {
        guard.keys.push_back({slot.sectionName, kOptionNameKey});
    }
    if (slot.storedText) {
        guard.keys.push_back({slot.sectionName, kOptionValueKey});
    }
    return write;
}

std::vector<IniRequest> loadRequests() {
    std::vector<IniRequest> requests;
    for (int index = 0; index < ColourSlotTable::kSlotCount; ++index) {
        requests.push_back({sectionNameFor(index), kOptionNameKey, "Bad Read"});
        requests.push_back({sectionNameFor(index), kOptionValueKey, "1,1,1"});
    }
    return requests;
}

// Gives slot `index` what the load read; the description of its colour text when
// that cannot be read (the slot then keeps its colour).
std::optional<std::string> fillSlot(ColourSlot& slot, int index, IniEntry name, IniEntry value) {
    slot.sectionName = sectionNameFor(index);
    slot.optionName = std::move(name.text);
    slot.nameInFile = name.fromFile;
    slot.storedText = value.fromFile ? std::optional(std::move(value.text)) : std::nullopt;
    slot.edited = false;
    const ColourTextResult colour = originalColourOf(slot);
    if (!colour) {
        return describeSlotFault(slot, withoutEveryOriginalPrefix(slot.toolTipText()),
                                 colour.error);
    }
    slot.colour = colour.colour;
    return std::nullopt;
}

UserMessage unreadableColours(const std::string& path, const std::vector<std::string>& faults) {
    std::string text =
        "Some colours in " + path + " could not be read. These options keep their previous colour:";
    for (const std::string& fault : faults) {
        text += "\n" + fault;
    }
    return {text, {}};
}

UserMessage saveFailure(const std::string& path, const std::string& reason) {
    return {"The colours could not be saved to " + path + ".\n" + reason, {}};
}

constexpr const char* kSelectAgain =
    " It was left as it is; select it again to load it as it is now.";

// Why a save was refused, in words; the facts come from the profile service.
std::string refusalText(const Status& status) {
    switch (status.kind) {
        case Status::Kind::Vanished:
            return "The file is gone (" + status.reason +
                   "). It was not created anew, which would lose the game's other settings in it.";
        case Status::Kind::Unrecognised:
            return std::string(
                       "It holds none of the 24 colour options now (it is empty or not a "
                       "player options file), perhaps because the game is rewriting it.") +
                   kSelectAgain;
        case Status::Kind::Changed:
            return "It has changed since it was loaded (" + status.reason +
                   " gone), perhaps because the game is rewriting it." + kSelectAgain;
        case Status::Kind::None:
        case Status::Kind::Failed:
            break;
    }
    return status.reason;
}

}  // namespace

std::optional<std::string> SelectedEntry(const FileListView& fileList) {
    const int index = fileList.ListIndex();
    if (index < 0 || fileList.ListCount() < 1 || index >= fileList.ListCount()) {
        return std::nullopt;
    }
    return fileList.List(index);
}

std::string ColourSlot::toolTipText() const {
    return kOriginalPrefix + storedText.value_or("1,1,1");
}

ColourSlotTable::ColourSlotTable(FileSystem& files) : m_files(files) {}

const ColourSlot& ColourSlotTable::slot(int index) const {
    return m_slots.at(static_cast<std::size_t>(index));
}

UserMessages ColourSlotTable::LoadSelectedFile(const FileListView& fileList) {
    const std::optional<std::string> entry = SelectedEntry(fileList);
    if (!entry) {
        return {};
    }
    m_currentIniPath = iniPathFor(fileList, *entry);
    return LoadColorSlots();
}

UserMessages ColourSlotTable::LoadColorSlots() {
    Result<std::vector<IniEntry>> read = ReadINIEntries(m_currentIniPath, loadRequests(), m_files);
    std::vector<IniEntry>& entries = read.value;
    UserMessages messages;
    m_loaded = Loaded::Colours;
    if (!read.status) {
        messages.push_back({read.status.reason, "ReadINI"});
        m_loaded = Loaded::Unreadable;
    } else if (std::none_of(entries.begin(), entries.end(),
                            [](const IniEntry& entry) { return entry.sectionFound; })) {
        messages.push_back({m_currentIniPath +
                                " holds none of the 24 colour options (it is empty or not a "
                                "player options file).",
                            {}});
        m_loaded = Loaded::NoColours;
    }
    std::vector<std::string> faults;
    for (int index = 0; index < kSlotCount; ++index) {
        const auto at = static_cast<std::size_t>(2 * index);
        ColourSlot& slot = m_slots[static_cast<std::size_t>(index)];
        std::optional<std::string> fault =
            fillSlot(slot, index, std::move(entries[at]), std::move(entries[at + 1]));
        m_fileColours[static_cast<std::size_t>(index)] =
            fault || !slot.storedText ? std::nullopt : std::optional(slot.colour);
        if (fault) {
            faults.push_back(std::move(*fault));
        }
    }
    if (!faults.empty()) {
        messages.push_back(unreadableColours(m_currentIniPath, faults));
    }
    return messages;
}

UserMessages ColourSlotTable::SaveColorSlots(const FileListView& fileList) {
    const std::optional<std::string> entry = SelectedEntry(fileList);
    if (!entry || m_loaded == Loaded::Nothing) {
        return {};
    }
    m_currentIniPath = iniPathFor(fileList, *entry);
    // After these loads the slots hold defaults, not the file's colours: writing them
    // would replace colours the user never saw, or fill a file caught empty.
    if (m_loaded == Loaded::Unreadable) {
        return {saveFailure(m_currentIniPath,
                            "The file could not be read when it was loaded; select it again.")};
    }
    if (m_loaded == Loaded::NoColours) {
        return {saveFailure(m_currentIniPath,
                            "It held none of the 24 colour options when it was loaded; select it "
                            "again.")};
    }
    std::vector<IniEdit> writes;
    IniGuard guard;
    std::vector<std::size_t> written;
    for (std::size_t at = 0; at < kSlotCount; ++at) {
        if (planSave(m_slots[at], m_fileColours[at], writes, guard)) {
            written.push_back(at);
        }
    }
    const Status status = WriteINIValues(m_currentIniPath, writes, guard, m_files);
    if (!status) {
        return {saveFailure(m_currentIniPath, refusalText(status))};
    }
    for (const std::size_t at : written) {
        m_fileColours[at] = m_slots[at].colour & kWhite;
    }
    return {{"INI file saved", {}}};
}

UserMessages ColourSlotTable::RestoreOriginalColor(std::int16_t index) {
    if (index < 0 || index >= kLabelCount) {
        return {};
    }
    ColourSlot& current = m_slots[static_cast<std::size_t>(index)];
    const ColourTextResult colour = originalColourOf(current);
    if (!colour) {
        return {{"The original colour could not be restored. The colour stays as it is.\n" +
                     describeSlotFault(current, withoutEveryOriginalPrefix(current.toolTipText()),
                                       colour.error),
                 {}}};
    }
    current.colour = colour.colour;
    current.edited = false;
    return {};
}

void ColourSlotTable::GiveColour(int index, PackedColour colour) {
    ColourSlot& current = m_slots.at(static_cast<std::size_t>(index));
    current.colour = colour;
    current.edited = true;
}

void ColourSlotTable::SetColourState(int index, PackedColour colour, bool edited) {
    ColourSlot& current = m_slots.at(static_cast<std::size_t>(index));
    current.colour = colour;
    current.edited = edited;
}

std::optional<PackedColour> ColourSlotTable::fileColour(int index) const {
    return m_fileColours.at(static_cast<std::size_t>(index));
}

void ColourSlotTable::NoteFileColour(int index, std::optional<PackedColour> colour) {
    m_fileColours.at(static_cast<std::size_t>(index)) = colour;
}

void ColourSlotTable::SetCurrentIniPathFromSelection(const FileListView& fileList) {
    if (const std::optional<std::string> entry = SelectedEntry(fileList)) {
        m_currentIniPath = iniPathFor(fileList, *entry);
    }
}

}  // namespace orvex
