#pragma once

#include <QString>
#include <string>

namespace orvex {

// Texts from files and the registry are 8-bit bytes in the ANSI code page. On
// Windows that is the system's code page; elsewhere Windows-1252 is assumed, with
// the five undefined bytes mapped to the control characters of the same value.
QString fromAnsi(const std::string& bytes);

}  // namespace orvex
