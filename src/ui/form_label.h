#pragma once

#include <QLabel>

#include "form/form1_controls.h"

namespace orvex {

// A label of the window: click (a release over the label of a button pressed on
// it) and double-click signals, an optional size that follows the caption, and a
// text colour as a packed colour. A double-click arrives as clicked() followed by
// doubleClicked(); the release that ends a double-click is no second click.
class FormLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(int ForeColor READ foreColor WRITE setForeColor)

  public:
    explicit FormLabel(const QString& caption, QWidget* parent = nullptr);

    // With auto-size on, every caption resizes the label to fit it in one line.
    void setAutoSize(bool on);
    void setCaption(const QString& caption);

    PackedColour foreColor() const;
    void setForeColor(PackedColour colour);

  signals:
    void clicked();
    void doubleClicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void fitToCaption();

    bool m_autoSize = false;
    bool m_pressed = false;
    bool m_endingDoubleClick = false;
};

}  // namespace orvex
