#include "win32/read_only_text.h"

#include <commctrl.h>

namespace orvex {

namespace {

LRESULT CALLBACK keysLeave(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, keysLeave, 0);
    }
    const LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
    if (message == WM_GETDLGCODE) {
        return code & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
    }
    return code;
}

}  // namespace

bool LetKeysLeave(HWND readOnlyEdit) {
    return SetWindowSubclass(readOnlyEdit, keysLeave, 0, 0) != FALSE;
}

}  // namespace orvex
