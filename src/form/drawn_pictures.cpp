#include "form/drawn_pictures.h"

namespace orvex {

PictureView DrawnChart() {
    return {drawn::kChartPixels, kChartWidth, kChartHeight};
}

PictureView DrawnTexture() {
    return {drawn::kTexturePixels, kTextureWidth, kTextureHeight};
}

}  // namespace orvex
