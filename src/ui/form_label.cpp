#include "form_label.h"

#include <QMouseEvent>
#include <algorithm>
#include <utility>

#include "packed_colour.h"

namespace orvex {

namespace {
constexpr int kEmptyAutoSizeWidth = 3;  // an auto-sized label never vanishes entirely
}

FormLabel::FormLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setFocusPolicy(Qt::NoFocus);
}

void FormLabel::setAutoSize(bool on) {
    m_autoSize = on;
    fitToCaption();
}

void FormLabel::setCaption(const QString& caption) {
    setText(caption);
    fitToCaption();
}

void FormLabel::fitToCaption() {
    if (!m_autoSize) {
        return;
    }
    const QFontMetrics metrics(font());
    const int width = std::max(metrics.horizontalAdvance(text()), kEmptyAutoSizeWidth);
    resize(width + 2 * margin(), metrics.height() + 2 * margin());
}

PackedColour FormLabel::foreColor() const {
    return toPacked(palette().color(QPalette::WindowText));
}

void FormLabel::setForeColor(PackedColour colour) {
    QPalette shades = palette();
    shades.setColor(QPalette::WindowText, toQColor(colour));
    setPalette(shades);
}

void FormLabel::mousePressEvent(QMouseEvent* event) {
    m_pressed = true;
    QLabel::mousePressEvent(event);
}

void FormLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = std::exchange(m_pressed, false);
    const bool endsDoubleClick = std::exchange(m_endingDoubleClick, false);
    if (wasPressed && !endsDoubleClick && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

void FormLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    m_pressed = true;
    m_endingDoubleClick = true;
    emit doubleClicked();
    event->accept();
}

}  // namespace orvex
