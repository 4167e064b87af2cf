// The dialogs' own controls, clicked as a user would once the dialog is shown.
#include "win32/dialogs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <utility>
#include <vector>

namespace orvex {
namespace {

std::vector<const char*> clicksToCome;

LRESULT CALLBACK clickOnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        for (const char* caption : std::exchange(clicksToCome, {})) {
            HWND button = FindWindowExA(reinterpret_cast<HWND>(wParam), nullptr, "Button", caption);
            PostMessageA(button, BM_CLICK, 0, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// What `ask` returns when the buttons of `captions` are clicked in turn in its dialog.
template <typename Ask>
auto clicking(std::vector<const char*> captions, Ask ask) {
    clicksToCome = std::move(captions);
    HHOOK hook = SetWindowsHookExA(WH_CBT, clickOnActivate, nullptr, GetCurrentThreadId());
    const auto answer = ask();
    UnhookWindowsHookEx(hook);
    return answer;
}

TEST(Win32Dialogs, AppliesToTheCharactersCheckedWhenOk) {
    Win32Dialogs dialogs;
    const std::vector<CharacterChoice> choices{{"player2_options.ini", "Thorne Kasrik"},
                                               {"player3_options.ini", ""},
                                               {"player4_options.ini", "Ilsa"}};
    const auto apply = [&] { return dialogs.charactersToApply(choices); };
    EXPECT_EQ(clicking({"Select all", "player3_options.ini", "OK"}, apply),
              std::vector<int>({0, 2}));
    EXPECT_EQ(clicking({"Select all", "Cancel"}, apply), std::nullopt);
}

TEST(Win32Dialogs, AskToSaveAnswersWithTheButtonPressed) {
    Win32Dialogs dialogs;
    for (const auto& [caption, choice] : {std::pair{"Save", SaveChoice::Save},
                                          {"Don't Save", SaveChoice::DontSave},
                                          {"Cancel", SaveChoice::Cancel}}) {
        const auto ask = [&] { return dialogs.askToSave("Save the colours you changed?"); };
        EXPECT_EQ(clicking({caption}, ask), choice) << caption;
    }
}

}  // namespace
}  // namespace orvex
