#pragma once

#include <QColor>

#include "form/form1_controls.h"

namespace orvex {

// A packed colour 0x00BBGGRR as a QColor; the highest byte is ignored.
QColor toQColor(PackedColour colour);

// The opaque colour `colour` packed as 0x00BBGGRR.
PackedColour toPacked(const QColor& colour);

}  // namespace orvex
