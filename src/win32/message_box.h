#pragma once

#include <windows.h>

#include "platform/status.h"

namespace orvex {

// Shows each message in turn in a modal MessageBoxA with an OK button only, owned
// by `owner` (may be null), titled with its own title or the application's.
void ShowMessages(HWND owner, const UserMessages& messages);

// While one lives, ShowMessages records the messages (titles filled in) instead of
// showing them, so that tests never block on a modal box.
class MessageBoxRecorder {
  public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const UserMessages& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }

  private:
    friend void ShowMessages(HWND, const UserMessages&);
    UserMessages m_messages;
    MessageBoxRecorder* m_previous;
};

}  // namespace orvex
