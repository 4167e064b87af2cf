#include "win32/file_list_box.h"

#include <commctrl.h>

namespace orvex {

void FileListBox::attach(HWND listBox) {
    m_listBox = listBox;
    SetWindowSubclass(listBox, paintHint, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK FileListBox::paintHint(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    const auto* list = reinterpret_cast<const FileListBox*>(self);
    if (message != WM_PAINT || !list->m_shown.empty()) {
        return result;
    }
    const std::string& hint = list->m_emptyHint;
    HDC dc = GetDC(window);
    RECT area{};
    GetClientRect(window, &area);
    InflateRect(&area, -3, -2);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    // DT_EDITCONTROL breaks a long folder name too.
    DrawTextA(dc, hint.c_str(), static_cast<int>(hint.size()), &area,
              DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return result;
}

void FileListBox::show(const FileListModel& model) {
    m_emptyHint = model.emptyHint();
    if (m_shown != model.entries()) {
        m_shown = model.entries();
        SendMessageA(m_listBox, LB_RESETCONTENT, 0, 0);
        for (const std::string& name : m_shown) {
            SendMessageA(m_listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
    }
    if (model.ListIndex() >= 0) {
        SendMessageA(m_listBox, LB_SETCURSEL, static_cast<WPARAM>(model.ListIndex()), 0);
    }
    InvalidateRect(m_listBox, nullptr, TRUE);
}

int FileListBox::selectedRow() const {
    const LRESULT selected = SendMessageA(m_listBox, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

}  // namespace orvex
