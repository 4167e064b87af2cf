#include "win32/dialogs.h"

#include <commdlg.h>

#include <cstring>
#include <vector>

#include "form/form1_controls.h"

namespace orvex {

namespace {

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;
constexpr int kSelectAll = 100;
constexpr int kFirstChoice = 101;

// A dialog built in memory (no resource, so the tests' program has it too), in
// dialog units, in the system's dialog font.
class DialogTemplate {
  public:
    DialogTemplate(const std::string& title, short width, short height) {
        doubleWord(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
        doubleWord(0);
        m_words.insert(m_words.end(),
                       {0, 0, 0, static_cast<WORD>(width), static_cast<WORD>(height), 0, 0});
        text(title);
        m_words.push_back(8);
        text("MS Shell Dlg");
    }

    void add(WORD type, const std::string& caption, int id, DWORD style, short x, short y,
             short width, short height) {
        if (m_words.size() % 2 != 0) {
            m_words.push_back(0);  // each item starts on a DWORD
        }
        doubleWord(WS_CHILD | WS_VISIBLE | style);
        doubleWord(0);
        for (short value : {x, y, width, height}) {
            m_words.push_back(static_cast<WORD>(value));
        }
        m_words.insert(m_words.end(), {static_cast<WORD>(id), 0xFFFF, type});
        text(caption);
        m_words.push_back(0);
        ++m_words[4];  // the item count
    }

    INT_PTR run(HWND owner, std::vector<int>* chosen) const {
        return DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                       reinterpret_cast<LPCDLGTEMPLATEA>(m_words.data()), owner,
                                       answer, reinterpret_cast<LPARAM>(chosen));
    }

  private:
    void doubleWord(DWORD value) { m_words.insert(m_words.end(), {LOWORD(value), HIWORD(value)}); }

    void text(const std::string& value) {
        const int length = MultiByteToWideChar(CP_ACP, 0, value.c_str(), -1, nullptr, 0);
        const std::size_t at = m_words.size();
        m_words.resize(at + static_cast<std::size_t>(length));
        MultiByteToWideChar(CP_ACP, 0, value.c_str(), -1, reinterpret_cast<LPWSTR>(&m_words[at]),
                            length);
    }

    // The check boxes from kFirstChoice on; on OK, the indices of those checked.
    static INT_PTR CALLBACK answer(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            return TRUE;
        }
        const int id = LOWORD(wParam);
        if (message != WM_COMMAND || (id != kSelectAll && id > IDNO)) {
            return FALSE;
        }
        auto* chosen = reinterpret_cast<std::vector<int>*>(GetWindowLongPtrA(dialog, DWLP_USER));
        for (int choice = kFirstChoice; GetDlgItem(dialog, choice) != nullptr; ++choice) {
            if (id == kSelectAll) {
                CheckDlgButton(dialog, choice, IsDlgButtonChecked(dialog, kSelectAll));
            } else if (id == IDOK && IsDlgButtonChecked(dialog, choice) == BST_CHECKED) {
                chosen->push_back(choice - kFirstChoice);
            }
        }
        if (id != kSelectAll) {
            EndDialog(dialog, id);
        }
        return TRUE;
    }

    std::vector<WORD> m_words;
};

constexpr DWORD kPushButton = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheckBox = WS_TABSTOP | BS_AUTOCHECKBOX;

std::string choiceText(const CharacterChoice& choice) {
    return choice.characterName.empty() ? choice.file
                                        : choice.file + " (" + choice.characterName + ")";
}

UINT_PTR CALLBACK titleColourDialog(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* chooser = reinterpret_cast<const CHOOSECOLORA*>(lParam);
        SetWindowTextA(dialog, reinterpret_cast<const char*>(chooser->lCustData));
    }
    return 0;
}

}  // namespace

