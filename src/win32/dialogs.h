#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "form/form1_dialogs.h"

namespace orvex {

// The controller's questions as Windows' own dialogs, modal to the window given by
// ownedBy(), and the clipboard as text.
class Win32Dialogs : public Form1Dialogs {
  public:
    void ownedBy(HWND owner) { m_owner = owner; }

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
    std::optional<std::string> schemeFile(bool toWrite, const std::string& suggestedName);

    HWND m_owner = nullptr;
    COLORREF m_customColours[16] = {};  // the colour dialog's, kept while the window lives
};

}  // namespace orvex
