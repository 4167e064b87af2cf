#include "pictures.h"

namespace orvex {

QImage ToQImage(const RgbPicture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            line[x] = 0xFF000000u | picture.at(x, y);  // RGB32 wants an opaque alpha byte
        }
    }
    return image;
}

QImage colourChartImage() {
    return ToQImage(ColourChartPicture());
}

QImage textureImage() {
    return ToQImage(TexturePicture());
}

QImage iconImage(int size) {
    return ToQImage(IconPicture(size));
}

}  // namespace orvex
