#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace orvex {

// For the start-up benchmark only: with the environment variable
// ORVEX_QUIT_AFTER_FIRST_PAINT set, the process ends as soon as `window` has painted
// itself for the first time, without tearing anything down. Header-only, so that the
// benchmark's empty-window peer can use it without linking the tool.
class QuitAfterFirstPaint : public QObject {
  public:
    explicit QuitAfterFirstPaint(QWidget& window) {
        if (qEnvironmentVariableIsSet("ORVEX_QUIT_AFTER_FIRST_PAINT")) {
            window.installEventFilter(this);
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace orvex
