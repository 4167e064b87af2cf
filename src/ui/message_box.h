#pragma once

#include <QWidget>
#include <functional>

#include "platform/messages.h"

namespace orvex {

// A message handler that shows each message in a modal QMessageBox with an OK
// button only, over the widget `parent` returns at that moment (none: no parent).
MessageHandler messageBoxHandler(std::function<QWidget*()> parent);

}  // namespace orvex
