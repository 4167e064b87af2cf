#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "colour/colour_slots.h"

namespace orvex {

// The file list over a LISTBOX control: the names of one folder's files that match
// a pattern. Path() is the folder in Windows form without a final backslash (but
// for a root), so that Path() + "\" + List(i) names the file.
class FileListBox : public FileListView {
  public:
    explicit FileListBox(std::string pattern) : m_pattern(std::move(pattern)) {}

    // Takes over `listBox`; while it has no entries it says where it looked.
    void attach(HWND listBox);
    HWND handle() const { return m_listBox; }

    // Lists `windowsFolder` (relative: against the current folder). False, and
    // the list as it was, when the folder cannot be listed.
    bool setFolder(const std::string& windowsFolder);

    // True once per change of the selected entry (LBN_SELCHANGE also comes when
    // the user clicks the entry already selected).
    bool selectionChanged();

    std::string Path() const override { return m_path; }
    int ListIndex() const override;
    int ListCount() const override { return static_cast<int>(m_names.size()); }
    std::string List(int index) const override;

  private:
    static LRESULT CALLBACK paintHint(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self);

    std::string m_pattern;
    HWND m_listBox = nullptr;
    std::string m_path;
    std::vector<std::string> m_names;
    int m_lastSelected = -1;
};

}  // namespace orvex
