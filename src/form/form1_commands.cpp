#include "form/form1_commands.h"

#include <cctype>

namespace orvex {

namespace {

Shortcut ctrl(char letter, bool shift = false) {
    return {letter, 0, true, shift};
}

Shortcut functionKey(int number) {
    return {0, number, false, false};
}

bool same(const Shortcut& a, const Shortcut& b) {
    const auto upper = [](char letter) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    };
    return upper(a.letter) == upper(b.letter) && a.functionKey == b.functionKey &&
           a.ctrl == b.ctrl && a.shift == b.shift;
}

std::vector<Menu> describeMenuBar() {
    return {
        {"&File",
         {{Command::ImportScheme, "&Import Scheme...", {}, false},
          {Command::ExportScheme, "&Export Scheme...", {}, false},
          {Command::ApplyToOthers, "&Apply to Other Characters...", {}, false},
          {Command::Save, "&Save Changes", {ctrl('S')}, true},
          {Command::Reload, "&Reload", {functionKey(5)}, false},
          {Command::Exit, "E&xit", {}, true}}},
        {"&Edit",
         {{Command::Undo, "&Undo", {ctrl('Z')}, false},
          {Command::Redo, "&Redo", {ctrl('Y'), ctrl('Z', true)}, false},
          {Command::ChooseSavedColour, "&Choose Saved Colour...", {}, true},
          {Command::RestoreAllFileColours, "Restore &All File Colours", {}, false}}},
        {"&Help", {{Command::About, "&About", {}, false}}},
    };
}

}  // namespace

std::string Shortcut::text() const {
    std::string text = ctrl ? "Ctrl+" : "";
    if (shift) {
        text += "Shift+";
    }
    if (functionKey > 0) {
        return text + "F" + std::to_string(functionKey);
    }
    return text + static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

const std::vector<Menu>& Form1MenuBar() {
    static const std::vector<Menu> menus = describeMenuBar();
    return menus;
}

const Menu& SlotMenu() {
    static const Menu menu{"",
                           {{Command::GiveSavedColour, "&Give Saved Colour", {}, false},
                            {Command::RestoreFileColour, "&Restore File Colour", {}, false},
                            {Command::CopyColour, "&Copy Colour", {}, true},
                            {Command::PasteColour, "&Paste Colour", {}, false},
                            {Command::ChooseColour, "C&hoose Colour...", {}, true}}};
    return menu;
}

std::optional<Command> CommandFor(const Shortcut& shortcut) {
    for (const Menu& menu : Form1MenuBar()) {
        for (const MenuItem& item : menu.items) {
            for (const Shortcut& key : item.shortcuts) {
                if (same(key, shortcut)) {
                    return item.command;
                }
            }
        }
    }
    return std::nullopt;
}

}  // namespace orvex
