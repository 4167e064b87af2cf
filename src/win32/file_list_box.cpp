#include "win32/file_list_box.h"

#include "platform/host_path.h"
#include "platform/virtual_store.h"
#include "platform/windows_path.h"

namespace orvex {

std::string FileListBox::currentFolder() {
    char folder[MAX_PATH * 4] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string(".");
}

bool FileListBox::setFolder(const std::string& windowsFolder) {
    const std::string absolute =
        IsAbsolutePath(windowsFolder) ? windowsFolder : JoinPath(currentFolder(), windowsFolder);
    const FolderListing listing = ListFilesTheGameSees(HostPath(absolute), m_pattern);
    if (!listing.ok) {
        if (m_path.empty()) {
            m_path = WithoutFinalSeparators(currentFolder());
        }
        return false;
    }
    m_path = WithoutFinalSeparators(absolute);
    m_names = listing.names;
    m_lastSelected = -1;
    SendMessageA(m_listBox, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : m_names) {
        SendMessageA(m_listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
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
