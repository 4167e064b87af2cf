#include "pictures.h"

#include <QPixmap>
#include <cstdint>

#include "form/drawn_pictures.h"

namespace orvex {

namespace {

// The image shares the program's read-only pixels; writing to it copies them first.
QImage sharedImage(const std::uint32_t* pixels, int width, int height) {
    return QImage(reinterpret_cast<const uchar*>(pixels), width, height,
                  width * static_cast<int>(sizeof(std::uint32_t)), QImage::Format_RGB32);
}

QImage toQImage(const RgbPicture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            line[x] = 0xFF000000u | picture.at(x, y);  // RGB32 wants an opaque alpha byte
        }
    }
    return image;
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
    return toQImage(IconPicture(size));
}

QIcon applicationIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(iconImage(16)));
    icon.addPixmap(QPixmap::fromImage(iconImage(32)));
    return icon;
}

}  // namespace orvex
