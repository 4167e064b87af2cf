#pragma once

#include <QWidget>
#include <vector>

#include "platform/status.h"

namespace orvex {

// Shows each message in turn in a modal box with an OK button only, over `parent`
// (none: no parent), and returns once the last is closed. A message without a title
// carries kApplicationTitle.
void ShowMessages(QWidget* parent, const UserMessages& messages);

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
    friend void ShowMessages(QWidget*, const UserMessages&);
    UserMessages m_messages;
    MessageBoxRecorder* m_previous;
};

}  // namespace orvex
