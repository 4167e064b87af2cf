#include "win32/child_keys.h"

#include <commctrl.h>

#include <optional>

namespace orvex {

namespace {

std::optional<Key> keyOf(WPARAM virtualKey) {
    switch (virtualKey) {
        case VK_UP:
            return Key::Up;
        case VK_DOWN:
            return Key::Down;
        case VK_LEFT:
            return Key::Left;
        case VK_RIGHT:
            return Key::Right;
        case VK_HOME:
            return Key::Home;
        case VK_END:
            return Key::End;
        case VK_RETURN:
            return Key::Enter;
        case VK_SPACE:
            return Key::Space;
        case VK_DELETE:
            return Key::Delete;
        case VK_BACK:
            return Key::Backspace;
        default:
            return std::nullopt;
    }
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
