#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "form/form1_dialogs.h"

namespace orvex::test {

// The dialogs as a test scripts them: each question takes the next answer queued for
// it (Cancel once its queue is empty) and is written down as it was asked.
class ScriptedDialogs : public Form1Dialogs {
  public:
    std::deque<SaveChoice> saveAnswers;
    std::deque<std::optional<std::string>> importAnswers;
    std::deque<std::optional<std::string>> exportAnswers;
    std::deque<std::optional<std::vector<int>>> applyAnswers;
    std::deque<std::optional<PackedColour>> colourAnswers;
    std::string clipboard;

    // "askToSave: <question>", "schemeToImport", "schemeToExport: <name>",
    // "charactersToApply: <file> (<name>), ...", "chooseColour: <title>".
    std::vector<std::string> asked;

    SaveChoice askToSave(const std::string& question) override {
        asked.push_back("askToSave: " + question);
        return next(saveAnswers, SaveChoice::Cancel);
    }
    std::optional<std::string> schemeToImport() override {
        asked.push_back("schemeToImport");
        return next(importAnswers, std::optional<std::string>());
    }
    std::optional<std::string> schemeToExport(const std::string& suggestedName) override {
        asked.push_back("schemeToExport: " + suggestedName);
        return next(exportAnswers, std::optional<std::string>());
    }
    std::optional<std::vector<int>> charactersToApply(
        const std::vector<CharacterChoice>& choices) override {
        std::string offered;
        for (const CharacterChoice& choice : choices) {
            offered +=
                (offered.empty() ? "" : ", ") + choice.file + " (" + choice.characterName + ")";
        }
        asked.push_back("charactersToApply: " + offered);
        return next(applyAnswers, std::optional<std::vector<int>>());
    }
    std::optional<PackedColour> chooseColour(PackedColour /*initial*/,
                                             const std::string& title) override {
        asked.push_back("chooseColour: " + title);
        return next(colourAnswers, std::optional<PackedColour>());
    }
    std::string clipboardText() override { return clipboard; }
    void setClipboardText(const std::string& text) override { clipboard = text; }

  private:
    template <typename T>
    static T next(std::deque<T>& answers, T cancelled) {
        if (answers.empty()) {
            return cancelled;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace orvex::test
