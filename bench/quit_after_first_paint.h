#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace orvex {

// Ends the process as soon as `window` has painted itself for the first time,
// without tearing anything down: the start-up benchmark times exec to first paint.
// Header-only, so that the empty-window peers use it without linking the tool.
class QuitAfterFirstPaint : public QObject {
  public:
    explicit QuitAfterFirstPaint(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace orvex
