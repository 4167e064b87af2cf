#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "colour/colour_slots.h"
#include "form/edit_history.h"
#include "form/file_list_model.h"
#include "form/form1_commands.h"
#include "form/form1_controls.h"
#include "form/form1_dialogs.h"
#include "form/rgb_pictures.h"
#include "form/scheme.h"
#include "install/startup.h"
#include "platform/file_system.h"
#include "platform/status.h"
#include "platform/system_file_system.h"

namespace orvex {

// "Color Sample Settings R:1 G:0.5 B:0": the fractions of `colour` as the sample
// box shows them, with the user's decimal separator.
std::string SampleText(PackedColour colour, std::string_view decimalSeparator);
// "Saved Color: R:0.78 G:0.78 B:0.78", likewise for the saved-colour box.
std::string SavedText(PackedColour colour, std::string_view decimalSeparator);

// "Option 3, red 255 green 128 blue 0": a slot label as a screen reader says it.
std::string SlotAccessibleName(const ColourSlot& slot);

// The text and text colour of Text1 or txtSaved.
struct ColourBox {
    std::string text;
    PackedColour colour = kWhite;
};

// What the controller needs of the machine: its files and its registry.
class Host {
  public:
    virtual ~Host() = default;
    virtual FileSystem& files() = 0;
    // Looks for the installed game in the machine's registry. From then on files()
    // maps drive letters through the Wine prefix that answered, if one did.
    virtual InstallFound findInstall() = 0;
};

// The machine the program runs on; `environment` says where Wine prefixes may be.
class SystemHost : public Host {
  public:
    explicit SystemHost(PrefixSearchEnvironment environment = ProcessPrefixSearchEnvironment())
        : m_environment(std::move(environment)) {}

    FileSystem& files() override { return m_files; }
    InstallFound findInstall() override;

  private:
    PrefixSearchEnvironment m_environment;
    SystemFileSystem m_files;
};

// An event a window forwards: what happened to the control of `role` (`index` for
// the members of Label1 and lblColors; the row for a selection in the file list;
// `pixel` the chart's pixel query at the pointer, -1 off the chart).
//   KeyPressed    `key` (with `shift`) on the chart, the slot column or the saved box
//   ContextMenu   a right-click on slot label `index`
//   Command       `command` chosen from a menu (Role::Window); from the slot menu,
//                 `index` is the option it was opened on
//   CloseRequested  the user closes the window (Role::Window)
//   Tick          the file watch's timer, every kFileWatchMilliseconds (Role::Window)
enum class EventKind {
    Selected,
    Click,
    DoubleClick,
    PointerMoved,
    ButtonReleased,
    KeyPressed,
    ContextMenu,
    Command,
    CloseRequested,
    Tick,
};
// A point of the colour chart's picture (form/rgb_pictures.h), in its pixels.
struct ChartPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ChartPoint& other) const { return x == other.x && y == other.y; }
};

struct ControlEvent {
    Role role = Role::FileList;
    EventKind kind = EventKind::Click;
    int index = -1;
    PackedColour pixel = -1;
    Key key = Key::Enter;
    bool shift = false;
    Command command = Command::Save;
    // The chart's picture pixel under the pointer at a release, where the keyboard's
    // sampling cross then goes on from.
    std::optional<ChartPoint> at = std::nullopt;
};

// How often a window sends Tick while it is open.
inline constexpr int kFileWatchMilliseconds = 1000;

// What an event changed, for the window to draw again, and the messages it must
// then show, in order.
enum ChangedPart : unsigned {
    kFileListPart = 1u << 0,       // entries, selection or empty hint
    kCharacterNamePart = 1u << 1,  // lblName
    kSlotsPart = 1u << 2,          // the 25 slot labels
    kSamplePart = 1u << 3,         // Text1
    kSavedPart = 1u << 4,          // txtSaved
    kChartCrossPart = 1u << 5,     // Picture1's sampling cross
    kSlotFocusPart = 1u << 6,      // the slot column's focus frame
    kMenusPart = 1u << 7,          // which commands are enabled
    kNoticePart = 1u << 8,         // the notice below the client area
};
struct Update {
    Update() = default;
    Update(unsigned parts, UserMessages shown = {}) : changed(parts), messages(std::move(shown)) {}

    unsigned changed = 0;
    UserMessages messages;
    // The window opens the slot menu for this option: at the pointer after a
    // right-click, at the option's label after a key.
    std::optional<int> slotMenu;
    // The window closes now, without sending CloseRequested again.
    bool closeWindow = false;

    bool has(ChangedPart part) const { return (changed & part) != 0; }
    void tell(const UserMessages& shown) {
        messages.insert(messages.end(), shown.begin(), shown.end());
    }
    // Whether `control` must be drawn again.
    bool shows(const Control& control) const;
};

// What a label shows; no colour: the toolkit's default text colour.
struct LabelView {
    std::string caption;
    std::optional<PackedColour> colour;
    std::string toolTip;  // empty: none
    std::string tag;      // a slot label's section name
};

