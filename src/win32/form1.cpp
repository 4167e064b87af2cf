#include "win32/form1.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace orvex {

namespace {

constexpr const char* kClassName = "OrvexForm1";
// The slot column: a window only for the focus and the keys; Form1 draws its frame.
constexpr const char* kSlotColumnClass = "OrvexSlotColumn";
constexpr int kFirstControlId = 100;
constexpr UINT kNameChildren = WM_APP;  // posted by show()
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

int systemDpi(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    // Only Windows 10 has it; importing it would keep the .exe from starting elsewhere.
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow != nullptr && window != nullptr) {
        return static_cast<int>(dpiForWindow(window));
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::string userDecimalSeparator() {
    char separator[8] = {};
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) > 0
               ? separator
               : ".";
}

ControlEvent commandEvent(Command command, int slot = -1) {
    return {Role::Window, EventKind::Command, slot, -1, Key::Enter, false, command};
}

RECT pixelRectOf(const TwipsRect& twips, int dpi) {
    const PixelRect pixels = TwipsToPixels(twips, dpi);
    return {pixels.left, pixels.top, pixels.left + pixels.width, pixels.top + pixels.height};
}

int CALLBACK noteFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceExists(std::string_view face) {
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, std::string(face).c_str(), LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// The dialog font at `dpi`, in the system's dialog face where no similar one exists.
HFONT dialogFont(bool bold, int dpi) {
    static const std::string face = [] {
        const std::string_view available = AvailableFace(kDialogFont.face, faceExists);
        return std::string(!available.empty()     ? available
                           : faceExists("Tahoma") ? "Tahoma"
                                                  : "MS Shell Dlg");
    }();
    const int height = -static_cast<int>(std::lround(kDialogFont.pointSize * dpi / 72.0));
    return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face.c_str());
}

void drawText(HDC dc, HFONT font, COLORREF colour, const std::string& text, RECT area,
              UINT format) {
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format | DT_NOPREFIX);
    SelectObject(dc, previous);
}

// While the file list has no entries it says why inside itself: the model's hint.
LRESULT CALLBACK paintEmptyHint(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR model) {
    const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
    const auto& files = *reinterpret_cast<const FileListModel*>(model);
    if (message == WM_PAINT && files.entries().empty()) {
        HDC dc = GetDC(list);
        RECT area{};
        GetClientRect(list, &area);
        InflateRect(&area, -3, -2);
        const auto font = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
        // DT_EDITCONTROL breaks a long folder name too.
        drawText(dc, font, GetSysColor(COLOR_GRAYTEXT), files.emptyHint(), area,
                 DT_WORDBREAK | DT_EDITCONTROL);
        ReleaseDC(list, dc);
    }
    return result;
}

// A multi-line EDIT wants every key (DLGC_WANTALLKEYS), so IsDialogMessageA never moves
// the focus out of it. A read-only one has no use for Tab, Enter or Escape: they go
// back to the window, while the arrows and page keys still scroll it.
LRESULT CALLBACK letKeysLeave(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, letKeysLeave, 0);
    }
    const LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
    return message == WM_GETDLGCODE ? code & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE)
                                    : code;
}

// The menus as native menus: an item's id, and the WM_COMMAND its accelerator sends, is
// commandId(its command), above every control's id.
constexpr UINT kFirstCommandId = 1000;

UINT commandId(Command command) {
    return kFirstCommandId + static_cast<UINT>(command);
}

std::optional<Command> commandOfId(UINT id) {
    if (id < kFirstCommandId || id > commandId(Command::ChooseColour)) {
        return std::nullopt;
    }
    return static_cast<Command>(id - kFirstCommandId);
}

// `menu` with the items of `described`, each one's first shortcut after a tab.
HMENU filled(HMENU menu, const Menu& described) {
    for (const MenuItem& item : described.items) {
        if (item.separatorBefore) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        }
        std::string text(item.text);
        if (!item.shortcuts.empty()) {
            text += "\t" + item.shortcuts.front().text();
        }
        AppendMenuA(menu, MF_STRING, commandId(item.command), text.c_str());
    }
    return menu;
}

