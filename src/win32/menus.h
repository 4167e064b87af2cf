#pragma once

#include <windows.h>

#include <optional>

#include "form/form1_commands.h"
#include "form/form1_controller.h"

namespace orvex {

// The menus as native menus. A menu item's id, and the WM_COMMAND an accelerator
// sends, is CommandId(its command).
UINT CommandId(Command command);
std::optional<Command> CommandOfId(UINT id);

// The bar of Form1MenuBar(), each item's first shortcut shown after a tab.
HMENU MakeMenuBar();
// A pop-up menu of SlotMenu().
HMENU MakeSlotMenu();
// Every shortcut of the menu bar; the caller destroys it.
HACCEL MakeAccelerators();
// Greys the items of `menu` (and of its pop-ups) that `controller` says are not enabled.
void EnableCommands(HMENU menu, const Form1Controller& controller);

}  // namespace orvex
