#pragma once

#include <windows.h>

#include "form/drawn_pictures.h"

namespace orvex {

// Draws `picture` stretched into `target` (nearest pixel, no smoothing, so a chart
// pixel keeps its exact colour).
void DrawPicture(HDC dc, const RgbPicture& picture, const RECT& target);

// The window's icon at `size` pixels, drawn from the same picture as the .exe's.
HICON MakeIcon(int size);

}  // namespace orvex
