#include "form/form1_controller.h"

#include <cstdint>
#include <utility>

#include "form/messages.h"
#include "platform/windows_path.h"
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

ColourBox designedBox(Role role) {
    const Control* box = FindControl(role);
    return {std::string(box->text), box->foreground.value_or(kWhite)};
}

void append(UserMessages& to, const UserMessages& messages) {
    to.insert(to.end(), messages.begin(), messages.end());
}

// Every message as a box must show it, whoever composed it.
Update fitted(Update update) {
    for (UserMessage& message : update.messages) {
        message = AsShown(std::move(message));
    }
    return update;
}

}  // namespace

std::string SlotAccessibleName(const ColourSlot& slot) {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    GetRGBfromPoint(slot.colour, red, green, blue);
    return slot.optionName + ", red " + std::to_string(red) + " green " + std::to_string(green) +
           " blue " + std::to_string(blue);
}

std::string SampleText(PackedColour colour, std::string_view decimalSeparator) {
    return fractionsText("Color Sample Settings R:", colour, decimalSeparator);
}

std::string SavedText(PackedColour colour, std::string_view decimalSeparator) {
    return fractionsText("Saved Color: R:", colour, decimalSeparator);
}

bool Update::shows(const Control& control) const {
    switch (control.role) {
        case Role::FileList:
            return has(kFileListPart);
        case Role::CharacterName:
            return has(kCharacterNamePart);
        case Role::SlotLabel:
            return has(kSlotsPart);
        case Role::SampleBox:
            return has(kSamplePart);
        case Role::SavedBox:
            return has(kSavedPart);
        case Role::ColourChart:
            return has(kChartCrossPart);
        case Role::SlotColumn:  // its frame, and its name for screen readers
            return has(kSlotFocusPart) || has(kSlotsPart);
        default:
            return false;
    }
}

std::optional<ControlEvent> LabelClicks::feed(Input input, const Control* label) {
    if (input != Release) {
        m_pressed = label;
        m_endingDoubleClick = input == DoubleClick;
        return m_endingDoubleClick && label
                   ? ControlEvent{label->role, EventKind::DoubleClick, label->index}
                   : std::optional<ControlEvent>();
    }
    const Control* pressed = std::exchange(m_pressed, nullptr);
    if (std::exchange(m_endingDoubleClick, false) || !pressed || label != pressed) {
        return std::nullopt;
    }
    return ControlEvent{label->role, EventKind::Click, label->index};
}

InstallFound SystemHost::findInstall() {
    InstallFound found = FindInstallOnThisMachine(m_environment);
    if (!found.WinePrefix.empty()) {
        m_files.setWinePrefix(found.WinePrefix);
    }
    return found;
}

// The dialogs member is made before the pointer to it is taken.
Form1Controller::Form1Controller(Host& host)
    : m_host(host),
      m_dialogs(&m_noDialogs),
      m_table(host.files()),
      m_sample(designedBox(Role::SampleBox)),
      m_saved(designedBox(Role::SavedBox)),
      m_chart(ColourChartPicture()),
      m_chartCross{kWheelCentreX, kWheelCentreY} {
    m_fileColours.fill(kWhite);
}

Form1Controller::Form1Controller(Host& host, Form1Dialogs& dialogs) : Form1Controller(host) {
    m_dialogs = &dialogs;
}

bool Form1Controller::hasUnsavedEdits() const {
    for (int index = 0; index < ColourSlotTable::kSlotCount; ++index) {
        if (m_table.slot(index).colour != m_fileColours[static_cast<std::size_t>(index)]) {
            return true;
        }
    }
    return false;
}

ChartPoint Form1Controller::chartCross() const {
    return m_chartCross;
}

int Form1Controller::focusedSlot() const {
    return m_focusedSlot;
}

const std::string& Form1Controller::notice() const {
    return m_notice;
}

bool Form1Controller::enabled(Command command) const {
    return (enabledCommands() & (1u << static_cast<unsigned>(command))) != 0;
}

// One bit per command, so that an event can tell whether the menus changed.
unsigned Form1Controller::enabledCommands() const {
    const bool loaded = selectedEntry().has_value();
    unsigned bits = 0;
    for (unsigned at = 0; at <= static_cast<unsigned>(Command::ChooseColour); ++at) {
        switch (static_cast<Command>(at)) {
            case Command::Save:
            case Command::Reload:
            case Command::ExportScheme:
            case Command::ApplyToOthers:
            case Command::RestoreAllFileColours:
            case Command::ImportScheme:
                bits |= loaded ? 1u << at : 0;
                break;
            case Command::Undo:
                bits |= m_history.canUndo() ? 1u << at : 0;
                break;
            case Command::Redo:
                bits |= m_history.canRedo() ? 1u << at : 0;
                break;
            default:
                bits |= 1u << at;
        }
    }
    return bits;
}

std::optional<std::string> Form1Controller::selectedEntry() const {
    return SelectedEntry(m_fileList);
}

