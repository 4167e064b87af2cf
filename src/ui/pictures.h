#pragma once

#include <QImage>

#include "form/rgb_pictures.h"

namespace orvex {

// The window's pictures (form/rgb_pictures.h) as QImage::Format_RGB32 images.
QImage ToQImage(const RgbPicture& picture);

QImage colourChartImage();
QImage textureImage();
QImage iconImage(int size);

}  // namespace orvex
