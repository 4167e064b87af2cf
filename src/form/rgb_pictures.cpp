#include "form/rgb_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace orvex {

namespace {

std::uint32_t rgb(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue);
}

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

// std::fmod(value, period) for the small non-negative values of the wheel, and as
// exact: there the subtractions lose no bits.
double wrapped(double value, double period) {
    while (value >= period) {
        value -= period;
    }
    return value;
}

Rgb pureHue(double hue) {
    const double h = wrapped(hue, 360.0) / 60.0;
    const double x = 1 - std::fabs(wrapped(h, 2.0) - 1);
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

// std::lround, without its library call for the non-negative values the pictures
// use: there x + 0.5 either is exact or crosses a power of two, so its floor is
// the same.
long roundedHalfAway(double x) {
    if (x >= 0.5) {
        return static_cast<long>(x + 0.5);
    }
    return x >= 0 ? 0 : std::lround(x);
}

int toByte(double value) {
    return std::clamp(static_cast<int>(roundedHalfAway(value * 255)), 0, 255);
}

std::uint32_t wheelPixel(int x, int y) {
    const double dx = x - kWheelCentreX;
    const double dy = y - kWheelCentreY;
    const double radius = std::sqrt(dx * dx + dy * dy);  // exact integers: as hypot, faster
    double degrees = std::atan2(dx, -dy) * 180.0 / kPi;
    if (degrees < 0) {
        degrees += 360;
    }
    const Rgb hue = pureHue(hueAtScreenAngle(degrees));
    const double saturation = saturationAt(radius);
    const double brightness = brightnessAt(radius);
    auto channel = [&](double pure) { return toByte((1 - saturation * (1 - pure)) * brightness); };
    return rgb(channel(hue.r), channel(hue.g), channel(hue.b));
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

// Smoothly interpolated lattice noise in -1..1, summed over three octaves, for
// one row of the texture at a time. What depends on the column only or on the row
// only is worked out once, so a pixel costs a few multiplications; the sums are
// the same as pixel by pixel.
class MottleRows {
  public:
    MottleRows(int width, std::uint32_t seed) : m_width(width) {
        double cell = 40;
        for (int octave = 0; octave < kOctaves; ++octave) {
            Octave& o = m_octaves[static_cast<std::size_t>(octave)];
            o.cell = cell;
            o.seed = seed + 977u * static_cast<std::uint32_t>(octave);
            for (int x = 0; x < width; ++x) {
                const double gx = x / cell;
                const int ix = static_cast<int>(std::floor(gx));
                o.column.push_back(ix);
                o.tx.push_back(smoothStep(0, 1, gx - ix));
            }
            cell /= 2.3;
        }
    }

    // Fills `values` with the noise of row `y`, one value per column.
    void row(int y, std::vector<double>& values) {
        values.assign(static_cast<std::size_t>(m_width), 0.0);
        std::vector<double> totals(static_cast<std::size_t>(m_width), 0.0);
        double weight = 1;
        for (Octave& o : m_octaves) {
            const double gy = y / o.cell;
            const int iy = static_cast<int>(std::floor(gy));
            const double ty = smoothStep(0, 1, gy - iy);
            const int lastColumn = o.column.back() + 1;
            o.upper.resize(static_cast<std::size_t>(lastColumn) + 1);
            o.lower.resize(static_cast<std::size_t>(lastColumn) + 1);
            for (int ix = 0; ix <= lastColumn; ++ix) {
                o.upper[static_cast<std::size_t>(ix)] = latticeValue(ix, iy, o.seed);
                o.lower[static_cast<std::size_t>(ix)] = latticeValue(ix, iy + 1, o.seed);
            }
            for (std::size_t x = 0; x < values.size(); ++x) {
                const std::size_t ix = static_cast<std::size_t>(o.column[x]);
                const double tx = o.tx[x];
                const double top = o.upper[ix] * (1 - tx) + o.upper[ix + 1] * tx;
                const double bottom = o.lower[ix] * (1 - tx) + o.lower[ix + 1] * tx;
                values[x] += weight * (top * (1 - ty) + bottom * ty);
                totals[x] += weight;
            }
            weight *= 0.5;
        }
        for (std::size_t x = 0; x < values.size(); ++x) {
            values[x] /= totals[x];
        }
    }

  private:
    static constexpr int kOctaves = 3;
    struct Octave {
        double cell = 0;
        std::uint32_t seed = 0;
        std::vector<int> column;  // the lattice cell of each column
        std::vector<double> tx;   // the smoothed position in it
        std::vector<double> upper;
        std::vector<double> lower;
    };

    int m_width;
    std::array<Octave, kOctaves> m_octaves;
};

int textureComponent(double value) {
    return std::clamp(static_cast<int>(roundedHalfAway(value)), 28, 75);
}

}  // namespace

RgbPicture ColourChartPicture() {
    RgbPicture chart{kChartWidth, kChartHeight, {}};
    chart.pixels.reserve(static_cast<std::size_t>(kChartWidth) * kChartHeight);
    for (int y = 0; y < kWheelSize; ++y) {
        for (int x = 0; x < kChartWidth; ++x) {
            chart.pixels.push_back(wheelPixel(x, y));
        }
    }
    for (int y = kWheelSize; y < kChartHeight; ++y) {
        for (int x = 0; x < kChartWidth; ++x) {
            chart.pixels.push_back(rgb(255 - x, 255 - x, 255 - x));
        }
    }
    return chart;
}

PackedColour PixelQuery(PictureView picture, int x, int y) {
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) {
        return -1;
    }
    const std::uint32_t pixel = picture.at(x, y);
    return static_cast<PackedColour>((pixel >> 16 & 0xFFu) | (pixel & 0xFF00u) |
                                     (pixel & 0xFFu) << 16);
}

RgbPicture TexturePicture() {
    RgbPicture texture{kTextureWidth, kTextureHeight, {}};
    texture.pixels.reserve(static_cast<std::size_t>(kTextureWidth) * kTextureHeight);
    MottleRows lightRows(kTextureWidth, 0x5EEDu);
    MottleRows tintRows(kTextureWidth, 0xC010u);  // + maroon, - violet
    std::vector<double> light;
    std::vector<double> tint;
    for (int y = 0; y < kTextureHeight; ++y) {
        lightRows.row(y, light);
        tintRows.row(y, tint);
        for (std::size_t x = 0; x < light.size(); ++x) {
            texture.pixels.push_back(rgb(textureComponent(57 + 14 * light[x] + 7 * tint[x]),
                                         textureComponent(40 + 10 * light[x]),
                                         textureComponent(54 + 12 * light[x] - 13 * tint[x])));
        }
    }
    return texture;
}

}  // namespace orvex