// The click rule of labels, for toolkits that report presses and releases: a click is
// a release over the label the button was pressed on; a double-click arrives as a
// click, then the double-click; the release that ends a double-click is no click.
// `label` is the one under the pointer, or null.
class LabelClicks {
  public:
    enum Input { Press, DoubleClick, Release };
    // The event to forward, if any.
    std::optional<ControlEvent> feed(Input input, const Control* label);

  private:
    const Control* m_pressed = nullptr;
    bool m_endingDoubleClick = false;
};

// Form1's state and every rule of its events, for every toolkit. A window builds its
// controls from the description (form1_controls.h), draws what this holds, forwards
// each event with handle() and draws again what the Update names. Nothing here
// shows anything.
class Form1Controller {
  public:
    // `dialogs` answers every question the controller asks the user.
    Form1Controller(Host& host, Form1Dialogs& dialogs);
    // With no one to ask (no window): every question is answered Cancel.
    explicit Form1Controller(Host& host);
    Form1Controller(const Form1Controller&) = delete;  // it points into itself
    Form1Controller& operator=(const Form1Controller&) = delete;

    // Start-up, once, before the window is shown: the first of `arguments` (the
    // program's own, without its name), if any, names the game folder or its output
    // folder and takes the place of the registry search. The file list then shows
    // the output folder, or the current folder when that cannot be listed.
    Update start(const std::vector<std::string>& arguments);

    // One event; `decimalSeparator` is the user's, asked at every event since the
    // regional settings may change while the window is open.
    Update handle(const ControlEvent& event, std::string_view decimalSeparator);

    const StartupState& startup() const { return m_startup; }
    const FileListModel& fileList() const { return m_fileList; }
    const ColourSlotTable& slotTable() const { return m_table; }
    const std::string& characterName() const { return m_characterName; }
    const ColourBox& sample() const { return m_sample; }  // Text1
    const ColourBox& saved() const { return m_saved; }    // txtSaved
    PackedColour savedColour() const { return m_saved.colour; }
    const ColourBox& colourBox(const Control& box) const;  // Text1 or txtSaved
    LabelView label(const Control& label) const;

    bool enabled(Command command) const;
    // Colours given, restored, pasted, chosen or imported since the load that no save
    // has written.
    bool hasUnsavedEdits() const;
    // Where the keyboard's sampling cross is (the wheel's centre until moved).
    ChartPoint chartCross() const;
    int focusedSlot() const;  // 0..23, the slot column's focus frame
    // Says that the file changed on disk, or nothing (empty).
    const std::string& notice() const;
    // What a screen reader says for `control`: its name, and for a slot label or
    // the slot column (its focused option) the option's name and colour.
    std::string accessibleName(const Control& control) const;

  private:
    Update dispatch(const ControlEvent& event, std::string_view decimalSeparator);
    Update fileSelected(int row);
    Update chartEvent(const ControlEvent& event, std::string_view decimalSeparator);
    Update chartKey(const ControlEvent& event, std::string_view decimalSeparator);
    Update slotEvent(const ControlEvent& event);
    Update slotColumnKey(const ControlEvent& event);
    Update moveSlotFocus(int slot);
    Update openSlotMenu(int slot);
    Update savedBoxEvent(const ControlEvent& event, std::string_view decimalSeparator);
    Update command(const ControlEvent& event, std::string_view decimalSeparator);
    Update slotCommand(Command chosen, int slot);
    Update historyStep(bool undo);
    Update chooseSavedColour(std::string_view decimalSeparator);
    Update pasteColour(int slot);
    Update chooseColour(int slot);
    Update giveColours(const std::vector<std::pair<int, PackedColour>>& colours);
    Update restoreColours(const std::vector<int>& labels);
    Update restoreAll();
    Update save();
    Update reload();
    Update close();
    Update importScheme();
    Update exportScheme();
    Update applyToOthers();
    Update tick();
    // Asks to save the edits an action would drop; false when the user cancelled or
    // the save failed (its messages are then in `update`).
    bool editsSettled(Update& update);
    void loadSelection(Update& update);
    std::vector<int> replacedSavedSlots(std::string_view bytes);
    bool slotUnsaved(int slot) const;
    Scheme schemeShown() const;
    std::optional<std::string> selectedEntry() const;
    std::string selectedPath() const;
    std::string characterNameOf(const std::string& entry) const;
    std::optional<std::string> selectedFileBytes() const;
    unsigned enabledCommands() const;
    void showOutputFolder(Update& update);

    Host& m_host;
    CancellingDialogs m_noDialogs;
    Form1Dialogs* m_dialogs;
    StartupState m_startup;
    FileListModel m_fileList;
    ColourSlotTable m_table;
    std::string m_characterName;
    ColourBox m_sample;
    ColourBox m_saved;
    EditHistory m_history;
    PictureView m_chart;
    ChartPoint m_chartCross;
    int m_focusedSlot = 0;
    // The colours saves wrote since the load, by slot, until another program
    // replaces them.
    std::array<std::optional<PackedColour>, ColourSlotTable::kSlotCount> m_savedColours{};
    // The selected file's bytes as the tool last saw them: at the load or save, or
    // when the watch last found them changed.
    std::optional<std::string> m_seenBytes;
    std::string m_notice;
    bool m_handling = false;  // inside handle(), e.g. waiting for a dialog's answer
};

}  // namespace orvex
