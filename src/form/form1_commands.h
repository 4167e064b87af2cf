#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// Everything the menu bar and the slot menu can ask of the controller. Each toolkit
// builds its menus from the descriptions below and forwards the chosen command.
enum class Command {
    ImportScheme,
    ExportScheme,
    ApplyToOthers,
    Save,
    Reload,
    Exit,
    Undo,
    Redo,
    ChooseSavedColour,
    RestoreAllFileColours,
    About,
    // The slot menu: on the option it was opened on.
    GiveSavedColour,
    RestoreFileColour,
    CopyColour,
    PasteColour,
    ChooseColour,
};

// A keyboard shortcut: a letter or a function key, with the modifiers held.
struct Shortcut {
    char letter = 0;      // 'A'..'Z', or 0
    int functionKey = 0;  // 1..12 for F1..F12, or 0
    bool ctrl = false;
    bool shift = false;

    // "Ctrl+S", "F5", "Ctrl+Shift+Z": the form both toolkits show and Qt parses.
    std::string text() const;
};

// A menu entry. `text` marks its mnemonic with '&' ("&Save Changes"), as both
// toolkits do; the first shortcut is the one the menu shows.
struct MenuItem {
    Command command = Command::Save;
    std::string_view text;
    std::vector<Shortcut> shortcuts;
    bool separatorBefore = false;
};

struct Menu {
    std::string_view title;  // "&File"; empty for the slot menu, which pops up
    std::vector<MenuItem> items;
};

// File, Edit and Help, above the designed client area.
const std::vector<Menu>& Form1MenuBar();
// The menu of one option: on a right-click, the context-menu key or Shift+F10.
const Menu& SlotMenu();
// The command `shortcut` stands for, if any.
std::optional<Command> CommandFor(const Shortcut& shortcut);

// Keys that the chart and the slot column handle while they have the focus.
enum class Key { Up, Down, Left, Right, Home, End, Enter, Space, Delete, Backspace, ContextMenu };

}  // namespace orvex
