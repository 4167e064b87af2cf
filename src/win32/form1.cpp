#include "win32/form1.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "win32/fonts.h"
#include "win32/message_box.h"
#include "win32/pictures.h"
#include "win32/read_only_text.h"
#include "win32/window_owner.h"

namespace orvex {

const char* const Form1::kClassName = "OrvexForm1";

namespace {

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

bool painted(const Control& control) {
    return control.kind == ControlKind::Label || control.kind == ControlKind::Image;
}

}  // namespace

RECT PixelRectOf(const TwipsRect& twips, int dpi) {
    const PixelRect pixels = TwipsToPixels(twips, dpi);
    return {pixels.left, pixels.top, pixels.left + pixels.width, pixels.top + pixels.height};
}

bool Form1::registerClasses(HINSTANCE instance) {
    WNDCLASSEXA type{};
    type.style = CS_DBLCLKS;  // the labels' double-click
    type.lpfnWndProc = OwnerWindowProc<Form1>;
    type.hInstance = instance;
    type.hCursor = LoadCursor(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = kClassName;
    return RegisterOwnedClass(type) && ColourChart::registerClass(instance);
}

Form1::Form1(Form1Controller& controller, MessagesShower showMessages)
    : m_controller(controller),
      m_showMessages(std::move(showMessages)),
      m_chart([this](PackedColour pixel) { onChart(pixel, EventKind::PointerMoved); },
              [this](PackedColour pixel) { onChart(pixel, EventKind::ButtonReleased); }),
      m_texture(DrawnTexture()) {}

Form1::~Form1() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(m_font), static_cast<HGDIOBJ>(m_boldFont),
                           static_cast<HGDIOBJ>(m_boxBrush)}) {
        if (object != nullptr) {
            DeleteObject(object);
        }
    }
    for (HICON icon : m_icons) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

HWND Form1::create() {
    const int dpi = systemDpi(nullptr);
    const WindowDescription& described = Form1Window();
    const std::string caption(described.caption);
    RECT frame =
        PixelRectOf({kDesignLeft, kDesignTop, described.clientWidth, described.clientHeight}, dpi);
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    CreateWindowExA(0, kClassName, caption.c_str(), kWindowStyle, frame.left, frame.top,
                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                    GetModuleHandleA(nullptr), this);
    return m_window;
}

void Form1::show(int showCommand) {
    ShowWindow(m_window, showCommand);
    SetFocus(m_fileList.handle());
    UpdateWindow(m_window);
}

HWND Form1::control(std::string_view name) const {
    const std::vector<Control>& controls = Form1Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].name == name && i < m_children.size()) {
            return m_children[i];
        }
    }
    return nullptr;
}

RECT Form1::labelRect(std::string_view name, int index) const {
    for (const Painted& label : m_painted) {
        if (label.control->name == name && label.control->index == index) {
            return label.rect;
        }
    }
    return {};
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (handleMouse(message, lParam)) {
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            createChildren();
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

// Moved to a monitor of another DPI: every twips rectangle anew, in the frame Windows
// suggests.
void Form1::onDpiChanged(int dpi, const RECT& suggested) {
    SetWindowPos(m_window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layOut(dpi);
}

// Children in tab order, so that Tab follows it; painted controls only get a place.
void Form1::createChildren() {
    const std::vector<Control>& controls = Form1Controls();
    m_children.assign(controls.size(), nullptr);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (!painted(controls[i])) {
            m_children[i] = createChild(controls[i], kFirstControlId + static_cast<int>(i));
        }
    }
    for (int layer : {DrawingLayer(ControlKind::Image), DrawingLayer(ControlKind::Label)}) {
        for (const Control& control : controls) {
            if (painted(control) && DrawingLayer(control.kind) == layer) {
                m_painted.push_back({&control, {}});
            }
        }
    }
    m_boxBrush = CreateSolidBrush(
        static_cast<COLORREF>(FindControl(Role::SampleBox)->background.value_or(0)));
    setIcons();
    createToolTips();
    layOut(systemDpi(m_window));
    m_fileList.show(m_controller.fileList());
}

// The styles come from the description's flags.
HWND Form1::createChild(const Control& control, int id) {
    const DWORD border = control.kind == ControlKind::Button ? 0 : WS_EX_CLIENTEDGE;
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
            return m_chart.create(m_window, id, control.has(kSunkenBorder) ? WS_EX_CLIENTEDGE : 0);
        default:
            return nullptr;
    }
    const std::string text(control.text);
    HWND child = CreateWindowExA(border, type, text.c_str(), style, 0, 0, 0, 0, m_window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    if (control.kind == ControlKind::FileList) {
        m_fileList.attach(child);
    } else if (control.kind == ControlKind::MultiLineTextBox && control.has(kLocked)) {
        LetKeysLeave(child);
    }
    return child;
}

void Form1::setIcons() {
    m_icons[0] = MakeIcon(16);
    m_icons[1] = MakeIcon(32);
    SendMessageA(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icons[0]));
    SendMessageA(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icons[1]));
}