HMENU makeMenuBar() {
    HMENU bar = CreateMenu();
    for (const Menu& menu : Form1MenuBar()) {
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(filled(CreatePopupMenu(), menu)),
                    std::string(menu.title).c_str());
    }
    return bar;
}

// Every shortcut of the menu bar.
HACCEL makeAccelerators() {
    std::vector<ACCEL> table;
    for (const Menu& menu : Form1MenuBar()) {
        for (const MenuItem& item : menu.items) {
            for (const Shortcut& key : item.shortcuts) {
                const BYTE modifiers = (key.ctrl ? FCONTROL : 0) | (key.shift ? FSHIFT : 0);
                const int code = key.letter != 0 ? key.letter : VK_F1 + key.functionKey - 1;
                table.push_back({static_cast<BYTE>(FVIRTKEY | modifiers), static_cast<WORD>(code),
                                 static_cast<WORD>(commandId(item.command))});
            }
        }
    }
    return CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

// Greys the items of `menu` (and of its pop-ups) that are not enabled now.
void enableCommands(HMENU menu, const Form1Controller& controller) {
    for (int at = 0; at < GetMenuItemCount(menu); ++at) {
        if (HMENU popup = GetSubMenu(menu, at)) {
            enableCommands(popup, controller);
        } else if (const auto command = commandOfId(GetMenuItemID(menu, at))) {
            EnableMenuItem(menu, static_cast<UINT>(at),
                           MF_BYPOSITION | (controller.enabled(*command) ? MF_ENABLED : MF_GRAYED));
        }
    }
}

// What a child made by reportKeys() sends its parent, as WM_COMMAND(id, code, child)
// like a standard control's notification: a double-click, or one of its keys.
constexpr WORD kDoubleClickedCode = 0x7F00;
constexpr WORD kFirstKeyCode = 0x7F10;  // + the Key

constexpr std::pair<WPARAM, Key> kKeys[] = {{VK_UP, Key::Up},         {VK_DOWN, Key::Down},
                                            {VK_LEFT, Key::Left},     {VK_RIGHT, Key::Right},
                                            {VK_HOME, Key::Home},     {VK_END, Key::End},
                                            {VK_RETURN, Key::Enter},  {VK_SPACE, Key::Space},
                                            {VK_DELETE, Key::Delete}, {VK_BACK, Key::Backspace}};

// The key of `virtualKey` when it is one of `keys` (a mask of 1 << Key).
std::optional<Key> keyOf(WPARAM virtualKey, DWORD_PTR keys) {
    for (const auto& [code, key] : kKeys) {
        if (code == virtualKey && (keys & (1u << static_cast<unsigned>(key))) != 0) {
            return key;
        }
    }
    return std::nullopt;
}

void notifyParent(HWND child, WORD code) {
    SendMessageA(GetParent(child), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), code),
                 reinterpret_cast<LPARAM>(child));
}

LRESULT CALLBACK passKeys(HWND child, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR keys) {
    if (message == WM_GETDLGCODE && keyOf(wParam, keys)) {
        return DefSubclassProc(child, message, wParam, lParam) | DLGC_WANTMESSAGE;
    }
    if (message == WM_KEYDOWN && keyOf(wParam, keys)) {
        notifyParent(child, kFirstKeyCode + static_cast<WORD>(*keyOf(wParam, keys)));
        return 0;
    }
    if (message == WM_LBUTTONDBLCLK) {
        notifyParent(child, kDoubleClickedCode);
    } else if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
        RedrawWindow(GetParent(child), &place, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(child, passKeys, 0);
    }
    return DefSubclassProc(child, message, wParam, lParam);
}

// Makes `child` hand `keys` to its parent instead of the dialog navigation or its own
// handling, report its double-clicks, and have the parent redraw over it when it
// gains or loses the focus (a focus frame or cross the parent or it draws).
void reportKeys(HWND child, std::initializer_list<Key> keys) {
    DWORD_PTR mask = 0;
    for (Key key : keys) {
        mask |= 1u << static_cast<unsigned>(key);
    }
    SetWindowSubclass(child, passKeys, 0, mask);
}

// A list or text box: framed, and named by a label.
bool isBox(const Control& control) {
    return control.kind == ControlKind::FileList || control.kind == ControlKind::TextBox ||
           control.kind == ControlKind::MultiLineTextBox;
}

