#pragma once

#include <QColor>
#include <QString>
#include <string>

#include "form/form1_controls.h"

namespace orvex {

// Texts from files and the registry are 8-bit bytes in the ANSI code page. On
// Windows that is the system's code page; elsewhere Windows-1252 is assumed, with
// the five undefined bytes mapped to the control characters of the same value.
QString fromAnsi(const std::string& bytes);

// A packed colour 0x00BBGGRR as a QColor; the highest byte is ignored.
QColor toQColor(PackedColour colour);
// The opaque colour `colour` packed as 0x00BBGGRR.
PackedColour toPacked(const QColor& colour);

}  // namespace orvex
