// The dialogs' own controls, clicked as a user would once the dialog is shown.
#include "win32/dialogs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <utility>
#include <vector>

namespace orvex {
namespace {

// Clicks the buttons of `captions` in turn in the next dialog this thread shows.
class ClicksInNextDialog {
  public:
    explicit ClicksInNextDialog(std::vector<const char*> captions)
        : m_hook(SetWindowsHookExA(WH_CBT, clickOnActivate, nullptr, GetCurrentThreadId())) {
        s_captions = std::move(captions);
    }
    ~ClicksInNextDialog() { UnhookWindowsHookEx(m_hook); }

  private:
    static LRESULT CALLBACK clickOnActivate(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE) {
            for (const char* caption : std::exchange(s_captions, {})) {
                HWND dialog = reinterpret_cast<HWND>(wParam);
                PostMessageA(FindWindowExA(dialog, nullptr, "Button", caption), BM_CLICK, 0, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline std::vector<const char*> s_captions;
    HHOOK m_hook;
};

TEST(Win32Dialogs, AppliesToTheCharactersCheckedWhenOk) {
    Win32Dialogs dialogs;
    const std::vector<CharacterChoice> choices{{"player2_options.ini", "Thorne Kasrik"},
                                               {"player3_options.ini", ""},
                                               {"player4_options.ini", "Ilsa"}};
    {
        ClicksInNextDialog clicks({"Select all", "player3_options.ini", "OK"});
        EXPECT_EQ(dialogs.charactersToApply(choices), std::vector<int>({0, 2}));
    }
    ClicksInNextDialog clicks({"Select all", "Cancel"});
    EXPECT_EQ(dialogs.charactersToApply(choices), std::nullopt);
}

TEST(Win32Dialogs, AskToSaveAnswersWithTheButtonPressed) {
    Win32Dialogs dialogs;
    for (const auto& [caption, choice] : {std::pair{"Save", SaveChoice::Save},
                                          {"Don't Save", SaveChoice::DontSave},
                                          {"Cancel", SaveChoice::Cancel}}) {
        ClicksInNextDialog clicks({caption});
        EXPECT_EQ(dialogs.askToSave("Save the colours you changed in player1_options.ini?"), choice)
            << caption;
    }
}

}  // namespace
}  // namespace orvex