// One tool per slot label; their texts follow the slot table (refreshLabels).
void Form1::createToolTips() {
    m_toolTips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    for (int index = 0; index < ColourSlotTable::kLabelCount; ++index) {
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = m_window;
        tool.uId = static_cast<UINT_PTR>(index);
        tool.lpszText = const_cast<char*>("");
        SendMessageA(m_toolTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Form1::layOut(int dpi) {
    makeFonts(dpi);
    const std::vector<Control>& controls = Form1Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (HWND child = m_children[i]) {
            const RECT place = PixelRectOf(controls[i].twips, dpi);
            MoveWindow(child, place.left, place.top, place.right - place.left,
                       place.bottom - place.top, FALSE);
            SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(controls[i])), FALSE);
        }
    }
    for (Painted& label : m_painted) {
        label.rect = PixelRectOf(label.control->twips, dpi);
    }
    fitClientArea(dpi);
    refreshLabels();
}

// The frame's own size differs with the DPI of the monitor the window is on; the
// client area must be the designed one at that DPI.
void Form1::fitClientArea(int dpi) {
    RECT frame{};
    RECT client{};
    GetWindowRect(m_window, &frame);
    GetClientRect(m_window, &client);
    const WindowDescription& described = Form1Window();
    const int width = TwipsToPixels(described.clientWidth, dpi) - client.right;
    const int height = TwipsToPixels(described.clientHeight, dpi) - client.bottom;
    if (width != 0 || height != 0) {
        SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left + width,
                     frame.bottom - frame.top + height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

HFONT Form1::fontOf(const Control& control) const {
    return control.font.bold ? m_boldFont : m_font;
}

LRESULT Form1::boxColours(HDC dc, HWND box) {
    const std::vector<Control>& controls = Form1Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (m_children[i] != box || !controls[i].background) {
            continue;
        }
        const ColourBox& shown =
            controls[i].role == Role::SampleBox ? m_controller.sample() : m_controller.saved();
        SetTextColor(dc, static_cast<COLORREF>(shown.colour));
        SetBkColor(dc, static_cast<COLORREF>(*controls[i].background));
        return reinterpret_cast<LRESULT>(m_boxBrush);
    }
    // A locked text box keeps the colours of an editable one.
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

// Everything is drawn off screen first, so that a label changing colour never flickers.
void Form1::paint() {
    PAINTSTRUCT paint{};
    HDC screen = BeginPaint(m_window, &paint);
    RECT client{};
    GetClientRect(m_window, &client);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(dc, canvas);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (const Painted& item : m_painted) {
        if (item.control->kind == ControlKind::Image) {
            DrawPicture(dc, m_texture, item.rect);
        } else {
            paintLabel(dc, item);
        }
    }
    BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, previous);
    DeleteObject(canvas);
    DeleteDC(dc);
    EndPaint(m_window, &paint);
}

void Form1::paintLabel(HDC dc, const Painted& label) const {
    const Control& control = *label.control;
    if (!control.has(kTransparent)) {
        FillRect(dc, &label.rect, GetSysColorBrush(COLOR_BTNFACE));
    }
    HGDIOBJ previous = SelectObject(dc, fontOf(control));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(colourOf(control)));
    const std::string caption = captionOf(control);
    RECT area = label.rect;
    const UINT layout = control.has(kWordWrapCentred) ? DT_CENTER | DT_WORDBREAK : DT_SINGLELINE;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &area, layout | DT_NOPREFIX);
    SelectObject(dc, previous);
}

std::string Form1::captionOf(const Control& control) const {
    if (control.role == Role::SlotLabel) {
        return m_controller.slotTable().slot(control.index).optionName;
    }
    if (control.role == Role::CharacterName) {
        return m_controller.characterName();
    }
    return std::string(control.text);
}