std::string Form1Controller::accessibleName(const Control& control) const {
    switch (control.role) {
        case Role::SlotLabel:
            return SlotAccessibleName(m_table.slot(control.index));
        case Role::SlotColumn:
            return SlotAccessibleName(m_table.slot(m_focusedSlot));
        case Role::CharacterName:
            return m_characterName;
        case Role::FileList:
            return "Player options files";
        case Role::ColourChart:
            return "Colour chart";
        case Role::SampleBox:
            return "Sample colour";
        case Role::SavedBox:
            return "Saved colour";
        case Role::Texture:  // the backdrop of the option column
            return "Colour options";
        case Role::Instructions:
            return "Instructions";
        case Role::Window:
            return kApplicationTitle;
        default:
            return std::string(control.text);
    }
}

const ColourBox& Form1Controller::colourBox(const Control& box) const {
    return box.role == Role::SampleBox ? m_sample : m_saved;
}

// Slot labels show the slot table, lblName the character, the others their design.
LabelView Form1Controller::label(const Control& label) const {
    if (label.role == Role::SlotLabel) {
        const ColourSlot& slot = m_table.slot(label.index);
        return {slot.optionName, slot.colour, slot.toolTipText(), slot.sectionName};
    }
    const bool name = label.role == Role::CharacterName;
    return {name ? m_characterName : std::string(label.text), label.foreground, {}, {}};
}

Update Form1Controller::start(const std::vector<std::string>& arguments) {
    FileSystem& files = m_host.files();
    // The folder stays bytes, as every path in the core does.
    m_startup = arguments.empty() ? StartupFromInstall(m_host.findInstall(), files)
                                  : StartupForFolder(arguments.front(), files);
    Update update{kFileListPart, m_startup.messages};
    if (m_startup.folderMissing) {
        update.messages.push_back({"The folder " + arguments.front() +
                                       " does not exist. The list shows the files of " +
                                       FolderShownFor(CurrentFolder()) + " instead.",
                                   {}});
    }
    showOutputFolder(update);
    return fitted(std::move(update));
}

// A refusal to list the output folder is no failure: the list then shows the
// current folder.
void Form1Controller::showOutputFolder(Update& update) {
    FileSystem& files = m_host.files();
    if (!m_fileList.setFolder(m_startup.OutputFolder, files) &&
        !m_fileList.setFolder(CurrentFolder(), files)) {
        update.messages.push_back(
            {"No folder could be listed, not even " + FolderShownFor(CurrentFolder()) + ".", {}});
    }
}

Update Form1Controller::handle(const ControlEvent& event, std::string_view decimalSeparator) {
    switch (event.role) {
        case Role::FileList:
            return event.kind == EventKind::Selected ? fitted(fileSelected(event.index)) : Update{};
        case Role::ColourChart:
            return chartEvent(event, decimalSeparator);
        case Role::SlotLabel:
            return fitted(slotEvent(event));
        case Role::SaveButton:
            return event.kind == EventKind::Click ? fitted(save()) : Update{};
        case Role::Heading:
            // A double-click on any instruction label sets CurrentIniPath afresh.
            if (event.kind == EventKind::DoubleClick) {
                m_table.SetCurrentIniPathFromSelection(m_fileList);
            }
            return {};
        default:
            return {};
    }
}

// The character name first, then the load.
Update Form1Controller::fileSelected(int row) {
    if (!m_fileList.select(row)) {
        return {};
    }
    Update update{kFileListPart | kCharacterNamePart | kSlotsPart, {}};
    Result<std::string> found = LookupCharacterName(m_fileList.List(row), m_startup.OutputFolder,
                                                    m_startup.ShortcutSections, m_host.files());
    m_characterName = std::move(found.value);
    if (!found.status) {
        update.messages.push_back({found.status.reason, "ReadINI"});
    }
    append(update.messages, m_table.LoadSelectedFile(m_fileList));
    return update;
}

// Points off the chart (-1, the pointer being captured) change nothing.
Update Form1Controller::chartEvent(const ControlEvent& event, std::string_view decimalSeparator) {
    if (event.pixel < 0) {
        return {};
    }
    if (event.kind == EventKind::PointerMoved) {
        m_sample = {SampleText(event.pixel, decimalSeparator), event.pixel};
        return {kSamplePart, {}};
    }
    if (event.kind == EventKind::ButtonReleased) {
        m_saved = {SavedText(event.pixel, decimalSeparator), event.pixel};
        return {kSavedPart, {}};
    }
    return {};
}

// A click gives the saved colour (label 24 too, though no save writes it); a
// double-click brings back the colour the file held.
Update Form1Controller::slotEvent(const ControlEvent& event) {
    if (event.index < 0 || event.index >= ColourSlotTable::kLabelCount) {
        return {};
    }
    if (event.kind == EventKind::Click) {
        m_table.GiveColour(event.index, m_saved.colour);
        return {kSlotsPart, {}};
    }
    if (event.kind == EventKind::DoubleClick) {
        return {kSlotsPart, m_table.RestoreOriginalColor(static_cast<std::int16_t>(event.index))};
    }
    return {};
}

Update Form1Controller::save() {
    return {kSlotsPart, m_table.SaveColorSlots(m_fileList)};
}

}  // namespace orvex
