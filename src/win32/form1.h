#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "win32/colour_chart.h"

namespace orvex {

// How a window shows messages: each in turn, owned by `owner` (may be null).
using MessagesShower = std::function<void(HWND owner, const UserMessages& messages)>;

// Each message in turn in a modal message box with an OK button, under its title.
void ShowMessages(HWND owner, const UserMessages& messages);

// The one window on the Win32 API, built from the description in src/form. The
// file list, the text boxes, the button and the chart are child windows, created
// in tab order; the texture and the labels are painted by Form1 itself, so they
// take no focus and the labels stay transparent over the texture.
class Form1 {
  public:
    // `controller` has started; `showMessages` shows what it reports (tests record).
    explicit Form1(Form1Controller& controller, MessagesShower showMessages = ShowMessages);
    ~Form1();
    Form1(const Form1&) = delete;  // its windows point to it

    // Makes the window, hidden, at its design position. Null when Windows refuses.
    HWND create();
    // Shows the window with the keyboard focus on the file list.
    void show(int showCommand);
    // The message loop's part: the menus' shortcuts, then Tab and the arrows moving
    // between the controls as in a dialog. True when `message` was handled so.
    bool translate(MSG* message);
    HWND handle() const { return m_window; }

    // The child window of the control `name`; null for the painted ones.
    HWND control(std::string_view name) const { return find(name, -1).child; }
    // Where a painted label lies, in client pixels.
    RECT labelRect(std::string_view name, int index) const { return find(name, index).rect; }
    // Made when the pointer first comes over the window (or on this call), not before
    // the first paint.
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
    void onLeftButton(UINT message, LPARAM lParam);
    void onDpiChanged(int dpi, const RECT& frame);
    void onCommand(int id, int code);
    void onContextMenu(HWND from, LPARAM lParam);
    void openSlotMenu(int slot, bool atPointer);
    const Control* labelAt(POINT point) const;
    RECT rectOf(const Control* control) const;
    LRESULT boxColours(HDC dc, HWND box);

    void createChildren();
    void nameChildren();
    void layOut(int dpi);
    HWND createChild(const Control& control, int id, const RECT& place);
    void wireChild(const Control& control, HWND child);
    void fitClientArea(int dpi);
    HFONT fontOf(const Control& control) const { return m_fonts[control.font.bold]; }
    // The item of `name` (`index` in an array), else one with neither child nor place.
    const Item& find(std::string_view name, int index) const;

    void paint();
    void paintAll(HDC dc, const RECT& client) const;

    void forward(const ControlEvent& event);
    void draw(Item& item);
    void drawFileList();
    void drawLabel(Item& label);
    void sendTool(UINT message, const Item& label) const;
    void sendNoticeTool(UINT message) const;

    Form1Controller& m_controller;
    MessagesShower m_showMessages;
    LabelClicks m_clicks;
    ColourChart m_chart;
    PictureView m_texture;
    HWND m_window = nullptr;
    HWND m_fileList = nullptr;
    std::vector<std::string> m_fileRows;  // what m_fileList holds
    HWND m_toolTips = nullptr;
    HWND m_statusBar = nullptr;  // the notice, below the designed client area
    HACCEL m_accelerators = nullptr;
    HWND m_focus = nullptr;  // given back when the window is activated again
    bool m_paintedOnce = false;
    std::vector<Item> m_items;  // in drawing order
    HFONT m_fonts[2] = {};      // regular, bold
    HBRUSH m_boxBrush = nullptr;
};

}  // namespace orvex