// The window classes of Form1, the chart and the slot column.
void registerClasses() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA type{};
    type.style = CS_DBLCLKS;  // the labels' double-click
    type.lpfnWndProc = OwnerWindowProc<Form1>;
    type.hInstance = instance;
    type.hCursor = LoadCursor(nullptr, IDC_ARROW);
    // The program's icon (orvexcolors.rc), drawn at build time; Windows takes the small
    // one from the same resource.
    type.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    type.lpszClassName = kClassName;
    RegisterOwnedClass(type);
    WNDCLASSEXA column{};
    column.lpfnWndProc = DefWindowProcA;
    column.hInstance = instance;
    column.lpszClassName = kSlotColumnClass;
    RegisterOwnedClass(column);
    ColourChart::registerClass(instance);
}

}  // namespace

void ShowMessages(HWND owner, const UserMessages& messages) {
    for (const UserMessage& message : messages) {
        MessageBoxA(owner, message.text.c_str(), message.title.c_str(), MB_OK);
    }
}

Form1::Form1(Form1Controller& controller, MessagesShower showMessages)
    : m_controller(controller),
      m_showMessages(std::move(showMessages)),
      m_chart([this](EventKind kind, PackedColour pixel, std::optional<ChartPoint> at) {
          ControlEvent event{Role::ColourChart, kind, -1, pixel};
          event.at = at;
          forward(event);
      }),
      m_texture(DrawnTexture()) {}

Form1::~Form1() {
    DestroyWindow(m_window);
    DestroyAcceleratorTable(m_accelerators);
    DeleteObject(m_fonts[0]);
    DeleteObject(m_fonts[1]);
    DeleteObject(m_boxBrush);
}

HWND Form1::create() {
    [[maybe_unused]] static const bool registered = (registerClasses(), true);
    const int dpi = systemDpi(nullptr);
    const WindowDescription& described = Form1Window();
    RECT frame = pixelRectOf(
        {described.left, described.top, described.clientWidth, described.clientHeight}, dpi);
    AdjustWindowRectEx(&frame, kWindowStyle, TRUE, 0);
    CreateWindowExA(0, kClassName, std::string(described.caption).c_str(), kWindowStyle, frame.left,
                    frame.top, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                    makeMenuBar(), GetModuleHandleA(nullptr), this);
    m_accelerators = makeAccelerators();
    return m_window;
}

bool Form1::translate(MSG* message) {
    return TranslateAcceleratorA(m_window, m_accelerators, message) ||
           IsDialogMessageA(m_window, message);
}

void Form1::show(int showCommand) {
    ShowWindow(m_window, showCommand);
    SetFocus(m_fileList);
    UpdateWindow(m_window);
    PostMessageA(m_window, kNameChildren, 0, 0);
}

