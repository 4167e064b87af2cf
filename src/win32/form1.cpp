#include "win32/form1.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

#include "win32/child_keys.h"
#include "win32/fonts.h"
#include "win32/menus.h"
#include "win32/message_box.h"
#include "win32/pictures.h"
#include "win32/read_only_text.h"
#include "win32/window_owner.h"

namespace orvex {

const char* const Form1::kClassName = "OrvexForm1";

namespace {

// The slot column: a window only for the focus and the keys; Form1 draws its frame.
constexpr const char* kSlotColumnClass = "OrvexSlotColumn";

constexpr int kFirstControlId = 100;
constexpr int kDesignLeft = 2385;  // twips from the screen's top-left to the client area
constexpr int kDesignTop = 1545;
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

bool painted(const Control& control) {
    return control.kind == ControlKind::Label || control.kind == ControlKind::Image;
}

// The tool of the tool-tips that shows `label`'s tip while the pointer is in `rect`.
TTTOOLINFOA toolFor(HWND window, const Control* label, const RECT& rect, char* text) {
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(label);
    tool.rect = rect;
    tool.lpszText = text;
    return tool;
}

// Pixels of `twips` at `dpi`, as a RECT.
RECT pixelRectOf(const TwipsRect& twips, int dpi) {
    const PixelRect pixels = TwipsToPixels(twips, dpi);
    return {pixels.left, pixels.top, pixels.left + pixels.width, pixels.top + pixels.height};
}

}  // namespace

bool Form1::registerClasses(HINSTANCE instance) {
    WNDCLASSEXA type{};
    type.style = CS_DBLCLKS;  // the labels' double-click
    type.lpfnWndProc = OwnerWindowProc<Form1>;
    type.hInstance = instance;
    type.hCursor = LoadCursor(nullptr, IDC_ARROW);
    // The program's icon (orvexcolors.rc), drawn at build time.
    type.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    type.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = kClassName;
    WNDCLASSEXA column{};
    column.lpfnWndProc = DefWindowProcA;
    column.hInstance = instance;
    column.lpszClassName = kSlotColumnClass;
    return RegisterOwnedClass(type) && RegisterOwnedClass(column) &&
           ColourChart::registerClass(instance);
}

Form1::Form1(Form1Controller& controller, MessagesShower showMessages)
    : m_controller(controller),
      m_showMessages(std::move(showMessages)),
      m_chart(
          [this](PackedColour pixel) {
              forward({Role::ColourChart, EventKind::PointerMoved, -1, pixel});
          },
          [this](PackedColour pixel) {
              forward({Role::ColourChart, EventKind::ButtonReleased, -1, pixel});
          }),
      m_texture(DrawnTexture()) {}

Form1::~Form1() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
    DestroyAcceleratorTable(m_accelerators);
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(m_font), static_cast<HGDIOBJ>(m_boldFont),
                           static_cast<HGDIOBJ>(m_boxBrush)}) {
        if (object != nullptr) {
            DeleteObject(object);
        }
    }
}

HWND Form1::create() {
    const int dpi = systemDpi(nullptr);
    const WindowDescription& described = Form1Window();
    const std::string caption(described.caption);
    RECT frame =
        pixelRectOf({kDesignLeft, kDesignTop, described.clientWidth, described.clientHeight}, dpi);
    AdjustWindowRectEx(&frame, kWindowStyle, TRUE, 0);
    CreateWindowExA(0, kClassName, caption.c_str(), kWindowStyle, frame.left, frame.top,
                    frame.right - frame.left, frame.bottom - frame.top, nullptr, MakeMenuBar(),
                    GetModuleHandleA(nullptr), this);
    m_accelerators = MakeAccelerators();
    return m_window;
}

bool Form1::translate(MSG* message) {
    return TranslateAcceleratorA(m_window, m_accelerators, message) ||
           IsDialogMessageA(m_window, message);
}

void Form1::show(int showCommand) {
    ShowWindow(m_window, showCommand);
    SetFocus(m_fileList.handle());
    UpdateWindow(m_window);
}

HWND Form1::control(std::string_view name) const {
    const Item* item = find(name, -1);
    return item != nullptr ? item->child : nullptr;
}

HWND Form1::toolTips() {
    if (m_toolTips == nullptr && m_window != nullptr) {
        createToolTips();
    }
    return m_toolTips;
}

