#pragma once

#include <windows.h>

#include "form/form1_controls.h"

namespace orvex {

// `font` at `dpi`: its own face where the system has it, else the first similar
// sans-serif face it has ("Microsoft Sans Serif", "Arial", "Liberation Sans"...).
HFONT MakeFont(const FontDescription& font, int dpi);

}  // namespace orvex
