#include "win32/menus.h"

#include <string>
#include <vector>

namespace orvex {

namespace {

constexpr UINT kFirstCommandId = 1000;  // above every control's id

HMENU fill(HMENU menu, const Menu& described) {
    for (const MenuItem& item : described.items) {
        if (item.separatorBefore) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        }
        std::string text(item.text);
        if (!item.shortcuts.empty()) {
            text += "\t" + item.shortcuts.front().text();
        }
        AppendMenuA(menu, MF_STRING, CommandId(item.command), text.c_str());
    }
    return menu;
}

ACCEL accelerator(const Shortcut& shortcut, Command command) {
    const BYTE modifiers = (shortcut.ctrl ? FCONTROL : 0) | (shortcut.shift ? FSHIFT : 0);
    const int key = shortcut.letter != 0 ? shortcut.letter : VK_F1 + shortcut.functionKey - 1;
    return {static_cast<BYTE>(FVIRTKEY | modifiers), static_cast<WORD>(key),
            static_cast<WORD>(CommandId(command))};
}

}  // namespace

UINT CommandId(Command command) {
    return kFirstCommandId + static_cast<UINT>(command);
}

std::optional<Command> CommandOfId(UINT id) {
    if (id < kFirstCommandId || id > CommandId(Command::ChooseColour)) {
        return std::nullopt;
    }
    return static_cast<Command>(id - kFirstCommandId);
}

HMENU MakeMenuBar() {
    HMENU bar = CreateMenu();
    for (const Menu& menu : Form1MenuBar()) {
        const std::string title(menu.title);
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(fill(CreatePopupMenu(), menu)),
                    title.c_str());
    }
    return bar;
}

HMENU MakeSlotMenu() {
    return fill(CreatePopupMenu(), SlotMenu());
}

HACCEL MakeAccelerators() {
    std::vector<ACCEL> table;
    for (const Menu& menu : Form1MenuBar()) {
        for (const MenuItem& item : menu.items) {
            for (const Shortcut& shortcut : item.shortcuts) {
                table.push_back(accelerator(shortcut, item.command));
            }
        }
    }
    return CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
}

void EnableCommands(HMENU menu, const Form1Controller& controller) {
    for (int at = 0; at < GetMenuItemCount(menu); ++at) {
        if (HMENU popup = GetSubMenu(menu, at)) {
            EnableCommands(popup, controller);
        } else if (const auto command = CommandOfId(GetMenuItemID(menu, at))) {
            EnableMenuItem(menu, static_cast<UINT>(at),
                           MF_BYPOSITION | (controller.enabled(*command) ? MF_ENABLED : MF_GRAYED));
        }
    }
}

}  // namespace orvex
