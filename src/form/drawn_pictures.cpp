#include "form/drawn_pictures.h"

#include <cstddef>

namespace orvex {

namespace {

// One block copy, then the alpha byte (which the Qt images sharing these pixels
// need) cleared in a loop the compiler vectorises.
RgbPicture copied(const std::uint32_t* pixels, int width, int height) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    RgbPicture picture{width, height, std::vector<std::uint32_t>(pixels, pixels + count)};
    for (std::uint32_t& pixel : picture.pixels) {
        pixel &= 0x00FFFFFFu;
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
