#include "form/drawn_pictures.h"

#include <cstddef>

namespace orvex {

namespace {

RgbPicture copied(const std::uint32_t* pixels, int width, int height) {
    RgbPicture picture{width, height, {}};
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    picture.pixels.reserve(count);
    for (std::size_t at = 0; at < count; ++at) {
        picture.pixels.push_back(pixels[at] & 0x00FFFFFFu);
    }
    return picture;
}

}  // namespace

RgbPicture DrawnChart() {
    return copied(drawn::kChartPixels, kChartWidth, kChartHeight);
}

RgbPicture DrawnTexture() {
    return copied(drawn::kTexturePixels, kTextureWidth, kTextureHeight);
}

}  // namespace orvex
