#pragma once

#include <cstdint>
#include <vector>

#include "colour/colour_values.h"

namespace orvex {

// Pixels kept elsewhere, laid out as in an RgbPicture; the top byte of each is ignored.
struct PictureView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// A picture as plain pixels, row by row from the top, each 0x00RRGGBB (the layout
// of a 32-bit top-down bitmap on little-endian hosts). Toolkits wrap it in their own
// image type. Every call that makes one returns the same pixels on every run.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    PictureView view() const { return {pixels.data(), width, height}; }
    std::uint32_t at(int x, int y) const { return view().at(x, y); }
};

inline constexpr int kChartWidth = 256;
inline constexpr int kChartHeight = 269;
inline constexpr int kWheelSize = 256;     // rows 0..255; rows 256..268 are the grey ramp
inline constexpr int kWheelCentreX = 129;  // the pure white centre of the wheel
inline constexpr int kWheelCentreY = 123;

// The colour chart: a wheel whose hue runs clockwise from magenta at the top
// (red upper right, yellow lower right, green bottom, cyan lower left, blue left),
// white at the centre, most saturated 40 to 60 pixels out, darkening towards the
// edge; below it a grey ramp, 255 - x in column x.
RgbPicture ColourChartPicture();

// The chart's pixel query: the packed colour (0x00BBGGRR) at (x, y), or -1 off the
// picture.
PackedColour PixelQuery(PictureView picture, int x, int y);
inline PackedColour PixelQuery(const RgbPicture& picture, int x, int y) {
    return PixelQuery(picture.view(), x, y);
}

inline constexpr int kTextureWidth = 258;
inline constexpr int kTextureHeight = 198;

// A blurred dark violet and maroon mottle, every component within 28..75.
RgbPicture TexturePicture();

// Two planets in blue space, a blue-white one on the left and an orange one on the
// right, with a bright star between them; `size` pixels square, any size from 1.
RgbPicture IconPicture(int size);

}  // namespace orvex
