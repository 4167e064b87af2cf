#pragma once

#include <windows.h>

namespace orvex {

// The window procedure of a class whose windows belong to a C++ object: the object
// comes as CreateWindowExA's last argument, is kept with the window, and gets every
// message through `Owner::handle(message, wParam, lParam)` (its m_window set first).
template <typename Owner>
LRESULT CALLBACK OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        owner->m_window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (owner == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    const LRESULT result = owner->handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        owner->m_window = nullptr;
    }
    return result;
}

// Registers a window class of ours; true when it exists afterwards.
inline bool RegisterOwnedClass(WNDCLASSEXA type) {
    type.cbSize = sizeof type;
    return RegisterClassExA(&type) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace orvex
