#pragma once

#include <QFrame>
#include <QImage>
#include <QPointF>

#include "form/form1_controller.h"
#include "form/rgb_pictures.h"

namespace orvex {

// The picture box of the colour chart: a sunken 2-pixel border around a client
// area that the chart fills exactly. Its signals carry the pixel query at the
// pointer: -1 off the chart, where a button pressed over it may drag the pointer.
// While it has the focus it draws the keyboard's sampling cross.
class ColourChart : public QFrame {
    Q_OBJECT

  public:
    explicit ColourChart(QWidget* parent = nullptr);

    // The packed colour of the chart pixel at a client position, or -1 outside it.
    PackedColour pixelAt(QPointF clientPosition) const;
    void setCross(ChartPoint cross);

  signals:
    void pointerMoved(PackedColour pixel);
    void buttonReleased(PackedColour pixel, ChartPoint at);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    PackedColour pixelUnder(const QMouseEvent* event) const;

    PictureView m_pixels;  // answers the pixel query
    QImage m_chart;        // the same pixels, drawn
    ChartPoint m_cross;
};

}  // namespace orvex
