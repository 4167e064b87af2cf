// The menus' commands: history, dialogs, the clipboard and colour schemes.
#include <algorithm>
#include <cctype>
#include <cstdint>

#include "form/form1_controller.h"
#include "profile/character_names.h"

namespace orvex {

namespace {

constexpr const char* kLicenceLines =
    "Copyright (c) 2026 The orvexcolors developers\nLicensed under the MIT License.";

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// "#rrggbb", as colour pickers and web pages copy a colour, else the game's text.
ColourTextResult clipboardColour(std::string_view text) {
    text = trimmed(text);
    const bool hex =
        text.size() == 7 && text[0] == '#' && std::all_of(text.begin() + 1, text.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
        });
    if (!hex) {
        return ColorFromText(text);
    }
    const unsigned long rgb = std::stoul(std::string(text.substr(1)), nullptr, 16);
    return {static_cast<PackedColour>((rgb >> 16) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16)),
            ColourTextError::None};
}

// A character's name may hold what no file name may.
std::string fileNameFrom(std::string name) {
    for (char& c : name) {
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return name;
}

}  // namespace

Update Form1Controller::command(const ControlEvent& event, std::string_view decimalSeparator) {
    if (!enabled(event.command)) {
        return {};
    }
    switch (event.command) {
        case Command::ImportScheme:
            return importScheme();
        case Command::ExportScheme:
            return exportScheme();
        case Command::ApplyToOthers:
            return applyToOthers();
        case Command::Save:
            return save();
        case Command::Reload:
            return reload();
        case Command::Exit:
            return close();
        case Command::Undo:
        case Command::Redo:
            return historyStep(event.command == Command::Undo);
        case Command::ChooseSavedColour:
            return chooseSavedColour(decimalSeparator);
        case Command::RestoreAllFileColours:
            return restoreAll();
        case Command::About:
            return {0,
                    {{ProgramVersionText() + "\n" + kLicenceLines,
                      std::string("About ") + kApplicationTitle}}};
        default:
            return slotCommand(event.command, event.index);
    }
}

Update Form1Controller::slotCommand(Command chosen, int slot) {
    if (slot < 0 || slot >= ColourSlotTable::kSlotCount) {
        return {};
    }
    switch (chosen) {
        case Command::GiveSavedColour:
            return giveColours({{slot, m_saved.colour}});
        case Command::RestoreFileColour:
            return restoreColours({slot});
        case Command::CopyColour:
            m_dialogs->setClipboardText(ColorToText(m_table.slot(slot).colour));
            return {};
        case Command::PasteColour:
            return pasteColour(slot);
        case Command::ChooseColour:
            return chooseColour(slot);
        default:
            return {};
    }
}

Update Form1Controller::historyStep(bool undo) {
    const bool stepped = undo ? m_history.undo(m_table) : m_history.redo(m_table);
    return {stepped ? kSlotsPart : 0u, {}};
}

// Labels given a colour since the load; the others show their file's colour already.
Update Form1Controller::restoreAll() {
    std::vector<int> labels;
    for (int label = 0; label < ColourSlotTable::kLabelCount; ++label) {
        if (m_table.slot(label).edited) {
            labels.push_back(label);
        }
    }
    return restoreColours(labels);
}

Update Form1Controller::chooseSavedColour(std::string_view decimalSeparator) {
    const std::optional<PackedColour> chosen =
        m_dialogs->chooseColour(m_saved.colour & kWhite, "Saved Colour");
    if (!chosen) {
        return {};
    }
    m_saved = {SavedText(*chosen & kWhite, decimalSeparator), *chosen & kWhite};
    return {kSavedPart, {}};
}

Update Form1Controller::pasteColour(int slot) {
    const std::string text = m_dialogs->clipboardText();
    const ColourTextResult colour = clipboardColour(text);
    if (!colour) {
        return {
            0,
            {{"The clipboard holds no colour: \"" + text + "\": " + ColourTextFault(colour.error) +
                  ". A colour is three fractions, as in 0.5,0.25,1, or #rrggbb. The colour "
                  "stays as it is.",
              {}}}};
    }
    return giveColours({{slot, colour.colour}});
}

