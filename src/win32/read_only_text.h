#pragma once

#include <windows.h>

namespace orvex {

// A multi-line EDIT wants every key (DLGC_WANTALLKEYS), so IsDialogMessageA never
// moves the focus out of it. A read-only one has no use for Tab, Enter or Escape:
// this hands them back to the window, while the arrows and page keys still scroll it.
bool LetKeysLeave(HWND readOnlyEdit);

}  // namespace orvex
