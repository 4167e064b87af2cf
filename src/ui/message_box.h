#pragma once

#include <QWidget>
#include <vector>

#include "platform/status.h"

namespace orvex {

// The application's title: the caption of the main window, and the title of every
// message that has none of its own.
extern const char* const kApplicationTitle;

// Shows each message in turn in a modal box with an OK button only, over `parent`
// (none: no parent), and returns once the last is closed.
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
