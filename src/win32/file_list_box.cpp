#include "win32/file_list_box.h"

#include <commctrl.h>

#include "form/form1_controls.h"
#include "platform/host_path.h"
#include "platform/virtual_store.h"
#include "platform/windows_path.h"

namespace orvex {

void FileListBox::attach(HWND listBox) {
    m_listBox = listBox;
    SetWindowSubclass(listBox, paintHint, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK FileListBox::paintHint(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    const auto* list = reinterpret_cast<const FileListBox*>(self);
    if (message != WM_PAINT || list->ListCount() > 0) {
        return result;
    }
    const std::string hint = EmptyListHint(list->m_pattern, list->m_path);
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

bool FileListBox::setFolder(const std::string& windowsFolder) {
    const std::string folder = FolderShownFor(windowsFolder);
    const FolderListing listing = ListFilesTheGameSees(HostPath(folder, {}), m_pattern);
    if (!listing.ok) {
        if (m_path.empty()) {
            m_path = FolderShownFor(CurrentFolder());
        }
        return false;
    }
    m_path = folder;
    m_names = listing.names;
    m_lastSelected = -1;
    SendMessageA(m_listBox, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : m_names) {
        SendMessageA(m_listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    InvalidateRect(m_listBox, nullptr, TRUE);
    return true;
}

bool FileListBox::selectionChanged() {
    const int selected = ListIndex();
    if (selected == m_lastSelected) {
        return false;
    }
    m_lastSelected = selected;
    return selected >= 0;
}

int FileListBox::ListIndex() const {
    const LRESULT selected = SendMessageA(m_listBox, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

std::string FileListBox::List(int index) const {
    if (index < 0 || index >= ListCount()) {
        return {};
    }
    return m_names[static_cast<std::size_t>(index)];
}

}  // namespace orvex
