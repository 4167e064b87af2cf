#include "win32/child_keys.h"

#include <commctrl.h>

#include <optional>
#include <utility>

namespace orvex {

namespace {

constexpr std::pair<WPARAM, Key> kKeys[] = {{VK_UP, Key::Up},         {VK_DOWN, Key::Down},
                                            {VK_LEFT, Key::Left},     {VK_RIGHT, Key::Right},
                                            {VK_HOME, Key::Home},     {VK_END, Key::End},
                                            {VK_RETURN, Key::Enter},  {VK_SPACE, Key::Space},
                                            {VK_DELETE, Key::Delete}, {VK_BACK, Key::Backspace}};

std::optional<Key> keyOf(WPARAM virtualKey) {
    for (const auto& [code, key] : kKeys) {
        if (code == virtualKey) {
            return key;
        }
    }
    return std::nullopt;
}

bool wanted(WPARAM virtualKey, DWORD_PTR keys) {
    const std::optional<Key> key = keyOf(virtualKey);
    return key && (keys & (1u << static_cast<unsigned>(*key))) != 0;
}

void notifyParent(HWND child, WORD code) {
    SendMessageA(GetParent(child), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), code),
                 reinterpret_cast<LPARAM>(child));
}

LRESULT CALLBACK reportKeys(HWND child, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR keys) {
    switch (message) {
        case WM_GETDLGCODE:
            return DefSubclassProc(child, message, wParam, lParam) |
                   (wanted(wParam, keys) ? DLGC_WANTMESSAGE : 0);
        case WM_KEYDOWN:
            if (wanted(wParam, keys)) {
                notifyParent(child, kFirstKeyCode + static_cast<WORD>(*keyOf(wParam)));
                return 0;
            }
            break;
        case WM_LBUTTONDBLCLK:
            notifyParent(child, kDoubleClickedCode);
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            RECT place{};
            GetWindowRect(child, &place);
            MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
            RedrawWindow(GetParent(child), &place, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            break;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(child, reportKeys, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(child, message, wParam, lParam);
}

}  // namespace

bool ReportKeys(HWND child, std::initializer_list<Key> keys) {
    DWORD_PTR mask = 0;
    for (Key key : keys) {
        mask |= 1u << static_cast<unsigned>(key);
    }
    return SetWindowSubclass(child, reportKeys, 0, mask) != FALSE;
}

}  // namespace orvex
