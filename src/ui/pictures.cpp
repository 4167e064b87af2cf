#include "pictures.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace orvex {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    double r;
    double g;
    double b;
};

// Hue (degrees, red 0, green 120, blue 240) at each eighth of a turn clockwise
// from the top of the wheel; hues between are interpolated.
constexpr std::array<double, 9> kHueAtScreenAngle = {-60, 0, 30, 60, 120, 180, 240, 270, 300};

double hueAtScreenAngle(double degreesFromTop) {
    const double step = degreesFromTop / 45.0;
    const int index = std::clamp(static_cast<int>(step), 0, 7);
    const double t = step - index;
    const double hue = kHueAtScreenAngle[index] * (1 - t) + kHueAtScreenAngle[index + 1] * t;
    return hue < 0 ? hue + 360 : hue;
}

Rgb pureHue(double hue) {
    const double h = std::fmod(hue, 360.0) / 60.0;
    const double x = 1 - std::fabs(std::fmod(h, 2.0) - 1);
    switch (static_cast<int>(h)) {
        case 0:
            return {1, x, 0};
        case 1:
            return {x, 1, 0};
        case 2:
            return {0, 1, x};
        case 3:
            return {0, x, 1};
        case 4:
            return {x, 0, 1};
        default:
            return {1, 0, x};
    }
}

double smoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Saturation climbs from the white centre to full at 50 pixels out.
double saturationAt(double radius) {
    return smoothStep(2.0, 50.0, radius);
}

// Full brightness to 50 pixels, a fifth of it at the edge (128), nearly black in
// the corners (about 180).
double brightnessAt(double radius) {
    if (radius <= 50) {
        return 1.0;
    }
    if (radius <= 128) {
        return 1.0 - 0.8 * (radius - 50) / 78.0;
    }
    return std::max(0.03, 0.2 - 0.17 * (radius - 128) / 52.0);
}

int toByte(double value) {
    return std::clamp(static_cast<int>(std::lround(value * 255)), 0, 255);
}

QRgb wheelPixel(int x, int y) {
    const double dx = x - kWheelCentreX;
    const double dy = y - kWheelCentreY;
    const double radius = std::hypot(dx, dy);
    double degrees = std::atan2(dx, -dy) * 180.0 / kPi;
    if (degrees < 0) {
        degrees += 360;
    }
    const Rgb hue = pureHue(hueAtScreenAngle(degrees));
    const double saturation = saturationAt(radius);
    const double brightness = brightnessAt(radius);
    auto channel = [&](double pure) { return toByte((1 - saturation * (1 - pure)) * brightness); };
    return qRgb(channel(hue.r), channel(hue.g), channel(hue.b));
}

// A fixed integer hash, so the texture is the same on every run and platform.
double latticeValue(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x27D4EB2Du) ^
                      (static_cast<std::uint32_t>(y) * 0x165667B1u);
    h ^= h >> 15;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return (h & 0xFFFFu) / 65535.0 * 2 - 1;
}

// Smoothly interpolated lattice noise in -1..1, summed over three octaves.
double mottle(double x, double y, std::uint32_t seed) {
    double sum = 0;
    double weight = 1;
    double total = 0;
    double cell = 40;
    for (int octave = 0; octave < 3; ++octave) {
        const double gx = x / cell;
        const double gy = y / cell;
        const int ix = static_cast<int>(std::floor(gx));
        const int iy = static_cast<int>(std::floor(gy));
        const double tx = smoothStep(0, 1, gx - ix);
        const double ty = smoothStep(0, 1, gy - iy);
        const std::uint32_t octaveSeed = seed + 977u * static_cast<std::uint32_t>(octave);
        const double top =
            latticeValue(ix, iy, octaveSeed) * (1 - tx) + latticeValue(ix + 1, iy, octaveSeed) * tx;
        const double bottom = latticeValue(ix, iy + 1, octaveSeed) * (1 - tx) +
                              latticeValue(ix + 1, iy + 1, octaveSeed) * tx;
        sum += weight * (top * (1 - ty) + bottom * ty);
        total += weight;
        weight *= 0.5;
        cell /= 2.3;
    }
    return sum / total;
}

int textureComponent(double value) {
    return std::clamp(static_cast<int>(std::lround(value)), 28, 75);
}

}  // namespace

QImage colourChartImage() {
    QImage image(kChartWidth, kChartHeight, QImage::Format_RGB32);
    for (int y = 0; y < kWheelSize; ++y) {
        for (int x = 0; x < kChartWidth; ++x) {
            image.setPixel(x, y, wheelPixel(x, y));
        }
    }
    for (int y = kWheelSize; y < kChartHeight; ++y) {
        for (int x = 0; x < kChartWidth; ++x) {
            image.setPixel(x, y, qRgb(255 - x, 255 - x, 255 - x));
        }
    }
    return image;
}

QImage textureImage() {
    QImage image(kTextureWidth, kTextureHeight, QImage::Format_RGB32);
    for (int y = 0; y < kTextureHeight; ++y) {
        for (int x = 0; x < kTextureWidth; ++x) {
            const double light = mottle(x, y, 0x5EEDu);
            const double tint = mottle(x, y, 0xC010u);  // + maroon, - violet
            image.setPixel(x, y,
                           qRgb(textureComponent(57 + 14 * light + 7 * tint),
                                textureComponent(40 + 10 * light),
                                textureComponent(54 + 12 * light - 13 * tint)));
        }
    }
    return image;
}

QImage iconImage(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    QRadialGradient space(QPointF(16, 14), 24);
    space.setColorAt(0, QColor(18, 40, 110));
    space.setColorAt(1, QColor(4, 10, 40));
    painter.fillRect(QRectF(0, 0, 32, 32), space);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(190, 210, 255));
    for (const QPointF& dust : {QPointF(4, 4), QPointF(27, 5), QPointF(23, 28), QPointF(6, 27)}) {
        painter.drawEllipse(dust, 0.6, 0.6);
    }

    QRadialGradient bluePlanet(QPointF(6.5, 16), 9, QPointF(5, 13.5));
    bluePlanet.setColorAt(0, QColor(245, 250, 255));
    bluePlanet.setColorAt(0.5, QColor(140, 185, 250));
    bluePlanet.setColorAt(1, QColor(40, 80, 170));
    painter.setBrush(bluePlanet);
    painter.drawEllipse(QPointF(8, 17), 7, 7);

    QRadialGradient orangePlanet(QPointF(23.5, 17.5), 9, QPointF(22, 15));
    orangePlanet.setColorAt(0, QColor(255, 220, 140));
    orangePlanet.setColorAt(0.55, QColor(240, 140, 40));
    orangePlanet.setColorAt(1, QColor(140, 55, 10));
    painter.setBrush(orangePlanet);
    painter.drawEllipse(QPointF(24.5, 18), 6, 6);

    QRadialGradient glow(QPointF(16.5, 9), 4);
    glow.setColorAt(0, QColor(255, 255, 230));
    glow.setColorAt(1, QColor(255, 255, 200, 0));
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(16.5, 9), 4, 4);
    painter.setBrush(QColor(255, 255, 240));
    painter.drawPolygon(
        QPolygonF({QPointF(16.5, 4.5), QPointF(17.3, 8.2), QPointF(21, 9), QPointF(17.3, 9.8),
                   QPointF(16.5, 13.5), QPointF(15.7, 9.8), QPointF(12, 9), QPointF(15.7, 8.2)}));
    return image;
}

}  // namespace orvex