RECT Form1::labelRect(std::string_view name, int index) const {
    const Item* item = find(name, index);
    return item != nullptr ? item->rect : RECT{};
}

const Form1::Item* Form1::find(std::string_view name, int index) const {
    for (const Item& item : m_items) {
        if (item.control->name == name && item.control->index == index) {
            return &item;
        }
    }
    return nullptr;
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            createChildren();
            SetTimer(m_window, 1, kFileWatchMilliseconds, nullptr);
            return 0;
        case WM_TIMER:
            forward({Role::Window, EventKind::Tick});
            return 0;
        case WM_CLOSE:
            forward({Role::Window, EventKind::CloseRequested});
            return 0;
        case WM_INITMENUPOPUP:  // also sent before an accelerator's command
            EnableCommands(reinterpret_cast<HMENU>(wParam), m_controller);
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
        case WM_MOUSEMOVE:
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
            SetFocus(m_focus != nullptr ? m_focus : m_fileList.handle());
            return 0;
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(m_window, message, wParam, lParam);
}

// The labels' clicks: the pointer stays captured from the press to the release.
void Form1::onLeftButton(UINT message, LPARAM lParam) {
    if (message == WM_LBUTTONUP) {
        ReleaseCapture();
        clicked(LabelClicks::Release, lParam);
        return;
    }
    SetCapture(m_window);
    clicked(message == WM_LBUTTONDOWN ? LabelClicks::Press : LabelClicks::DoubleClick, lParam);
}

// Moved to a monitor of another DPI: every twips rectangle anew, in the frame Windows
// suggests.
void Form1::onDpiChanged(int dpi, const RECT& frame) {
    SetWindowPos(m_window, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layOut(dpi);
}

// Children in drawing order, which keeps the tab order, so that Tab follows it;
// painted controls only get a place. Each child is made in its place and font, so
// that no text is wrapped or measured twice before the first paint.
void Form1::createChildren() {
    const int dpi = systemDpi(m_window);
    makeFonts(dpi);
    m_boxBrush = CreateSolidBrush(
        static_cast<COLORREF>(FindControl(Role::SampleBox)->background.value_or(0)));
    for (const Control* control : Form1DrawingOrder()) {
        const int id = kFirstControlId + static_cast<int>(m_items.size());
        const RECT place = pixelRectOf(control->twips, dpi);
        m_items.push_back(
            {control, painted(*control) ? nullptr : createChild(*control, id, place), place});
    }
    m_statusBar =
        CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_TOOLTIPS, 0, 0, 0, 0,
                        m_window, nullptr, GetModuleHandleA(nullptr), nullptr);
    for (Item& item : m_items) {
        draw(item);
    }
    fitClientArea(dpi);
}

// The styles come from the description's flags.
HWND Form1::createChild(const Control& control, int id, const RECT& place) {
    const bool framed =
        control.kind != ControlKind::Button && control.kind != ControlKind::SlotColumn;
    const DWORD border = framed ? WS_EX_CLIENTEDGE : 0;
    DWORD style = WS_CHILD | WS_VISIBLE | (control.has(kTakesFocus) ? WS_TABSTOP : 0) |
                  (control.has(kLocked) ? ES_READONLY : 0) |
                  (control.has(kVerticalScrollBar) ? WS_VSCROLL : 0);
    const char* type = "EDIT";
    switch (control.kind) {
        case ControlKind::FileList:
            type = "LISTBOX";
            style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
            break;
        case ControlKind::TextBox:
            style |= ES_AUTOHSCROLL;
            break;
        case ControlKind::MultiLineTextBox:
            style |= ES_MULTILINE | ES_AUTOVSCROLL;
            break;
        case ControlKind::Button:
            type = "BUTTON";
            break;
        case ControlKind::PictureBox:
            m_chart.create(m_window, id, control.has(kSunkenBorder) ? WS_EX_CLIENTEDGE : 0, place);
            SetWindowTextA(m_chart.handle(), m_controller.accessibleName(control).c_str());
            ReportKeys(m_chart.handle(),
                       {Key::Up, Key::Down, Key::Left, Key::Right, Key::Enter, Key::Space});
            return m_chart.handle();
        case ControlKind::SlotColumn:
            type = kSlotColumnClass;
            break;
        default:
            return nullptr;
    }
    if (framed) {  // the name a screen reader gives the control that follows
        CreateWindowExA(0, "STATIC", m_controller.accessibleName(control).c_str(),
                        WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0, m_window, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    }
    HWND child = CreateWindowExA(border, type, "", style, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, m_window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    // The font before the text: a multi-line box wraps its text again on each.
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(control)), FALSE);
    // A text box gets its text from draw(); setting one twice costs a redraw and a notice.
    if (!control.text.empty() && control.kind != ControlKind::TextBox) {
        const std::string text(control.text);
        SetWindowTextA(child, text.c_str());
    }
    if (control.kind == ControlKind::FileList) {
        m_fileList.attach(child);
    } else if (control.kind == ControlKind::SlotColumn) {
        // No region: the labels under it show, and their clicks reach Form1.
        SetWindowRgn(child, CreateRectRgn(0, 0, 0, 0), FALSE);
        ReportKeys(child, {Key::Up, Key::Down, Key::Home, Key::End, Key::Enter, Key::Space,
                           Key::Delete, Key::Backspace});
    } else if (control.role == Role::SavedBox) {
        ReportKeys(child, {Key::Enter});
    } else if (control.kind == ControlKind::MultiLineTextBox && control.has(kLocked)) {
        LetKeysLeave(child);
    }
    return child;
}

