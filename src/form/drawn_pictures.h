#pragma once

#include <cstdint>

#include "form/rgb_pictures.h"

namespace orvex {

// The pictures of rgb_pictures.h as make_pictures computed them when the program was
// built, so that no window computes them at start-up.
namespace drawn {
// Row by row from the top, each pixel 0xFFRRGGBB: opaque, as QImage::Format_RGB32
// wants it; a 32-bit BI_RGB bitmap ignores the top byte.
extern const std::uint32_t kChartPixels[];    // kChartWidth x kChartHeight
extern const std::uint32_t kTexturePixels[];  // kTextureWidth x kTextureHeight
extern const std::uint32_t kIcon16Pixels[];
extern const std::uint32_t kIcon32Pixels[];
}  // namespace drawn

// The same pixels as ColourChartPicture() and TexturePicture(), where the program
// keeps them: no copy, and no page of them touched before it is drawn.
PictureView DrawnChart();
PictureView DrawnTexture();

}  // namespace orvex
