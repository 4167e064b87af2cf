#include "form/form1_controller.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "form/drawn_pictures.h"
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
      m_chart(DrawnChart()),
      m_chartCross{kWheelCentreX, kWheelCentreY} {}

Form1Controller::Form1Controller(Host& host, Form1Dialogs& dialogs) : Form1Controller(host) {
    m_dialogs = &dialogs;
}

bool Form1Controller::hasUnsavedEdits() const {
    if (!selectedEntry()) {
        return false;
    }
    for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
        if (slotUnsaved(slot)) {
            return true;
        }
    }
    return false;
}

// What the next save would write for it, unless the file lacks its key.
bool Form1Controller::slotUnsaved(int slot) const {
    const std::optional<PackedColour> held = m_table.fileColour(slot);
    return held ? *held != (m_table.slot(slot).colour & kWhite) : m_table.slot(slot).edited;
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

// A dialog's modal loop keeps the window's timer running: an event that arrives while
// the controller waits for an answer would act on a state half changed, so it is
// dropped.
Update Form1Controller::handle(const ControlEvent& event, std::string_view decimalSeparator) {
    if (m_handling) {
        return {};
    }
    struct Handling {
        bool& flag;
        explicit Handling(bool& handling) : flag(handling) { flag = true; }
        ~Handling() { flag = false; }
    } handling(m_handling);
    const unsigned commandsBefore = enabledCommands();
    const std::string noticeBefore = m_notice;
    Update update = dispatch(event, decimalSeparator);
    if (enabledCommands() != commandsBefore) {
        update.changed |= kMenusPart;
    }
    if (m_notice != noticeBefore) {
        update.changed |= kNoticePart;
    }
    return fitted(std::move(update));
}

Update Form1Controller::dispatch(const ControlEvent& event, std::string_view decimalSeparator) {
    if (event.kind == EventKind::Command) {
        return command(event, decimalSeparator);
    }
    switch (event.role) {
        case Role::FileList:
            return event.kind == EventKind::Selected ? fileSelected(event.index) : Update{};
        case Role::ColourChart:
            return chartEvent(event, decimalSeparator);
        case Role::SlotLabel:
            return slotEvent(event);
        case Role::SlotColumn:
            return event.kind == EventKind::KeyPressed ? slotColumnKey(event) : Update{};
        case Role::SavedBox:
            return savedBoxEvent(event, decimalSeparator);
        case Role::SaveButton:
            return event.kind == EventKind::Click ? save() : Update{};
        case Role::Window:
            return event.kind == EventKind::CloseRequested ? close()
                   : event.kind == EventKind::Tick         ? tick()
                                                           : Update{};
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

// Cancelled, the window shows the selection it had again.
Update Form1Controller::fileSelected(int row) {
    if (row < 0 || row >= m_fileList.ListCount() || row == m_fileList.ListIndex()) {
        return {};
    }
    Update update{kFileListPart, {}};
    if (editsSettled(update)) {
        m_fileList.select(row);
        loadSelection(update);
    }
    return update;
}

// The character name first, then the load; the bytes are read before it, so that a
// change made during the load is noticed at the next tick.
void Form1Controller::loadSelection(Update& update) {
    update.changed |= kFileListPart | kCharacterNamePart | kSlotsPart;
    Result<std::string> found = LookupCharacterName(*selectedEntry(), m_startup.OutputFolder,
                                                    m_startup.ShortcutSections, m_host.files());
    m_characterName = std::move(found.value);
    if (!found.status) {
        update.messages.push_back({found.status.reason, "ReadINI"});
    }
    m_seenBytes = selectedFileBytes();
    update.tell(m_table.LoadSelectedFile(m_fileList));
    m_history.clear();
    m_savedColours = {};
    m_notice.clear();
}

// Points off the chart (-1, the pointer being captured) change nothing.
Update Form1Controller::chartEvent(const ControlEvent& event, std::string_view decimalSeparator) {
    if (event.kind == EventKind::KeyPressed) {
        return chartKey(event, decimalSeparator);
    }
    if (event.pixel < 0) {
        return {};
    }
    if (event.kind == EventKind::PointerMoved) {
        m_sample = {SampleText(event.pixel, decimalSeparator), event.pixel};
        return {kSamplePart, {}};
    }
    if (event.kind == EventKind::ButtonReleased) {
        m_saved = {SavedText(event.pixel, decimalSeparator), event.pixel};
        if (!event.at) {
            return {kSavedPart, {}};
        }
        m_chartCross = *event.at;
        return {kSavedPart | kChartCrossPart, {}};
    }
    return {};
}

// The keyboard's cross samples as the pointer does: arrows move it, Enter or Space
// release there.
Update Form1Controller::chartKey(const ControlEvent& event, std::string_view decimalSeparator) {
    const int step = event.shift ? 10 : 1;
    ChartPoint cross = m_chartCross;
    switch (event.key) {
        case Key::Left:
            cross.x -= step;
            break;
        case Key::Right:
            cross.x += step;
            break;
        case Key::Up:
            cross.y -= step;
            break;
        case Key::Down:
            cross.y += step;
            break;
        case Key::Enter:
        case Key::Space:
            return chartEvent({Role::ColourChart, EventKind::ButtonReleased, -1,
                               PixelQuery(m_chart, m_chartCross.x, m_chartCross.y)},
                              decimalSeparator);
        default:
            return {};
    }
    m_chartCross = {std::clamp(cross.x, 0, kChartWidth - 1),
                    std::clamp(cross.y, 0, kChartHeight - 1)};
    Update update = chartEvent({Role::ColourChart, EventKind::PointerMoved, -1,
                                PixelQuery(m_chart, m_chartCross.x, m_chartCross.y)},
                               decimalSeparator);
    update.changed |= kChartCrossPart;
    return update;
}

// A click gives the saved colour (label 24 too, though no save writes it); a
// double-click brings back the colour the file held.
Update Form1Controller::slotEvent(const ControlEvent& event) {
    if (event.index < 0 || event.index >= ColourSlotTable::kLabelCount) {
        return {};
    }
    switch (event.kind) {
        case EventKind::Click:
            return giveColours({{event.index, m_saved.colour}});
        case EventKind::DoubleClick:
            return restoreColours({event.index});
        case EventKind::ContextMenu:
            return openSlotMenu(event.index);
        default:
            return {};
    }
}

Update Form1Controller::slotColumnKey(const ControlEvent& event) {
    switch (event.key) {
        case Key::Up:
            return moveSlotFocus(m_focusedSlot - 1);
        case Key::Down:
            return moveSlotFocus(m_focusedSlot + 1);
        case Key::Home:
            return moveSlotFocus(0);
        case Key::End:
            return moveSlotFocus(ColourSlotTable::kSlotCount - 1);
        case Key::Enter:
        case Key::Space:
            return giveColours({{m_focusedSlot, m_saved.colour}});
        case Key::Delete:
        case Key::Backspace:
            return restoreColours({m_focusedSlot});
        case Key::ContextMenu:
            return openSlotMenu(m_focusedSlot);
        default:
            return {};
    }
}

Update Form1Controller::moveSlotFocus(int slot) {
    m_focusedSlot = std::clamp(slot, 0, ColourSlotTable::kSlotCount - 1);
    return {kSlotFocusPart, {}};
}

// Only the 24 options have a menu: the spare label has no file colour.
Update Form1Controller::openSlotMenu(int slot) {
    if (slot < 0 || slot >= ColourSlotTable::kSlotCount) {
        return {};
    }
    Update update = moveSlotFocus(slot);
    update.slotMenu = slot;
    return update;
}

Update Form1Controller::savedBoxEvent(const ControlEvent& event,
                                      std::string_view decimalSeparator) {
    const bool enter = event.kind == EventKind::KeyPressed && event.key == Key::Enter;
    return enter || event.kind == EventKind::DoubleClick ? chooseSavedColour(decimalSeparator)
                                                         : Update{};
}

// One undo step for whatever the action changed.
Update Form1Controller::giveColours(const std::vector<std::pair<int, PackedColour>>& colours) {
    const SlotStates before = StatesOf(m_table);
    for (const auto& [label, colour] : colours) {
        m_table.GiveColour(label, colour);
    }
    m_history.record(before, m_table);
    return {kSlotsPart, {}};
}

Update Form1Controller::restoreColours(const std::vector<int>& labels) {
    const SlotStates before = StatesOf(m_table);
    Update update{kSlotsPart, {}};
    for (const int label : labels) {
        update.tell(m_table.RestoreOriginalColor(static_cast<std::int16_t>(label)));
    }
    m_history.record(before, m_table);
    return update;
}

}  // namespace orvex
