#pragma once

#include <windows.h>

#include <functional>

#include "form/form1_controller.h"
#include "form/rgb_pictures.h"

namespace orvex {

// The colour chart: a child window of its own (its border as given) showing the chart
// picture over its whole client area. A press of any mouse button captures the
// pointer; until the last button is up the moves and the release come here even
// off the box, where the pixel query gives -1. A release of a button pressed
// elsewhere is not reported.
class ColourChart {
  public:
    using PixelHandler = std::function<void(PackedColour pixel)>;

    static const char* const kClassName;
    static bool registerClass(HINSTANCE instance);

    ColourChart(PixelHandler moved, PixelHandler released);
    // At `place` in the parent's client area, so that it is never resized on the way.
    HWND create(HWND parent, int controlId, DWORD border, const RECT& place);
    HWND handle() const { return m_window; }

    // The packed colour under client point (x, y), or -1 off the chart.
    PackedColour pixelAt(int x, int y) const;
    // Where the keyboard's cross is drawn while the chart has the focus, in the
    // picture's pixels.
    void showCross(ChartPoint point);

  private:
    template <typename Owner>
    friend LRESULT CALLBACK OwnerWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void press(unsigned button);
    void release(unsigned button, LPARAM lParam);

    RgbPicture m_chart;
    PixelHandler m_moved;
    PixelHandler m_released;
    HWND m_window = nullptr;
    ChartPoint m_cross;
    unsigned m_pressed = 0;  // MK_ bits of the buttons pressed over the chart
};

}  // namespace orvex