// A hidden label just before each framed child in the Z order: the name a screen
// reader gives it. Unseen, so made after the first paint.
void Form1::nameChildren() {
    for (const Item& item : m_items) {
        if (item.child != nullptr && isBox(*item.control)) {
            HWND name =
                CreateWindowExA(0, "STATIC", m_controller.accessibleName(*item.control).c_str(),
                                WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0, m_window, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
            HWND before = GetWindow(item.child, GW_HWNDPREV);
            SetWindowPos(name, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

// One tool per label, with its place and tip as they are now (drawLabel() keeps them),
// and one for the status line with the whole notice. The tool-tips are the only common
// control whose class is registered here, after the first paint.
HWND Form1::toolTips() {
    if (m_toolTips == nullptr && m_window != nullptr) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        m_toolTips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        for (const Item& item : m_items) {
            if (item.control->kind == ControlKind::Label) {
                sendTool(TTM_ADDTOOLA, item);
            }
        }
        sendNoticeTool(TTM_ADDTOOLA);
    }
    return m_toolTips;
}

const Form1::Item& Form1::find(std::string_view name, int index) const {
    static const Item none{nullptr, nullptr, {}};
    const auto found = std::find_if(m_items.begin(), m_items.end(), [&](const Item& item) {
        return item.control->name == name && item.control->index == index;
    });
    return found != m_items.end() ? *found : none;
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            createChildren();
            SetTimer(m_window, 1, kFileWatchMilliseconds, nullptr);
            return 0;
        case kNameChildren:
            nameChildren();
            return 0;
        case WM_TIMER:
            forward({Role::Window, EventKind::Tick});
            return 0;
        case WM_CLOSE:
            forward({Role::Window, EventKind::CloseRequested});
            return 0;
        case WM_INITMENUPOPUP:  // also sent before an accelerator's command
            enableCommands(reinterpret_cast<HMENU>(wParam), m_controller);
            return 0;
        case WM_CONTEXTMENU:
            onContextMenu(reinterpret_cast<HWND>(wParam), lParam);
            return 0;
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // paint() covers the client area
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            return boxColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SETCURSOR:  // the pointer is over the window or, passed on, a child
            toolTips();
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
            onLeftButton(message, lParam);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE && IsChild(m_window, GetFocus())) {
                m_focus = GetFocus();
            }
            break;
        case WM_SETFOCUS:
            SetFocus(m_focus != nullptr ? m_focus : m_fileList);
            return 0;
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(m_window, message, wParam, lParam);
}

// The topmost label under `point` (the last one drawn), or null.
const Control* Form1::labelAt(POINT point) const {
    const Control* under = nullptr;
    for (const Item& item : m_items) {
        if (item.control->kind == ControlKind::Label && PtInRect(&item.rect, point)) {
            under = item.control;
        }
    }
    return under;
}

RECT Form1::rectOf(const Control* control) const {
    for (const Item& item : m_items) {
        if (item.control == control) {
            return item.rect;
        }
    }
    return {};
}

// The labels' clicks: the pointer stays captured from the press to the release, and
// the label under it goes to the click rule.
void Form1::onLeftButton(UINT message, LPARAM lParam) {
    if (message == WM_LBUTTONUP) {
        ReleaseCapture();
    } else {
        SetCapture(m_window);
    }
    const Control* under = labelAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    const LabelClicks::Input input = message == WM_LBUTTONUP     ? LabelClicks::Release
                                     : message == WM_LBUTTONDOWN ? LabelClicks::Press
                                                                 : LabelClicks::DoubleClick;
    if (const std::optional<ControlEvent> event = m_clicks.feed(input, under)) {
        forward(*event);
    }
}

// Moved to a monitor of another DPI: all laid out anew, in the frame Windows suggests.
void Form1::onDpiChanged(int dpi, const RECT& frame) {
    SetWindowPos(m_window, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layOut(dpi);
}

// A right-click over a label, or the context-menu key (or Shift+F10) in the slot column.
void Form1::onContextMenu(HWND from, LPARAM lParam) {
    if (lParam == -1) {  // as a key of the child that has the focus
        if (from != m_window) {
            onCommand(GetDlgCtrlID(from), kFirstKeyCode + static_cast<WORD>(Key::ContextMenu));
        }
        return;
    }
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(m_window, &point);
    if (const Control* label = labelAt(point)) {
        forward({label->role, EventKind::ContextMenu, label->index});
    }
}

// At the pointer after a right-click, else below the option's label.
void Form1::openSlotMenu(int slot, bool atPointer) {
    const RECT label = rectOf(FindControl(Role::SlotLabel, slot));
    POINT at{label.left, label.bottom};
    ClientToScreen(m_window, &at);
    if (atPointer) {
        GetCursorPos(&at);
    }
    HMENU menu = filled(CreatePopupMenu(), SlotMenu());
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, m_window, nullptr));
    DestroyMenu(menu);
    if (const std::optional<Command> command = commandOfId(chosen)) {
        forward(commandEvent(*command, slot));
    }
}

void Form1::onCommand(int id, int code) {
    const std::optional<Command> command = commandOfId(static_cast<UINT>(id));
    if (command && code <= 1) {  // a menu item, or an accelerator
        forward(commandEvent(*command));
        return;
    }
    const auto at = static_cast<std::size_t>(id - kFirstControlId);  // below: past the end
    if (at >= m_items.size()) {
        return;
    }
    const Item& item = m_items[at];
    if (item.control->kind == ControlKind::FileList && code == LBN_SELCHANGE) {
        // LB_ERR is -1, the row while nothing is selected.
        const auto row = static_cast<int>(SendMessageA(item.child, LB_GETCURSEL, 0, 0));
        forward({item.control->role, EventKind::Selected, row});
    } else if (item.control->kind == ControlKind::Button && code == BN_CLICKED) {
        forward({item.control->role, EventKind::Click});
    } else if (code == kDoubleClickedCode) {
        forward({item.control->role, EventKind::DoubleClick});
    } else if (code >= kFirstKeyCode) {
        forward({item.control->role, EventKind::KeyPressed, -1, -1,
                 static_cast<Key>(code - kFirstKeyCode), GetKeyState(VK_SHIFT) < 0});
    }
}

LRESULT Form1::boxColours(HDC dc, HWND box) {
    for (const Item& item : m_items) {
        if (item.child == box && item.control->background) {
            SetTextColor(dc, static_cast<COLORREF>(m_controller.colourBox(*item.control).colour));
            SetBkColor(dc, static_cast<COLORREF>(*item.control->background));
            return reinterpret_cast<LRESULT>(m_boxBrush);
        }
    }
    // A locked text box keeps the colours of an editable one.
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

// Children in drawing order, which keeps the tab order, so that Tab follows it;
// painted controls only get a place.
void Form1::createChildren() {
    m_boxBrush = CreateSolidBrush(
        static_cast<COLORREF>(FindControl(Role::SampleBox)->background.value_or(0)));
    for (const Control* control : Form1DrawingOrder()) {
        m_items.push_back({control, nullptr, {}});
    }
    INITCOMMONCONTROLSEX bars{sizeof bars, ICC_BAR_CLASSES};  // the status bar's class
    InitCommonControlsEx(&bars);
    m_statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                  m_window, nullptr, GetModuleHandleA(nullptr), nullptr);
    layOut(systemDpi(m_window));
}

// Every place and font at `dpi`. A child is made in its place and font, so that no
// text is wrapped or measured twice before the first paint.
void Form1::layOut(int dpi) {
    for (bool bold : {false, true}) {
        DeleteObject(m_fonts[bold]);
        m_fonts[bold] = dialogFont(bold, dpi);
    }
    for (Item& item : m_items) {
        const Control& control = *item.control;
        const RECT& place = item.rect = pixelRectOf(control.twips, dpi);
        if (item.child != nullptr) {
            MoveWindow(item.child, place.left, place.top, place.right - place.left,
                       place.bottom - place.top, FALSE);
            SendMessageA(item.child, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(control)), FALSE);
        } else if (control.kind != ControlKind::Label && control.kind != ControlKind::Image) {
            const int id = kFirstControlId + static_cast<int>(&item - m_items.data());
            item.child = createChild(control, id, place);
        }
        draw(item);
    }
    fitClientArea(dpi);
    InvalidateRect(m_window, nullptr, FALSE);
}

namespace {

// The window class and styles of a control's child, from the description's flags.
std::pair<const char*, DWORD> childClassAndStyle(const Control& control) {
    const bool list = control.kind == ControlKind::FileList;
    const char* windowClass = list                                      ? "LISTBOX"
                              : control.kind == ControlKind::Button     ? "BUTTON"
                              : control.kind == ControlKind::SlotColumn ? kSlotColumnClass
                                                                        : "EDIT";
    const DWORD style =
        WS_CHILD | WS_VISIBLE | (control.has(kTakesFocus) ? WS_TABSTOP : 0) |
        (control.has(kLocked) ? ES_READONLY : 0) |
        (control.has(kVerticalScrollBar) ? WS_VSCROLL : 0) |
        (list ? LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL : 0) |
        (control.kind == ControlKind::TextBox ? ES_AUTOHSCROLL : 0) |
        (control.kind == ControlKind::MultiLineTextBox ? ES_MULTILINE | ES_AUTOVSCROLL : 0);
    return {windowClass, style};
}

}  // namespace

HWND Form1::createChild(const Control& control, int id, const RECT& place) {
    if (control.kind == ControlKind::PictureBox) {
        HWND chart =
            m_chart.create(m_window, id, control.has(kSunkenBorder) ? WS_EX_CLIENTEDGE : 0, place);
        SetWindowTextA(chart, m_controller.accessibleName(control).c_str());
        reportKeys(chart, {Key::Up, Key::Down, Key::Left, Key::Right, Key::Enter, Key::Space});
        return chart;
    }
    const bool framed = isBox(control);
    const auto [windowClass, style] = childClassAndStyle(control);
    HWND child = CreateWindowExA(framed ? WS_EX_CLIENTEDGE : 0, windowClass, "", style, place.left,
                                 place.top, place.right - place.left, place.bottom - place.top,
                                 m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    // The font before the text: a multi-line box wraps its text again on each.
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(control)), FALSE);
    // A text box gets its text from draw(), setting one twice costs a redraw and a notice;
    // a list's text (its name pattern) shows nowhere.
    if (control.kind != ControlKind::TextBox && control.kind != ControlKind::FileList) {
        SetWindowTextA(child, std::string(control.text).c_str());
    }
    wireChild(control, child);
    return child;
}

