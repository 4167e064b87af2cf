#pragma once

#include <windows.h>

#include "form/messages.h"
#include "platform/status.h"

namespace orvex {

// Shows each message in turn in a modal MessageBoxA with an OK button only, owned
// by `owner` (may be null), titled with its own title or the application's. A MessageBoxRecorder
// takes them instead, for tests.
void ShowMessages(HWND owner, const UserMessages& messages);

}  // namespace orvex
