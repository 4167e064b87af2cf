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

}  // namespace orvex
