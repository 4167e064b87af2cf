#include "win32/message_box.h"

namespace orvex {

void ShowMessages(HWND owner, const UserMessages& messages) {
    for (const UserMessage& message : messages) {
        MessageBoxA(owner, message.text.c_str(), message.title.c_str(), MB_OK);
    }
}

}  // namespace orvex
