#pragma once

#include <QImage>

namespace orvex {

// The three pictures of the window, drawn by code. Each call returns the same
// pixels (no randomness beyond a fixed seed), in QImage::Format_RGB32.

inline constexpr int kChartWidth = 256;
inline constexpr int kChartHeight = 269;
inline constexpr int kWheelSize = 256;     // rows 0..255; rows 256..268 are the grey ramp
inline constexpr int kWheelCentreX = 129;  // the pure white centre of the wheel
inline constexpr int kWheelCentreY = 123;

// The colour chart: a wheel whose hue runs clockwise from magenta at the top
// (red upper right, yellow lower right, green bottom, cyan lower left, blue left),
// white at the centre, most saturated 40 to 60 pixels out, darkening towards the
// edge; below it a grey ramp, 255 - x in column x.
QImage colourChartImage();

inline constexpr int kTextureWidth = 258;
inline constexpr int kTextureHeight = 198;

// A blurred dark violet and maroon mottle, every component within 28..75.
QImage textureImage();

// Two planets in blue space with a bright star between them, `size` pixels square
// (drawn at any size; the window uses 16 and 32, the installed icons 16 to 256).
QImage iconImage(int size);

}  // namespace orvex
