#include "colour_slots.h"

#include <optional>
#include <utility>
#include <vector>

#include "platform/messages.h"
#include "profile/profile.h"

namespace orvex {

namespace {

constexpr const char* kOriginalPrefix = "Original Colors: ";
constexpr const char* kOptionNameKey = "OptionName";
constexpr const char* kOptionValueKey = "OptionValue";
// ReadINI returns at most this many characters; a value this long may have been cut.
constexpr std::size_t kLongestReadValue = 499;

std::string sectionNameFor(int index) {
    const std::string digits = "000" + std::to_string(index);
    return "VECTOR3-" + digits.substr(digits.size() - 3);
}

std::optional<std::string> selectedEntry(const FileListView& fileList) {
    const int index = fileList.ListIndex();
    if (index < 0 || fileList.ListCount() < 1 || index >= fileList.ListCount()) {
        return std::nullopt;
    }
    return fileList.List(index);
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

// The text as the file held it: the tool-tip without the prefix the load put in front.
std::string storedValueOf(const ColourSlot& slot) {
    const std::string prefix = kOriginalPrefix;
    if (slot.toolTipText.compare(0, prefix.size(), prefix) == 0) {
        return slot.toolTipText.substr(prefix.size());
    }
    return slot.toolTipText;
}

const char* describe(ColorTextError error) {
    switch (error) {
        case ColorTextError::TooFewPieces:
            return "it does not have three values separated by \",\"";
        case ColorTextError::NotANumber:
            return "one of its values is not a number";
        case ColorTextError::Overflow:
            return "one of its values is far too large";
        case ColorTextError::Negative:
            return "one of its values is negative";
        case ColorTextError::None:
            break;
    }
    return "";
}

std::string describeSlotFault(const ColourSlot& slot, const std::string& colourText,
                              ColorTextError error) {
    std::string where = slot.sectionName.empty() ? slot.optionName
                                                 : slot.sectionName + " (" + slot.optionName + ")";
    return where + ": \"" + colourText + "\": " + describe(error);
}

// The text a save writes: the file's own text while the slot still shows its
// colour, so that untouched values keep their form; otherwise six decimals.
std::string textToSave(const ColourSlot& slot) {
    const std::string stored = storedValueOf(slot);
    if (slot.originalFromFile && stored.size() < kLongestReadValue) {
        const ColorTextResult original =
            ColorFromText(withoutEveryOriginalPrefix(slot.toolTipText));
        if (original && original.colour == (slot.currentColour & kWhite)) {
            return stored;
        }
    }
    return ColorToText(slot.currentColour);
}

}  // namespace

ColourSlotTable::ColourSlotTable(FileSystem& fileSystem) : m_fileSystem(&fileSystem) {}

void ColourSlotTable::setSelectionHook(SelectionHook hook) {
    m_selectionHook = std::move(hook);
}

const ColourSlot& ColourSlotTable::slot(int index) const {
    return m_slots.at(index);
}

ColourSlot& ColourSlotTable::slot(int index) {
    return m_slots.at(index);
}

const std::string& ColourSlotTable::currentIniPath() const {
    return m_currentIniPath;
}

void ColourSlotTable::LoadSelectedFile(const FileListView& fileList) {
    const std::optional<std::string> entry = selectedEntry(fileList);
    if (!entry) {
        return;
    }
    if (m_selectionHook) {
        m_selectionHook(*entry);
    }
    m_currentIniPath = iniPathFor(fileList, *entry);
    LoadColorSlots();
}

void ColourSlotTable::LoadColorSlots() {
    std::vector<std::string> faults;
    {
        // An unreadable file fails every one of the 48 reads; say so once.
        ScopedRepeatSuppression oneMessagePerFault;
        for (int index = 0; index < kSlotCount; ++index) {
            ColourSlot& current = m_slots[index];
            current.sectionName = sectionNameFor(index);
            current.optionName = ReadINI(m_currentIniPath, current.sectionName, kOptionNameKey,
                                         "Bad Read", *m_fileSystem);
            const IniRead value = ReadINIEntry(m_currentIniPath, current.sectionName,
                                               kOptionValueKey, "1,1,1", *m_fileSystem);
            current.toolTipText = kOriginalPrefix + value.value;
            current.originalFromFile = value.fromFile;
            const std::string colourText = withoutEveryOriginalPrefix(current.toolTipText);
            const ColorTextResult colour = ColorFromText(colourText);
            if (colour) {
                current.currentColour = colour.colour;
            } else {
                faults.push_back(describeSlotFault(current, colourText, colour.error));
            }
        }
    }
    if (faults.empty()) {
        return;
    }
    std::string text = "Some colours in " + m_currentIniPath +
                       " could not be read. These options keep their previous colour:";
    for (const std::string& fault : faults) {
        text += "\n" + fault;
    }
    ShowMessage(text);
}

bool ColourSlotTable::SaveColorSlots(const FileListView& fileList) {
    const std::optional<std::string> entry = selectedEntry(fileList);
    if (!entry) {
        return false;
    }
    m_currentIniPath = iniPathFor(fileList, *entry);
    for (int index = 0; index < kSlotCount; ++index) {
        const ColourSlot& current = m_slots[index];
        if (current.sectionName.empty()) {
            // Never loaded: the slot names no section, and an empty one would be
            // written into the file's nameless section.
            return false;
        }
        const ProfileStatus status = WriteINI(m_currentIniPath, current.sectionName,
                                              kOptionValueKey, textToSave(current), *m_fileSystem);
        if (!status.ok) {
            std::string text =
                "The colours could not be saved to " + m_currentIniPath + ".\n" + status.reason;
            if (index > 0) {
                text += "\nOnly the first " + std::to_string(index) + " of " +
                        std::to_string(kSlotCount) + " colours were written.";
            }
            ShowMessage(text);
            return false;
        }
    }
    ShowMessage("INI file saved");
    return true;
}

void ColourSlotTable::RestoreOriginalColor(std::int16_t index) {
    if (index < 0 || index >= kLabelCount) {
        return;
    }
    ColourSlot& current = m_slots[index];
    const std::string colourText = withoutEveryOriginalPrefix(current.toolTipText);
    const ColorTextResult colour = ColorFromText(colourText);
    if (colour) {
        current.currentColour = colour.colour;
        return;
    }
    ShowMessage("The original colour could not be restored. The colour stays as it is.\n" +
                describeSlotFault(current, colourText, colour.error));
}

void ColourSlotTable::SetCurrentIniPathFromSelection(const FileListView& fileList) {
    const std::optional<std::string> entry = selectedEntry(fileList);
    if (entry) {
        m_currentIniPath = iniPathFor(fileList, *entry);
    }
}

}  // namespace orvex
