#pragma once

#include <optional>
#include <string>
#include <vector>

#include "colour/colour_values.h"
#include "platform/status.h"

namespace orvex {

// One other character's file, offered by "Apply to Other Characters...".
struct CharacterChoice {
    std::string file;           // the entry's name, "player2_options.ini"
    std::string characterName;  // empty when none is known
};

enum class SaveChoice { Save, DontSave, Cancel };

// The dialogs and the clipboard, each toolkit's own; the controller asks through
// this and decides everything else. Tests pass one that answers as scripted.
// Paths are as the platform's file dialogs give them.
class Form1Dialogs {
  public:
    virtual ~Form1Dialogs() = default;
    // "Save the colours you changed in <file>?" with Save, Don't Save and Cancel.
    virtual SaveChoice askToSave(const std::string& question) = 0;
    // The scheme file to read; nothing when the user cancels.
    virtual std::optional<std::string> schemeToImport() = 0;
    // The scheme file to write, `suggestedName` offered; nothing when the user cancels.
    virtual std::optional<std::string> schemeToExport(const std::string& suggestedName) = 0;
    // Which of `choices` (indices into it) get the colours; nothing when cancelled.
    virtual std::optional<std::vector<int>> charactersToApply(
        const std::vector<CharacterChoice>& choices) = 0;
    // The platform's colour dialog at `initial`; nothing when cancelled.
    virtual std::optional<PackedColour> chooseColour(PackedColour initial,
                                                     const std::string& title) = 0;
    virtual std::string clipboardText() = 0;
    virtual void setClipboardText(const std::string& text) = 0;
};

// No one to ask: every question is cancelled, and the clipboard is a text of its own.
class CancellingDialogs : public Form1Dialogs {
  public:
    SaveChoice askToSave(const std::string&) override { return SaveChoice::Cancel; }
    std::optional<std::string> schemeToImport() override { return std::nullopt; }
    std::optional<std::string> schemeToExport(const std::string&) override { return std::nullopt; }
    std::optional<std::vector<int>> charactersToApply(
        const std::vector<CharacterChoice>&) override {
        return std::nullopt;
    }
    std::optional<PackedColour> chooseColour(PackedColour, const std::string&) override {
        return std::nullopt;
    }
    std::string clipboardText() override { return m_clipboard; }
    void setClipboardText(const std::string& text) override { m_clipboard = text; }

  private:
    std::string m_clipboard;
};

}  // namespace orvex
