#include "packed_colour.h"

namespace orvex {

QColor toQColor(PackedColour colour) {
    const auto bits = static_cast<std::uint32_t>(colour);
    return QColor(int(bits & 0xFFu), int((bits >> 8) & 0xFFu), int((bits >> 16) & 0xFFu));
}

PackedColour toPacked(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<PackedColour>(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

}  // namespace orvex
