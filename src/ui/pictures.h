#pragma once

#include <QIcon>
#include <QImage>

#include "form/rgb_pictures.h"

namespace orvex {

// The window's pictures (form/rgb_pictures.h) as QImage::Format_RGB32 images.
QImage colourChartImage();
QImage textureImage();

// `size` pixels square: the window uses 16 and 32, the installed icons 16 to 256.
QImage iconImage(int size);
// The window's icon, 16 and 32 pixels.
QIcon applicationIcon();

}  // namespace orvex
