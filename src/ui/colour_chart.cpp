#include "colour_chart.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "form/drawn_pictures.h"
#include "pictures.h"

namespace orvex {

namespace {

// Black arms edged in white, with a gap over the sampled pixel: seen on every colour.
void drawCross(QPainter& painter, QPoint at) {
    for (const auto& [pen, width] : {std::pair(Qt::white, 3), std::pair(Qt::black, 1)}) {
        painter.setPen(QPen(pen, width));
        for (const QPoint arm : {QPoint(1, 0), QPoint(0, 1), QPoint(-1, 0), QPoint(0, -1)}) {
            painter.drawLine(at + arm * 3, at + arm * 8);
        }
    }
}

}  // namespace

ColourChart::ColourChart(QWidget* parent)
    : QFrame(parent), m_pixels(DrawnChart()), m_chart(colourChartImage()) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
}

// The chart fills the client area exactly, so client and picture coordinates agree.
PackedColour ColourChart::pixelAt(QPointF clientPosition) const {
    return PixelQuery(m_pixels, static_cast<int>(std::floor(clientPosition.x())),
                      static_cast<int>(std::floor(clientPosition.y())));
}

void ColourChart::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.drawImage(contentsRect().topLeft(), m_chart);
    if (hasFocus()) {
        drawCross(painter, contentsRect().topLeft() + QPoint(m_cross.x, m_cross.y));
    }
}

void ColourChart::setCross(ChartPoint cross) {
    m_cross = cross;
    update();
}

PackedColour ColourChart::pixelUnder(const QMouseEvent* event) const {
    return pixelAt(event->position() - QPointF(contentsRect().topLeft()));
}

// Accepting the press keeps the pointer captured here until the release.
void ColourChart::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void ColourChart::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(pixelUnder(event));
    event->accept();
}

void ColourChart::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position() - QPointF(contentsRect().topLeft());
    emit buttonReleased(pixelUnder(event), {static_cast<int>(std::floor(at.x())),
                                            static_cast<int>(std::floor(at.y()))});
    event->accept();
}

}  // namespace orvex
