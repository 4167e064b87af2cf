#include "form/form1_state.h"

#include <cstdint>
#include <utility>

#include "form/form1_controls.h"
#include "profile/character_names.h"

namespace orvex {

namespace {

std::string fractionsText(std::string_view prefix, PackedColour colour,
                          std::string_view separator) {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    GetRGBfromPoint(colour, red, green, blue);
    return std::string(prefix) + FractionText(Color255to1(red), separator) +
           " G:" + FractionText(Color255to1(green), separator) +
           " B:" + FractionText(Color255to1(blue), separator);
}

ColourBox designedBox(std::string_view name) {
    const Control* box = FindControl(name);
    return {std::string(box->text), box->foreground.value_or(kWhite)};
}

}  // namespace

std::string SampleText(PackedColour colour, std::string_view decimalSeparator) {
    return fractionsText("Color Sample Settings R:", colour, decimalSeparator);
}

std::string SavedText(PackedColour colour, std::string_view decimalSeparator) {
    return fractionsText("Saved Color: R:", colour, decimalSeparator);
}

Form1State::Form1State(FileSystem& files)
    : m_files(files),
      m_table(files),
      m_sample(designedBox("Text1")),
      m_saved(designedBox("txtSaved")) {}

void Form1State::start(StartupState startup) {
    m_startup = std::move(startup);
}

bool Form1State::pointerMoved(PackedColour pixel, std::string_view decimalSeparator) {
    if (pixel < 0) {
        return false;
    }
    m_sample = {SampleText(pixel, decimalSeparator), pixel};
    return true;
}

bool Form1State::buttonReleased(PackedColour pixel, std::string_view decimalSeparator) {
    if (pixel < 0) {
        return false;
    }
    m_saved = {SavedText(pixel, decimalSeparator), pixel};
    return true;
}

void Form1State::slotClicked(int index) {
    if (index >= 0 && index < ColourSlotTable::kLabelCount) {
        m_table.GiveColour(index, m_saved.colour);
    }
}

UserMessages Form1State::slotDoubleClicked(int index) {
    if (index < 0 || index >= ColourSlotTable::kLabelCount) {
        return {};
    }
    return m_table.RestoreOriginalColor(static_cast<std::int16_t>(index));
}

void Form1State::instructionLabelDoubleClicked(const FileListView& fileList) {
    m_table.SetCurrentIniPathFromSelection(fileList);
}

UserMessages Form1State::selectionChanged(const FileListView& fileList) {
    const std::optional<std::string> entry = SelectedEntry(fileList);
    if (!entry) {
        return {};
    }
    Result<std::string> found =
        LookupCharacterName(*entry, m_startup.OutputFolder, m_startup.ShortcutSections, m_files);
    m_characterName = std::move(found.value);
    UserMessages messages;
    if (!found.status) {
        messages.push_back({found.status.reason, "ReadINI"});
    }
    const UserMessages loaded = m_table.LoadSelectedFile(fileList);
    messages.insert(messages.end(), loaded.begin(), loaded.end());
    return messages;
}

UserMessages Form1State::saveClicked(const FileListView& fileList) {
    return m_table.SaveColorSlots(fileList);
}

}  // namespace orvex