SaveChoice Win32Dialogs::askToSave(const std::string& question) {
    DialogTemplate dialog(kApplicationTitle, 260, 59);
    dialog.add(kStaticClass, question, -1, SS_LEFT | SS_NOPREFIX, 7, 7, 246, 24);
    dialog.add(kButtonClass, "Save", IDYES, kPushButton | BS_DEFPUSHBUTTON, 93, 38, 50, 14);
    dialog.add(kButtonClass, "Don't Save", IDNO, kPushButton, 148, 38, 50, 14);
    dialog.add(kButtonClass, "Cancel", IDCANCEL, kPushButton, 203, 38, 50, 14);
    const INT_PTR answer = dialog.run(m_owner, nullptr);
    return answer == IDYES  ? SaveChoice::Save
           : answer == IDNO ? SaveChoice::DontSave
                            : SaveChoice::Cancel;
}

std::optional<std::vector<int>> Win32Dialogs::charactersToApply(
    const std::vector<CharacterChoice>& choices) {
    const short count = static_cast<short>(choices.size());
    DialogTemplate dialog("Apply to Other Characters", 220, 47 + 12 * count);
    dialog.add(kButtonClass, "Select all", kSelectAll, kCheckBox, 7, 7, 206, 10);
    for (short at = 0; at < count; ++at) {
        dialog.add(kButtonClass, choiceText(choices[at]), kFirstChoice + at, kCheckBox, 17,
                   22 + 12 * at, 196, 10);
    }
    dialog.add(kButtonClass, "OK", IDOK, kPushButton | BS_DEFPUSHBUTTON, 108, 26 + 12 * count, 50,
               14);
    dialog.add(kButtonClass, "Cancel", IDCANCEL, kPushButton, 163, 26 + 12 * count, 50, 14);
    std::vector<int> chosen;
    if (dialog.run(m_owner, &chosen) != IDOK) {
        return std::nullopt;
    }
    return chosen;
}

std::optional<PackedColour> Win32Dialogs::chooseColour(PackedColour initial,
                                                       const std::string& title) {
    CHOOSECOLORA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_owner;
    dialog.rgbResult = static_cast<COLORREF>(initial);
    dialog.lpCustColors = m_customColours;
    dialog.Flags = CC_FULLOPEN | CC_RGBINIT | CC_ENABLEHOOK;
    dialog.lpfnHook = titleColourDialog;
    dialog.lCustData = reinterpret_cast<LPARAM>(title.c_str());
    if (!ChooseColorA(&dialog)) {
        return std::nullopt;
    }
    return static_cast<PackedColour>(dialog.rgbResult);
}

std::optional<std::string> Win32Dialogs::schemeToImport() {
    return schemeFile(false, "");
}

std::optional<std::string> Win32Dialogs::schemeToExport(const std::string& suggestedName) {
    return schemeFile(true, suggestedName);
}

std::optional<std::string> Win32Dialogs::schemeFile(bool toWrite,
                                                    const std::string& suggestedName) {
    std::string path(4 * MAX_PATH, '\0');
    path.replace(0, suggestedName.size(), suggestedName.substr(0, path.size() - 1));
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_owner;
    dialog.lpstrFilter = "Colour schemes (*.ini)\0*.ini\0";
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = "ini";
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (toWrite ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(toWrite ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog))) {
        return std::nullopt;
    }
    return std::string(path.c_str());
}

std::string Win32Dialogs::clipboardText() {
    std::string text;
    if (!OpenClipboard(m_owner)) {
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* locked = static_cast<const char*>(GlobalLock(data))) {
            text = locked;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void Win32Dialogs::setClipboardText(const std::string& text) {
    if (!OpenClipboard(m_owner)) {
        return;
    }
    EmptyClipboard();
    if (HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        std::memcpy(GlobalLock(copy), text.c_str(), text.size() + 1);
        GlobalUnlock(copy);
        if (SetClipboardData(CF_TEXT, copy) == nullptr) {
            GlobalFree(copy);
        }
    }
    CloseClipboard();
}

}  // namespace orvex
