#pragma once

#include <windows.h>

#include "form/drawn_pictures.h"

namespace orvex {

// Draws `picture` stretched into `target` (nearest pixel, no smoothing, so a chart
// pixel keeps its exact colour).
void DrawPicture(HDC dc, const RgbPicture& picture, const RECT& target);

}  // namespace orvex
