#pragma once

#include <QWidget>

namespace orvex {

// The slot labels as one control for the keyboard: it lies over them, lets the mouse
// through to them, and draws only a focus frame around the focused option while it
// has the focus.
class SlotColumn : public QWidget {
  public:
    explicit SlotColumn(QWidget* parent);

    // The focused option's label, in this widget's coordinates.
    void setFrame(const QRect& frame);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect m_frame;
};

}  // namespace orvex
