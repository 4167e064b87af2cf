#pragma once

#include <functional>
#include <string>

namespace orvex {

// The application's title: the caption of the main window, and the title of every
// message that has none of its own.
extern const char* const kApplicationTitle;

// Shows a modal message with an OK button only and returns once it is closed. The
// window installs a handler that opens a message box; tests install one that
// records. With no handler installed the message goes to standard error.
using MessageHandler = std::function<void(const std::string& text, const std::string& title)>;

// Installs `handler` and returns the one it replaces.
MessageHandler SetMessageHandler(MessageHandler handler);

// An empty `title` is replaced by kApplicationTitle before the handler sees it.
void ShowMessage(const std::string& text, const std::string& title = {});

// While one lives, a message equal in text and title to one already shown in its
// lifetime is dropped, so that one fault met by many reads in a row is reported
// once (an unreadable file during a load of 48 keys, for instance).
class ScopedRepeatSuppression {
  public:
    ScopedRepeatSuppression();
    ~ScopedRepeatSuppression();
    ScopedRepeatSuppression(const ScopedRepeatSuppression&) = delete;
    ScopedRepeatSuppression& operator=(const ScopedRepeatSuppression&) = delete;

  private:
    MessageHandler m_previous;
};

}  // namespace orvex
