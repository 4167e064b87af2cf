#pragma once

#include <QWidget>
#include <functional>

#include "form/messages.h"

namespace orvex {

// How a window shows messages: each in turn, over `parent` (none: no parent).
using MessagesShower = std::function<void(QWidget* parent, const UserMessages& messages)>;

// Each message in turn in a modal box with an OK button only, returning once the
// last is closed. A message without a title carries the application's title.
void ShowMessages(QWidget* parent, const UserMessages& messages);

}  // namespace orvex