Update Form1Controller::chooseColour(int slot) {
    const ColourSlot& shown = m_table.slot(slot);
    const std::optional<PackedColour> chosen =
        m_dialogs->chooseColour(shown.colour & kWhite, shown.optionName);
    return chosen ? giveColours({{slot, *chosen & kWhite}}) : Update{};
}

// The 24 colours shown; an untouched option keeps the text its file holds, which
// ColorToText could round to another colour.
Scheme Form1Controller::schemeShown() const {
    Scheme scheme;
    for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
        const ColourSlot& shown = m_table.slot(slot);
        SchemeOption option{
            shown.nameInFile ? shown.optionName : std::string(), shown.colour & kWhite, {}};
        if (!shown.edited && shown.storedText) {
            const ColourTextResult stored = ColorFromText(*shown.storedText);
            option.text = stored && stored.colour == option.colour ? *shown.storedText : "";
        }
        scheme[static_cast<std::size_t>(slot)] = std::move(option);
    }
    return scheme;
}

// Import drops no edit silently: the scheme gives its colours over the slots shown.
Update Form1Controller::importScheme() {
    Update update;
    if (!editsSettled(update)) {
        return update;
    }
    const std::optional<std::string> path = m_dialogs->schemeToImport();
    if (!path) {
        return update;
    }
    const SchemeRead read = ReadScheme(*path, m_host.files());
    if (!read.status) {
        update.messages.push_back({"The colours could not be imported from " + *path + ": " +
                                       read.status.reason + ". Nothing was changed.",
                                   {}});
        return update;
    }
    std::vector<std::pair<int, PackedColour>> colours;
    for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
        if (const auto& option = read.scheme[static_cast<std::size_t>(slot)]) {
            colours.emplace_back(slot, option->colour);
        }
    }
    update.changed |= giveColours(colours).changed;
    return update;
}

Update Form1Controller::exportScheme() {
    const std::string entry = *selectedEntry();
    const std::string base =
        m_characterName.empty() ? entry.substr(0, entry.rfind('.')) : m_characterName;
    const std::optional<std::string> path =
        m_dialogs->schemeToExport(fileNameFrom(base) + " colours.ini");
    if (!path) {
        return {};
    }
    const Status written = WriteScheme(*path, schemeShown(), m_host.files());
    if (!written) {
        return {0,
                {{"The colours could not be exported to " + *path + ".\n" + written.reason, {}}}};
    }
    return {0, {{"Colours exported to " + *path + ".", {}}}};
}

std::string Form1Controller::characterNameOf(const std::string& entry) const {
    return LookupCharacterName(entry, m_startup.OutputFolder, m_startup.ShortcutSections,
                               m_host.files())
        .value;
}

// Each file chosen is written in a transaction of its own; one message says how
// each went.
Update Form1Controller::applyToOthers() {
    const std::string current = *selectedEntry();
    std::vector<CharacterChoice> choices;
    for (const std::string& entry : m_fileList.entries()) {
        if (entry != current) {
            choices.push_back({entry, characterNameOf(entry)});
        }
    }
    if (choices.empty()) {
        return {0, {{"There is no other player options file in " + m_fileList.Path() + ".", {}}}};
    }
    const std::optional<std::vector<int>> chosen = m_dialogs->charactersToApply(choices);
    std::vector<ApplyResult> results;
    for (const int at : chosen.value_or(std::vector<int>{})) {
        if (at >= 0 && at < static_cast<int>(choices.size())) {
            const std::string& file = choices[static_cast<std::size_t>(at)].file;
            results.push_back(
                ApplyScheme(schemeShown(), m_fileList.Path() + "\\" + file, m_host.files()));
            results.back().file = file;
        }
    }
    if (results.empty()) {
        return {};
    }
    std::string summary = ApplySummary(results);
    summary.pop_back();  // the last line's break
    return {0, {{summary, "Apply to Other Characters"}}};
}

}  // namespace orvex
