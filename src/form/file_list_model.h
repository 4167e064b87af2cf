#pragma once

#include <string>
#include <vector>

#include "colour/colour_slots.h"
#include "platform/file_system.h"

namespace orvex {

// The file list: the player options files of one folder, and the selection the slot
// table loads from. A window shows entries() (or emptyHint() while there are none)
// and reports the row the user selects.
//
// Path() is the folder in Windows form, without a final backslash except for a root
// ("C:\", "\"), so that Path() + "\" + List(i) names the file. On Windows the
// entries include the copies the game sees in the user's VirtualStore.
class FileListModel : public FileListView {
  public:
    // Lists `windowsFolder` (made absolute against the current folder when
    // relative). Returns false and keeps the folder and entries when the folder
    // cannot be listed.
    bool setFolder(const std::string& windowsFolder, const FileSystem& files);

    // The user selected `row`; false when it is no entry or already selected.
    bool select(int row);

    const std::vector<std::string>& entries() const { return m_names; }
    // "No <pattern> files in <folder>", the folder as the host names it: what the
    // list says while it has no entries, so that a user whose game was not found
    // sees where the tool looked.
    const std::string& emptyHint() const { return m_emptyHint; }

    std::string Path() const override { return m_path; }
    int ListIndex() const override { return m_selected; }
    int ListCount() const override { return static_cast<int>(m_names.size()); }
    std::string List(int index) const override;

  private:
    std::string m_path;
    std::vector<std::string> m_names;
    std::string m_emptyHint;
    int m_selected = -1;
};

}  // namespace orvex
