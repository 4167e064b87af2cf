#include "ui/slot_column.h"

#include <QPainter>

namespace orvex {

SlotColumn::SlotColumn(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::StrongFocus);
}

void SlotColumn::setFrame(const QRect& frame) {
    m_frame = frame;
    update();
}

void SlotColumn::paintEvent(QPaintEvent*) {
    if (!hasFocus()) {
        return;
    }
    // Dotted and light: the labels lie on a dark texture.
    QPainter painter(this);
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.drawRect(m_frame.adjusted(0, 0, -1, -1));
}

}  // namespace orvex
