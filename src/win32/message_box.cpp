#include "win32/message_box.h"

namespace orvex {

void ShowMessages(HWND owner, const UserMessages& messages) {
    for (const UserMessage& message : messages) {
        if (RecordedInsteadOfShown(message)) {
            continue;
        }
        MessageBoxA(owner, message.text.c_str(), TitleOf(message).c_str(), MB_OK);
    }
}

}  // namespace orvex
