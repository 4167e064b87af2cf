#include "win32/colour_chart.h"

#include <windowsx.h>

#include <utility>

#include "win32/pictures.h"
#include "win32/window_owner.h"

namespace orvex {

const char* const ColourChart::kClassName = "OrvexColourChart";

bool ColourChart::registerClass(HINSTANCE instance) {
    WNDCLASSEXA type{};
    type.lpfnWndProc = OwnerWindowProc<ColourChart>;
    type.hInstance = instance;
    type.hCursor = LoadCursor(nullptr, IDC_CROSS);
    type.lpszClassName = kClassName;
    return RegisterOwnedClass(type);
}

ColourChart::ColourChart(PixelHandler moved, PixelHandler released)
    : m_chart(DrawnChart()), m_moved(std::move(moved)), m_released(std::move(released)) {}

HWND ColourChart::create(HWND parent, int controlId, DWORD border, const RECT& place) {
    return CreateWindowExA(border, kClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, place.left,
                           place.top, place.right - place.left, place.bottom - place.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                           GetModuleHandleA(nullptr), this);
}

// The chart fills the client area: at 96 dpi one pixel to a pixel, at others scaled.
PackedColour ColourChart::pixelAt(int x, int y) const {
    RECT client{};
    GetClientRect(m_window, &client);
    if (x < 0 || y < 0 || x >= client.right || y >= client.bottom) {
        return -1;
    }
    return PixelQuery(m_chart, x * m_chart.width / client.right,
                      y * m_chart.height / client.bottom);
}

LRESULT ColourChart::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the chart covers the whole client area
        case WM_LBUTTONDOWN:
            press(MK_LBUTTON);
            return 0;
        case WM_RBUTTONDOWN:
            press(MK_RBUTTON);
            return 0;
        case WM_MBUTTONDOWN:
            press(MK_MBUTTON);
            return 0;
        case WM_LBUTTONUP:
            release(MK_LBUTTON, lParam);
            return 0;
        case WM_RBUTTONUP:
            release(MK_RBUTTON, lParam);
            return 0;
        case WM_MBUTTONUP:
            release(MK_MBUTTON, lParam);
            return 0;
        case WM_MOUSEMOVE:
            m_moved(pixelAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
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

void ColourChart::press(unsigned button) {
    SetFocus(m_window);
    m_pressed |= button;
    SetCapture(m_window);
}

void ColourChart::release(unsigned button, LPARAM lParam) {
    if ((m_pressed & button) == 0) {
        return;
    }
    m_pressed &= ~button;
    if (m_pressed == 0) {
        ReleaseCapture();  // WM_CAPTURECHANGED clears m_pressed, already empty
    }
    m_released(pixelAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
}

}  // namespace orvex
