#include "win32/colour_chart.h"

#include <windowsx.h>

#include <utility>

namespace orvex {

namespace {

constexpr const char* kClassName = "OrvexColourChart";

// The MK_ bit of the button of a WM_?BUTTONDOWN or WM_?BUTTONUP message.
unsigned buttonOf(UINT message) {
    return message <= WM_LBUTTONDBLCLK   ? MK_LBUTTON
           : message <= WM_RBUTTONDBLCLK ? MK_RBUTTON
                                         : MK_MBUTTON;
}

}  // namespace

// Rows of 0x??RRGGBB words from the top: a top-down 32-bit DIB as is, its top byte unused.
void DrawPicture(HDC dc, PictureView picture, const RECT& target) {
    BITMAPINFO info{
        {sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0},
        {}};
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, target.left, target.top, target.right - target.left,
                  target.bottom - target.top, 0, 0, picture.width, picture.height, picture.pixels,
                  &info, DIB_RGB_COLORS, SRCCOPY);
}

void ColourChart::registerClass(HINSTANCE instance) {
    WNDCLASSEXA type{};
    type.lpfnWndProc = OwnerWindowProc<ColourChart>;
    type.hInstance = instance;
    type.hCursor = LoadCursor(nullptr, IDC_CROSS);
    type.lpszClassName = kClassName;
    RegisterOwnedClass(type);
}

ColourChart::ColourChart(Report report) : m_chart(DrawnChart()), m_report(std::move(report)) {}

HWND ColourChart::create(HWND parent, int controlId, DWORD border, const RECT& place) {
    return CreateWindowExA(border, kClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, place.left,
                           place.top, place.right - place.left, place.bottom - place.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                           GetModuleHandleA(nullptr), this);
}

// The chart fills the client area: at 96 dpi one pixel to a pixel, at others scaled.
std::optional<ChartPoint> ColourChart::pointAt(LPARAM point) const {
    const int x = GET_X_LPARAM(point);
    const int y = GET_Y_LPARAM(point);
    RECT client{};
    GetClientRect(m_window, &client);
    if (x < 0 || y < 0 || x >= client.right || y >= client.bottom) {
        return std::nullopt;
    }
    return ChartPoint{x * m_chart.width / client.right, y * m_chart.height / client.bottom};
}

void ColourChart::report(EventKind kind, LPARAM point) const {
    const std::optional<ChartPoint> at = pointAt(point);
    m_report(kind, at ? PixelQuery(m_chart, at->x, at->y) : -1, at);
}

LRESULT ColourChart::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the chart covers the whole client area
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            SetFocus(m_window);
            m_pressed |= buttonOf(message);
            SetCapture(m_window);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if ((m_pressed & buttonOf(message)) != 0) {
                m_pressed &= ~buttonOf(message);
                if (m_pressed == 0) {
                    ReleaseCapture();  // WM_CAPTURECHANGED clears m_pressed, already empty
                }
                report(EventKind::ButtonReleased, lParam);
            }
            return 0;
        case WM_MOUSEMOVE:
            report(EventKind::PointerMoved, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            m_pressed = 0;
            return 0;
        default:
            return DefWindowProcA(m_window, message, wParam, lParam);
    }
}

void ColourChart::showCross(ChartPoint point) {
    m_cross = point;
    InvalidateRect(m_window, nullptr, FALSE);
}

// The cross inverts what lies under it, so it shows on every colour of the chart.
void ColourChart::paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(m_window, &paint);
    RECT client{};
    GetClientRect(m_window, &client);
    DrawPicture(dc, m_chart, client);
    if (GetFocus() == m_window) {
        const int x = m_cross.x * client.right / m_chart.width;
        const int y = m_cross.y * client.bottom / m_chart.height;
        PatBlt(dc, x - 6, y, 13, 1, DSTINVERT);
        PatBlt(dc, x, y - 6, 1, 6, DSTINVERT);
        PatBlt(dc, x, y + 1, 1, 6, DSTINVERT);
    }
    EndPaint(m_window, &paint);
}

}  // namespace orvex
