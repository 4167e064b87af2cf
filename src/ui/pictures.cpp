#include "pictures.h"

#include <cstdint>

#include "picture_drawing.h"

namespace orvex {

namespace drawn {
// Drawn by picture_drawing.cpp when the program was built (make_pictures).
extern const std::uint32_t kChartPixels[];
extern const std::uint32_t kTexturePixels[];
extern const std::uint32_t kIcon16Pixels[];
extern const std::uint32_t kIcon32Pixels[];
}  // namespace drawn

namespace {

// The image shares the program's read-only pixels; writing to it copies them first.
QImage sharedImage(const std::uint32_t* pixels, int width, int height) {
    return QImage(reinterpret_cast<const uchar*>(pixels), width, height,
                  width * static_cast<int>(sizeof(std::uint32_t)), QImage::Format_RGB32);
}

}  // namespace

QImage colourChartImage() {
    return sharedImage(drawn::kChartPixels, kChartWidth, kChartHeight);
}

QImage textureImage() {
    return sharedImage(drawn::kTexturePixels, kTextureWidth, kTextureHeight);
}

QImage iconImage(int size) {
    if (size == 16) {
        return sharedImage(drawn::kIcon16Pixels, 16, 16);
    }
    if (size == 32) {
        return sharedImage(drawn::kIcon32Pixels, 32, 32);
    }
    return drawIcon(size);
}

}  // namespace orvex
