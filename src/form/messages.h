#pragma once

#include <functional>
#include <string>

#include "install/startup.h"
#include "platform/status.h"

namespace orvex {

// The title a message box shows: the message's own, or the application's.
std::string TitleOf(const UserMessage& message);

// While one lives, a toolkit's message boxes record their messages (titles filled in)
// instead of showing them, so that tests never block on a modal box.
class MessageBoxRecorder {
  public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const UserMessages& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }

  private:
    friend bool RecordedInsteadOfShown(const UserMessage& message);
    UserMessages m_messages;
    MessageBoxRecorder* m_previous;
};

// For each toolkit's message box: true when a recorder took `message`, so that it
// must not be shown.
bool RecordedInsteadOfShown(const UserMessage& message);

// The load step of a run: an argument after the toolkit's own names the game folder
// or its output folder and takes the place of the search; without one, the search.
std::function<StartupState()> LoadStepFor(int argc, char** argv);

}  // namespace orvex