// One tool per label, with its place and text as they are now; draw() keeps them.
void Form1::createToolTips() {
    m_toolTips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    for (const Item& item : m_items) {
        if (item.control->kind == ControlKind::Label) {
            LabelView view = m_controller.label(*item.control);
            TTTOOLINFOA tool = toolFor(m_window, item.control, item.rect, view.toolTip.data());
            SendMessageA(m_toolTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

void Form1::makeFonts(int dpi) {
    for (HFONT& font : {std::ref(m_font), std::ref(m_boldFont)}) {
        if (font != nullptr) {
            DeleteObject(font);
        }
    }
    m_font = MakeFont(kDialogFont, dpi);
    m_boldFont = MakeFont(kBoldFont, dpi);
}

void Form1::layOut(int dpi) {
    makeFonts(dpi);
    for (Item& item : m_items) {
        item.rect = pixelRectOf(item.control->twips, dpi);
        if (item.child != nullptr) {
            MoveWindow(item.child, item.rect.left, item.rect.top, item.rect.right - item.rect.left,
                       item.rect.bottom - item.rect.top, FALSE);
            SendMessageA(item.child, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(*item.control)),
                         FALSE);
        }
        draw(item);
    }
    fitClientArea(dpi);
    InvalidateRect(m_window, nullptr, FALSE);
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

HFONT Form1::fontOf(const Control& control) const {
    return control.font.bold ? m_boldFont : m_font;
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

// Everything is drawn off screen first, so that a label changing colour never flickers;
// the first paint has nothing on screen to flicker over and spares the canvas.
void Form1::paint() {
    PAINTSTRUCT paint{};
    HDC screen = BeginPaint(m_window, &paint);
    RECT client{};
    GetClientRect(m_window, &client);
    if (!m_paintedOnce) {
        m_paintedOnce = true;
        paintAll(screen, client);
        EndPaint(m_window, &paint);
        return;
    }
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(dc, canvas);
    paintAll(dc, client);
    BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, previous);
    DeleteObject(canvas);
    DeleteDC(dc);
    EndPaint(m_window, &paint);
}

void Form1::paintAll(HDC dc, const RECT& client) const {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (const Item& item : m_items) {
        if (item.control->kind == ControlKind::Image) {
            DrawPicture(dc, m_texture, item.rect);
        } else if (item.control->kind == ControlKind::Label) {
            paintLabel(dc, item);
        } else if (item.control->kind == ControlKind::SlotColumn && GetFocus() == item.child) {
            RECT frame = rectOf(FindControl(Role::SlotLabel, m_controller.focusedSlot()));
            DrawFocusRect(dc, &frame);
        }
    }
}

void Form1::paintLabel(HDC dc, const Item& label) const {
    const Control& control = *label.control;
    if (!control.has(kTransparent)) {
        FillRect(dc, &label.rect, GetSysColorBrush(COLOR_BTNFACE));
    }
    const LabelView view = m_controller.label(control);
    HGDIOBJ previous = SelectObject(dc, fontOf(control));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(view.colour.value_or(
                         static_cast<PackedColour>(GetSysColor(COLOR_BTNTEXT)))));
    RECT area = label.rect;
    const UINT layout = control.has(kWordWrapCentred) ? DT_CENTER | DT_WORDBREAK : DT_SINGLELINE;
    DrawTextA(dc, view.caption.c_str(), static_cast<int>(view.caption.size()), &area,
              layout | DT_NOPREFIX);
    SelectObject(dc, previous);
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

void Form1::clicked(LabelClicks::Input input, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (const std::optional<ControlEvent> event = m_clicks.feed(input, labelAt(point))) {
        forward(*event);
    }
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
    HMENU menu = MakeSlotMenu();
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, m_window, nullptr));
    DestroyMenu(menu);
    if (const std::optional<Command> command = CommandOfId(chosen)) {
        forward(commandEvent(*command, slot));
    }
}

void Form1::onCommand(int id, int code) {
    const std::optional<Command> command = CommandOfId(static_cast<UINT>(id));
    if (command && code <= 1) {  // a menu item, or an accelerator
        forward(commandEvent(*command));
        return;
    }
    const std::size_t at = static_cast<std::size_t>(id - kFirstControlId);
    if (id < kFirstControlId || at >= m_items.size()) {
        return;
    }
    const Control& control = *m_items[at].control;
    if (control.kind == ControlKind::FileList && code == LBN_SELCHANGE) {
        forward({control.role, EventKind::Selected, m_fileList.selectedRow()});
    } else if (control.kind == ControlKind::Button && code == BN_CLICKED) {
        forward({control.role, EventKind::Click});
    } else if (code == kDoubleClickedCode) {
        forward({control.role, EventKind::DoubleClick});
    } else if (code >= kFirstKeyCode) {
        forward({control.role, EventKind::KeyPressed, -1, -1,
                 static_cast<Key>(code - kFirstKeyCode), GetKeyState(VK_SHIFT) < 0});
    }
}

void Form1::forward(const ControlEvent& event) {
    const Update update = m_controller.handle(event, userDecimalSeparator());
    for (Item& item : m_items) {
        if (update.shows(*item.control)) {
            draw(item);
        }
    }
    if (update.has(kNoticePart)) {  // the whole of a long one as the line's tool-tip
        SetWindowTextA(m_statusBar, m_controller.notice().c_str());
        SendMessageA(m_statusBar, SB_SETTIPTEXTA, 0,
                     reinterpret_cast<LPARAM>(m_controller.notice().c_str()));
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
    const Control& control = *item.control;
    if (control.kind == ControlKind::FileList) {
        m_fileList.show(m_controller.fileList());
    } else if (control.kind == ControlKind::PictureBox) {
        m_chart.showCross(m_controller.chartCross());
    } else if (control.kind == ControlKind::SlotColumn) {
        SetWindowTextA(item.child, m_controller.accessibleName(control).c_str());
        InvalidateRect(m_window, &item.rect, FALSE);
    } else if (control.kind == ControlKind::TextBox) {
        SetWindowTextA(item.child, m_controller.colourBox(control).text.c_str());
        InvalidateRect(item.child, nullptr, FALSE);  // the colour may change alone
    } else if (control.kind == ControlKind::Label) {
        LabelView view = m_controller.label(control);
        InvalidateRect(m_window, &item.rect, FALSE);
        if (control.has(kAutoSize)) {
            fitToCaption(item, view.caption);
            InvalidateRect(m_window, &item.rect, FALSE);
        }
        if (m_toolTips != nullptr) {
            TTTOOLINFOA tool = toolFor(m_window, item.control, item.rect, view.toolTip.data());
            SendMessageA(m_toolTips, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
            SendMessageA(m_toolTips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

void Form1::fitToCaption(Item& label, const std::string& caption) const {
    HDC dc = GetDC(m_window);
    HGDIOBJ previous = SelectObject(dc, fontOf(*label.control));
    SIZE size{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(m_window, dc);
    label.rect.right = label.rect.left + std::max<LONG>(size.cx, kLeastAutoSizeWidth);
    label.rect.bottom = label.rect.top + size.cy;
}

}  // namespace orvex
