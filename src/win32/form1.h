#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "form/form1_controller.h"
#include "form/form1_controls.h"
#include "form/rgb_pictures.h"
#include "win32/colour_chart.h"
#include "win32/file_list_box.h"
#include "win32/message_box.h"

namespace orvex {

// The one window on the Win32 API, built from the description in src/form. The
// file list, the text boxes, the button and the chart are child windows, created
// in tab order; the texture and the labels are painted by Form1 itself, so they
// take no focus and the labels stay transparent over the texture.
class Form1 {
  public:
    static const char* const kClassName;

    // The window classes of Form1 and the chart; once per process.
    static bool registerClasses(HINSTANCE instance);

    // `controller` has started; `showMessages` shows what it reports (tests pass one
    // that records).
    explicit Form1(Form1Controller& controller, MessagesShower showMessages = ShowMessages);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Makes the window, hidden, at its design position. Null when Windows refuses.
    HWND create();
    // Shows the window with the keyboard focus on the file list.
    void show(int showCommand);
    // The message loop's part: the menus' shortcuts, then Tab and the arrows moving
    // between the controls as in a dialog. True when `message` was handled so.
    bool translate(MSG* message);
    HWND handle() const { return m_window; }

    const Form1Controller& controller() const { return m_controller; }
    // The child window of a control (fileINI, Text1, txtSaved, Text2, Command1,
    // Picture1); null for the painted ones.
    HWND control(std::string_view name) const;
    // Where a painted label lies, in client pixels.
    RECT labelRect(std::string_view name, int index) const;
    // Made on the first pointer move over the window (or this call): they are not
    // needed for the first paint.
    HWND toolTips();

  private:
    // A control of the description: a child window, or painted by Form1 in `rect`.
    struct Item {
        const Control* control;
        HWND child;
        RECT rect;
    };

    template <typename Owner>
    friend LRESULT CALLBACK OwnerWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void clicked(LabelClicks::Input input, LPARAM lParam);
    void onLeftButton(UINT message, LPARAM lParam);
    void onDpiChanged(int dpi, const RECT& frame);
    LRESULT boxColours(HDC dc, HWND box);

    void createChildren();
    HWND createChild(const Control& control, int id, const RECT& place);
    void createToolTips();
    void makeFonts(int dpi);
    void layOut(int dpi);
    void fitClientArea(int dpi);
    HFONT fontOf(const Control& control) const;
    const Item* find(std::string_view name, int index) const;

    void paint();
    void paintAll(HDC dc, const RECT& client) const;
    void paintLabel(HDC dc, const Item& label) const;

    void onCommand(int id, int code);
    void onContextMenu(HWND from, LPARAM lParam);
    void openSlotMenu(int slot, bool atPointer);
    const Control* labelAt(POINT point) const;
    RECT rectOf(const Control* control) const;
    void forward(const ControlEvent& event);
    void draw(Item& item);
    void fitToCaption(Item& label, const std::string& caption) const;

    Form1Controller& m_controller;
    MessagesShower m_showMessages;
    LabelClicks m_clicks;
    FileListBox m_fileList;
    ColourChart m_chart;
    RgbPicture m_texture;
    HWND m_window = nullptr;
    HWND m_toolTips = nullptr;
    HWND m_statusBar = nullptr;  // the notice, below the designed client area
    HACCEL m_accelerators = nullptr;
    HWND m_focus = nullptr;  // given back when the window is activated again
    bool m_paintedOnce = false;
    std::vector<Item> m_items;  // in drawing order
    HFONT m_font = nullptr;
    HFONT m_boldFont = nullptr;
    HBRUSH m_boxBrush = nullptr;
};

}  // namespace orvex
