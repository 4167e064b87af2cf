#pragma once

#include <QImage>

namespace orvex {

// The code that draws the colour chart and the texture (see pictures.h for what each
// shows). The build runs it once and compiles the pixels into the program, so that
// start-up need not draw them.
QImage drawColourChart();
QImage drawTexture();

}  // namespace orvex
