#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "form/drawn_pictures.h"
#include "form/form1_controller.h"

namespace orvex {

// The window procedure of a class whose windows belong to a C++ object: the object
// comes as CreateWindowExA's last argument, is kept with the window, and gets every
// message through `Owner::handle(message, wParam, lParam)` (its m_window set first).
template <typename Owner>
LRESULT CALLBACK OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        owner->m_window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (owner == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    const LRESULT result = owner->handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        owner->m_window = nullptr;
    }
    return result;
}

inline void RegisterOwnedClass(WNDCLASSEXA type) {
    type.cbSize = sizeof type;
    RegisterClassExA(&type);
}

// Draws `picture` stretched into `target` (nearest pixel, no smoothing, so a chart
// pixel keeps its exact colour).
void DrawPicture(HDC dc, PictureView picture, const RECT& target);

// The colour chart: a child window showing the chart picture over its client area. A
// press of any mouse button captures the pointer; until the last button is up the
// moves and the release come here even off the box, where the pixel query gives -1.
// A release of a button pressed elsewhere is not reported.
class ColourChart {
  public:
    // PointerMoved or ButtonReleased, with the pixel query at the pointer and the
    // picture's pixel there (none off the chart).
    using Report =
        std::function<void(EventKind kind, PackedColour pixel, std::optional<ChartPoint> at)>;

    static void registerClass(HINSTANCE instance);

    explicit ColourChart(Report report);
    // At `place` in the parent's client area, so that it is never resized on the way.
    HWND create(HWND parent, int controlId, DWORD border, const RECT& place);
    // Where the keyboard's cross is drawn while the chart has the focus, in the
    // picture's pixels.
    void showCross(ChartPoint point);

  private:
    // The picture's pixel under the client point of a mouse message; none off the chart.
    std::optional<ChartPoint> pointAt(LPARAM point) const;
    void report(EventKind kind, LPARAM point) const;
    template <typename Owner>
    friend LRESULT CALLBACK OwnerWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    PictureView m_chart;
    Report m_report;
    ChartPoint m_cross;
    HWND m_window = nullptr;
    unsigned m_pressed = 0;  // MK_ bits of the buttons pressed over the chart
};

}  // namespace orvex
