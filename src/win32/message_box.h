#pragma once

#include <windows.h>

#include <functional>

#include "form/messages.h"

namespace orvex {

// How a window shows messages: each in turn, owned by `owner` (may be null).
using MessagesShower = std::function<void(HWND owner, const UserMessages& messages)>;

// Each message in turn in a modal MessageBoxA with an OK button only, titled with its
// own title or the application's.
void ShowMessages(HWND owner, const UserMessages& messages);

}  // namespace orvex
