#include "ui/qt_values.h"

#include "form/messages.h"

namespace orvex {

QString fromAnsi(const std::string& bytes) {
#ifdef Q_OS_WIN
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
#else
    return QString::fromStdU16String(Decoded1252(bytes));
#endif
}

QColor toQColor(PackedColour colour) {
    const auto bits = static_cast<std::uint32_t>(colour);
    return QColor(int(bits & 0xFFu), int((bits >> 8) & 0xFFu), int((bits >> 16) & 0xFFu));
}

PackedColour toPacked(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<PackedColour>(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

}  // namespace orvex
