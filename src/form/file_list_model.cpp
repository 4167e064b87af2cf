#include "form/file_list_model.h"

#include <utility>

#include "form/form1_controls.h"
#include "platform/file_list.h"
#include "platform/virtual_store.h"
#include "platform/windows_path.h"

namespace orvex {

bool FileListModel::setFolder(const std::string& windowsFolder, const FileSystem& files) {
    const std::string folder = FolderShownFor(windowsFolder);
    const std::string hostFolder = files.hostPath(folder);
    FolderListing listing = ListFilesTheGameSees(hostFolder, kFilePattern);
    if (!listing.ok) {
        return false;
    }
    m_path = folder;
    m_names = std::move(listing.names);
    m_emptyHint = EmptyListHint(kFilePattern, hostFolder.empty() ? folder : hostFolder);
    m_selected = -1;
    return true;
}

bool FileListModel::select(int row) {
    if (row < 0 || row >= ListCount() || row == m_selected) {
        return false;
    }
    m_selected = row;
    return true;
}

std::string FileListModel::List(int index) const {
    if (index < 0 || index >= ListCount()) {
        return {};
    }
    return m_names[static_cast<std::size_t>(index)];
}

}  // namespace orvex
