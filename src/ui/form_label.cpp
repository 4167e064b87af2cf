#include "form_label.h"

#include <QMouseEvent>
#include <algorithm>
#include <utility>

#include "qt_values.h"

namespace orvex {

FormLabel::FormLabel(const Control& control, Report report, QWidget* parent)
    : QLabel(parent), m_control(control), m_report(std::move(report)) {
    setFocusPolicy(Qt::NoFocus);
}

void FormLabel::draw(const LabelView& view) {
    setText(fromAnsi(view.caption));
    if (view.colour) {
        setForeColor(*view.colour);
    }
    setToolTip(fromAnsi(view.toolTip));
    setProperty("Tag", fromAnsi(view.tag));
    if (m_control.has(kAutoSize)) {
        const QFontMetrics metrics(font());
        resize(std::max(metrics.horizontalAdvance(text()), kLeastAutoSizeWidth) + 2 * margin(),
               metrics.height() + 2 * margin());
    }
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
    m_report(LabelClicks::Press, &m_control);
    QLabel::mousePressEvent(event);
}

void FormLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool over = rect().contains(event->position().toPoint());
    m_report(LabelClicks::Release, over ? &m_control : nullptr);
    QLabel::mouseReleaseEvent(event);
}

void FormLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    m_report(LabelClicks::DoubleClick, &m_control);
    event->accept();
}

}  // namespace orvex