PackedColour Form1::colourOf(const Control& control) const {
    if (control.role == Role::SlotLabel) {
        return m_controller.slotTable().slot(control.index).colour;
    }
    return control.foreground.value_or(static_cast<PackedColour>(GetSysColor(COLOR_BTNTEXT)));
}

// The topmost label under the point: the last one drawn.
const Form1::Painted* Form1::labelAt(POINT point) const {
    for (auto label = m_painted.rbegin(); label != m_painted.rend(); ++label) {
        if (label->control->kind == ControlKind::Label && PtInRect(&label->rect, point)) {
            return &*label;
        }
    }
    return nullptr;
}

// A label's click comes with the release over the label it was pressed on; a
// double-click arrives as a click, then the double-click.
bool Form1::handleMouse(UINT message, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_LBUTTONDOWN:
            m_pressed = labelAt(point);
            m_endingDoubleClick = false;
            SetCapture(m_window);
            return true;
        case WM_LBUTTONDBLCLK:
            m_pressed = labelAt(point);
            m_endingDoubleClick = true;
            SetCapture(m_window);
            if (m_pressed != nullptr) {
                forward(
                    {m_pressed->control->role, EventKind::DoubleClick, m_pressed->control->index});
            }
            return true;
        case WM_LBUTTONUP: {
            const Painted* pressed = std::exchange(m_pressed, nullptr);
            ReleaseCapture();
            if (pressed != nullptr && !m_endingDoubleClick && labelAt(point) == pressed) {
                forward({pressed->control->role, EventKind::Click, pressed->control->index});
            }
            return true;
        }
        default:
            return false;
    }
}

void Form1::onCommand(int id, int code) {
    const std::size_t index = static_cast<std::size_t>(id - kFirstControlId);
    if (id < kFirstControlId || index >= Form1Controls().size()) {
        return;
    }
    const Control& control = Form1Controls()[index];
    if (control.kind == ControlKind::FileList && code == LBN_SELCHANGE) {
        forward({control.role, EventKind::Selected, m_fileList.selectedRow()});
    } else if (control.kind == ControlKind::Button && code == BN_CLICKED) {
        forward({control.role, EventKind::Click});
    }
}

void Form1::onChart(PackedColour pixel, EventKind kind) {
    forward({Role::ColourChart, kind, -1, pixel});
}

void Form1::forward(const ControlEvent& event) {
    const Update update = m_controller.handle(event, userDecimalSeparator());
    if (update.has(kFileListPart)) {
        m_fileList.show(m_controller.fileList());
    }
    if (update.has(kSamplePart)) {
        showBox(Role::SampleBox, m_controller.sample());
    }
    if (update.has(kSavedPart)) {
        showBox(Role::SavedBox, m_controller.saved());
    }
    if (update.has(kSlotsPart) || update.has(kCharacterNamePart)) {
        refreshLabels();
    }
    m_showMessages(m_window, update.messages);
}

void Form1::showBox(Role role, const ColourBox& box) {
    const std::vector<Control>& controls = Form1Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].role == role) {
            SetWindowTextA(m_children[i], box.text.c_str());
            InvalidateRect(m_children[i], nullptr, FALSE);
        }
    }
}

// The slot labels, their tool-tips and the character name after any change.
void Form1::refreshLabels() {
    for (Painted& label : m_painted) {
        if (label.control->has(kAutoSize)) {
            fitToCaption(label);
        }
        if (label.control->role == Role::SlotLabel) {
            updateToolTip(label);
        }
    }
    InvalidateRect(m_window, nullptr, FALSE);
}

void Form1::fitToCaption(Painted& label) const {
    HDC dc = GetDC(m_window);
    HGDIOBJ previous = SelectObject(dc, fontOf(*label.control));
    const std::string caption = captionOf(*label.control);
    SIZE size{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(m_window, dc);
    constexpr LONG kEmptyWidth = 3;  // an empty label never vanishes entirely
    label.rect.right = label.rect.left + std::max(size.cx, kEmptyWidth);
    label.rect.bottom = label.rect.top + size.cy;
}

void Form1::updateToolTip(const Painted& label) const {
    std::string tip = m_controller.slotTable().slot(label.control->index).toolTipText();
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_window;
    tool.uId = static_cast<UINT_PTR>(label.control->index);
    tool.rect = label.rect;
    tool.lpszText = tip.data();
    SendMessageA(m_toolTips, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(m_toolTips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace orvex
