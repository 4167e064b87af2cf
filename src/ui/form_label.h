#pragma once

#include <QLabel>
#include <functional>

#include "form/form1_controller.h"

namespace orvex {

// A label of the window: reports presses, releases (over it or not) and double-clicks
// for the click rule (LabelClicks), shows a LabelView, and may size itself to its
// caption, in one line.
class FormLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(int ForeColor READ foreColor WRITE setForeColor)

  public:
    using Report = std::function<void(LabelClicks::Input input, const Control* under)>;
    FormLabel(const Control& control, Report report, QWidget* parent);

    void draw(const LabelView& view);
    PackedColour foreColor() const;
    void setForeColor(PackedColour colour);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    const Control& m_control;
    Report m_report;
};

}  // namespace orvex
