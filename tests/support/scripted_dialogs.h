#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
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

    std::vector<std::string> asked;  // "askToSave: <question>", "schemeToImport", ...

    SaveChoice askToSave(const std::string& question) override {
        return next(saveAnswers, SaveChoice::Cancel, "askToSave: " + question);
    }
    std::optional<std::string> schemeToImport() override {
        return next(importAnswers, {}, "schemeToImport");
    }
    std::optional<std::string> schemeToExport(const std::string& suggestedName) override {
        return next(exportAnswers, {}, "schemeToExport: " + suggestedName);
    }
    std::optional<std::vector<int>> charactersToApply(
        const std::vector<CharacterChoice>& choices) override {
        std::string offered;
        for (const CharacterChoice& choice : choices) {
            offered +=
                (offered.empty() ? "" : ", ") + choice.file + " (" + choice.characterName + ")";
        }
        return next(applyAnswers, {}, "charactersToApply: " + offered);
    }
    std::optional<PackedColour> chooseColour(PackedColour, const std::string& title) override {
        return next(colourAnswers, {}, "chooseColour: " + title);
    }
    std::string clipboardText() override { return clipboard; }
    void setClipboardText(const std::string& text) override { clipboard = text; }

  private:
    template <typename T>
    T next(std::deque<T>& answers, T cancelled, std::string question) {
        asked.push_back(std::move(question));
        T answer = answers.empty() ? cancelled : answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return answer;
    }
};

}  // namespace orvex::test
