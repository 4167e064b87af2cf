#pragma once

#include <QCheckBox>
#include <QDialog>
#include <vector>

#include "form/form1_dialogs.h"

namespace orvex {

// The controller's questions asked with Qt's dialogs, over the window once it is set.
class QtDialogs : public Form1Dialogs {
  public:
    void setWindow(QWidget* window) { m_window = window; }

    SaveChoice askToSave(const std::string& question) override;
    std::optional<std::string> schemeToImport() override;
    std::optional<std::string> schemeToExport(const std::string& suggestedName) override;
    std::optional<std::vector<int>> charactersToApply(
        const std::vector<CharacterChoice>& choices) override;
    std::optional<PackedColour> chooseColour(PackedColour initial,
                                             const std::string& title) override;
    std::string clipboardText() override;
    void setClipboardText(const std::string& text) override;

  private:
    QWidget* m_window = nullptr;
};

// "Apply to Other Characters": a check box for each other character's file, and
// "Select all" above them.
class ApplyDialog : public QDialog {
    Q_OBJECT

  public:
    ApplyDialog(const std::vector<CharacterChoice>& choices, QWidget* parent);

    // The indices of the checked choices.
    std::vector<int> chosen() const;

  private:
    QCheckBox* m_all;
    std::vector<QCheckBox*> m_choices;
};

}  // namespace orvex