// What each kind of child reports, or lets go of, beyond its standard notices.
void Form1::wireChild(const Control& control, HWND child) {
    if (control.kind == ControlKind::FileList) {
        m_fileList = child;
        SetWindowSubclass(child, paintEmptyHint, 0,
                          reinterpret_cast<DWORD_PTR>(&m_controller.fileList()));
    } else if (control.kind == ControlKind::SlotColumn) {
        // No region: the labels under it show, and their clicks reach Form1.
        SetWindowRgn(child, CreateRectRgn(0, 0, 0, 0), FALSE);
        reportKeys(child, {Key::Up, Key::Down, Key::Home, Key::End, Key::Enter, Key::Space,
                           Key::Delete, Key::Backspace});
    } else if (control.role == Role::SavedBox) {
        reportKeys(child, {Key::Enter});
    } else if (control.kind == ControlKind::MultiLineTextBox && control.has(kLocked)) {
        SetWindowSubclass(child, letKeysLeave, 0, 0);
    }
}

// The frame's own size differs with the DPI of the monitor the window is on, and the
// menu bar may wrap: the client area must be the designed one at that DPI, with the
// status bar below it.
void Form1::fitClientArea(int dpi) {
    RECT frame{};
    RECT client{};
    RECT status{};
    GetWindowRect(m_window, &frame);
    GetClientRect(m_window, &client);
    GetWindowRect(m_statusBar, &status);
    const WindowDescription& described = Form1Window();
    const int width = TwipsToPixels(described.clientWidth, dpi) - client.right;
    const int height =
        TwipsToPixels(described.clientHeight, dpi) + status.bottom - status.top - client.bottom;
    if (width != 0 || height != 0) {
        SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left + width,
                     frame.bottom - frame.top + height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageA(m_statusBar, WM_SIZE, 0, 0);  // to the bottom of the client area
}

// Everything is drawn off screen first, so that a label changing colour never flickers;
// the first paint has nothing on screen to flicker over and spares the canvas.
void Form1::paint() {
    PAINTSTRUCT paint{};
    HDC screen = BeginPaint(m_window, &paint);
    RECT client{};
    GetClientRect(m_window, &client);
    if (!std::exchange(m_paintedOnce, true)) {
        paintAll(screen, client);
    } else {
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ previous =
            SelectObject(dc, CreateCompatibleBitmap(screen, client.right, client.bottom));
        paintAll(dc, client);
        BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        DeleteObject(SelectObject(dc, previous));
        DeleteDC(dc);
    }
    EndPaint(m_window, &paint);
}

void Form1::paintAll(HDC dc, const RECT& client) const {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (const Item& item : m_items) {
        const Control& control = *item.control;
        if (control.kind == ControlKind::Image) {
            DrawPicture(dc, m_texture, item.rect);
        } else if (control.kind == ControlKind::Label) {
            if (!control.has(kTransparent)) {
                FillRect(dc, &item.rect, GetSysColorBrush(COLOR_BTNFACE));
            }
            const LabelView view = m_controller.label(control);
            const PackedColour colour =
                view.colour.value_or(static_cast<PackedColour>(GetSysColor(COLOR_BTNTEXT)));
            drawText(dc, fontOf(control), static_cast<COLORREF>(colour), view.caption, item.rect,
                     control.has(kWordWrapCentred) ? DT_CENTER | DT_WORDBREAK : DT_SINGLELINE);
        } else if (control.kind == ControlKind::SlotColumn && GetFocus() == item.child) {
            RECT frame = rectOf(FindControl(Role::SlotLabel, m_controller.focusedSlot()));
            DrawFocusRect(dc, &frame);
        }
    }
}

void Form1::forward(const ControlEvent& event) {
    const Update update = m_controller.handle(event, userDecimalSeparator());
    for (Item& item : m_items) {
        if (update.shows(*item.control)) {
            draw(item);
        }
    }
    if (update.has(kNoticePart)) {
        SetWindowTextA(m_statusBar, m_controller.notice().c_str());
        sendNoticeTool(TTM_UPDATETIPTEXTA);
    }
    m_showMessages(m_window, update.messages);
    if (update.slotMenu) {
        openSlotMenu(*update.slotMenu, event.kind == EventKind::ContextMenu);
    }
    if (update.closeWindow) {
        DestroyWindow(m_window);
    }
}

void Form1::draw(Item& item) {
    if (item.control->kind == ControlKind::FileList) {
        drawFileList();
    } else if (item.control->kind == ControlKind::PictureBox) {
        m_chart.showCross(m_controller.chartCross());
    } else if (item.control->kind == ControlKind::SlotColumn) {
        SetWindowTextA(item.child, m_controller.accessibleName(*item.control).c_str());
        InvalidateRect(m_window, &item.rect, FALSE);
    } else if (item.control->kind == ControlKind::TextBox) {
        SetWindowTextA(item.child, m_controller.colourBox(*item.control).text.c_str());
        InvalidateRect(item.child, nullptr, FALSE);  // the colour may change alone
    } else if (item.control->kind == ControlKind::Label) {
        drawLabel(item);
    }
}

// The entries anew only when they changed, which keeps the list's scroll position.
void Form1::drawFileList() {
    const FileListModel& model = m_controller.fileList();
    if (m_fileRows != model.entries()) {
        m_fileRows = model.entries();
        SendMessageA(m_fileList, LB_RESETCONTENT, 0, 0);
        for (const std::string& name : m_fileRows) {
            SendMessageA(m_fileList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
    }
    if (model.ListIndex() >= 0) {
        SendMessageA(m_fileList, LB_SETCURSEL, static_cast<WPARAM>(model.ListIndex()), 0);
    }
    InvalidateRect(m_fileList, nullptr, TRUE);
}

// Paints the label again where it was and, auto-sized, where its caption now fits.
void Form1::drawLabel(Item& label) {
    InvalidateRect(m_window, &label.rect, FALSE);
    if (label.control->has(kAutoSize)) {
        const std::string caption = m_controller.label(*label.control).caption;
        HDC dc = GetDC(m_window);
        HGDIOBJ previous = SelectObject(dc, fontOf(*label.control));
        SIZE size{};
        GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        SelectObject(dc, previous);
        ReleaseDC(m_window, dc);
        label.rect.right = label.rect.left + std::max<LONG>(size.cx, kLeastAutoSizeWidth);
        label.rect.bottom = label.rect.top + size.cy;
        InvalidateRect(m_window, &label.rect, FALSE);
    }
    if (m_toolTips != nullptr) {
        sendTool(TTM_SETTOOLINFOA, label);
    }
}

// Gives the tool-tips `label`'s tool: its place and tip as they are now.
void Form1::sendTool(UINT message, const Item& label) const {
    std::string tip = m_controller.label(*label.control).toolTip;
    const auto id = reinterpret_cast<UINT_PTR>(label.control);
    TTTOOLINFOA tool{sizeof tool, TTF_SUBCLASS, m_window, id,     label.rect,
                     nullptr,     tip.data(),   0,        nullptr};
    SendMessageA(m_toolTips, message, 0, reinterpret_cast<LPARAM>(&tool));
}

// The whole of a long notice, as the status line's tool-tip.
void Form1::sendNoticeTool(UINT message) const {
    if (m_toolTips != nullptr) {
        std::string tip = m_controller.notice();
        const auto id = reinterpret_cast<UINT_PTR>(m_statusBar);
        TTTOOLINFOA tool{
            sizeof tool, TTF_IDISHWND | TTF_SUBCLASS, m_window, id, {}, nullptr, tip.data(), 0,
            nullptr};
        SendMessageA(m_toolTips, message, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

}  // namespace orvex
