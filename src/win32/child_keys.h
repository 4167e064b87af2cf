#pragma once

#include <windows.h>

#include <initializer_list>

#include "form/form1_commands.h"

namespace orvex {

// What a child made by ReportKeys sends its parent, as WM_COMMAND(id, code, child)
// like a standard control's notification: a double-click, or one of its keys.
inline constexpr WORD kDoubleClickedCode = 0x7F00;
inline constexpr WORD kFirstKeyCode = 0x7F10;  // + the Key

// Makes `child` hand `keys` to its parent instead of the dialog navigation or its own
// handling, report its double-clicks, and have the parent redraw over it when it
// gains or loses the focus (a focus frame or cross the parent or it draws).
bool ReportKeys(HWND child, std::initializer_list<Key> keys);

}  // namespace orvex
