#pragma once

#include <QWidget>
#include <vector>

#include "form/messages.h"
#include "platform/status.h"

namespace orvex {

// Shows each message in turn in a modal box with an OK button only, over `parent`
// (none: no parent), and returns once the last is closed. A message without a title
// carries kApplicationTitle. A
// MessageBoxRecorder takes them instead, for tests.
void ShowMessages(QWidget* parent, const UserMessages& messages);

}  // namespace orvex
