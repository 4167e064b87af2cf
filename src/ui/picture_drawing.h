#pragma once

#include <QImage>

namespace orvex {

// The code that draws the pictures (see pictures.h for what each shows). The build
// runs it once and compiles the chart, the texture and the window's icons into the
// program, so that start-up need not draw them.
QImage drawColourChart();
QImage drawTexture();
QImage drawIcon(int size);

}  // namespace orvex
