#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "form/file_list_model.h"

namespace orvex {

// The file list over a LISTBOX control: shows the model's entries and, while there
// are none, its hint.
class FileListBox {
  public:
    // Takes over `listBox`.
    void attach(HWND listBox);
    HWND handle() const { return m_listBox; }

    void show(const FileListModel& model);
    // -1 while nothing is selected.
    int selectedRow() const;

  private:
    static LRESULT CALLBACK paintHint(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self);

    HWND m_listBox = nullptr;
    std::vector<std::string> m_shown;
    std::string m_emptyHint;
};

}  // namespace orvex
