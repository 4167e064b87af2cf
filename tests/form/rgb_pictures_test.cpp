#include "form/rgb_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "form/drawn_pictures.h"

namespace orvex {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    int red;
    int green;
    int blue;
};

Rgb Channels(std::uint32_t pixel) {
    return {int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
}

int Brightest(Rgb c) {
    return std::max({c.red, c.green, c.blue});
}

int Chroma(Rgb c) {
    return Brightest(c) - std::min({c.red, c.green, c.blue});
}

// Hue in degrees (red 0, green 120, blue 240) of a colour with some chroma.
int Hue(Rgb c) {
    const double chroma = Chroma(c);
    double sixths = 0;
    if (Brightest(c) == c.red) {
        sixths = (c.green - c.blue) / chroma;
    } else if (Brightest(c) == c.green) {
        sixths = (c.blue - c.red) / chroma + 2;
    } else {
        sixths = (c.red - c.green) / chroma + 4;
    }
    return (static_cast<int>(std::lround(sixths * 60)) + 360) % 360;
}

int HueDistance(int a, int b) {
    const int d = std::abs(a - b) % 360;
    return std::min(d, 360 - d);
}

// The chart pixel `radius` pixels from the wheel's centre, `degrees` clockwise from
// straight up.
Rgb WheelPixel(const RgbPicture& chart, double degrees, double radius) {
    const double rad = degrees * kPi / 180.0;
    return Channels(chart.at(kWheelCentreX + int(std::lround(radius * std::sin(rad))),
                             kWheelCentreY - int(std::lround(radius * std::cos(rad)))));
}

// FNV-1a over red, green and blue of every pixel, row by row.
std::uint64_t Checksum(const RgbPicture& picture) {
    std::uint64_t hash = 0xCBF29CE484222325u;
    for (const std::uint32_t pixel : picture.pixels) {
        for (const int shift : {16, 8, 0}) {
            hash ^= (pixel >> shift) & 0xFFu;
            hash *= 0x100000001B3u;
        }
    }
    return hash;
}

// Users pick their colours from the chart, so its pixels must not drift: this is
// the checksum of the chart as the window drew it with QImage before the pictures
// became toolkit-free.
TEST(ColourChartPicture, KeepsEveryPixelUsersPickedFromBefore) {
    const RgbPicture chart = ColourChartPicture();
    ASSERT_EQ(chart.width, 256);
    ASSERT_EQ(chart.height, 269);
    ASSERT_EQ(chart.pixels.size(), 256u * 269u);
    EXPECT_EQ(Checksum(chart), 0x0682B8886CE6ADFAu);
}

TEST(PixelQuery, GivesPackedColourOnTheChartAndMinusOneOffIt) {
    const RgbPicture chart = ColourChartPicture();
    struct Row {
        const char* name;
        int x;
        int y;
        PackedColour colour;
    } const rows[] = {
        {"white centre", kWheelCentreX, kWheelCentreY, 0x00FFFFFF},
        {"ramp column 127", 127, 262, 0x00808080},
        {"last ramp pixel", 255, 268, 0},
        {"left of the chart", -1, 100, -1},
        {"right of the chart", 256, 100, -1},
        {"above the chart", 100, -1, -1},
        {"below the ramp", 100, 269, -1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PixelQuery(chart, row.x, row.y), row.colour) << row.name;
    }
}

// Red in the lowest byte: on the right of the wheel (orange) red outweighs blue.
TEST(PixelQuery, PutsRedInTheLowestByte) {
    const PackedColour orange = PixelQuery(ColourChartPicture(), kWheelCentreX + 50, kWheelCentreY);
    EXPECT_GT(orange & 0xFF, 200);
    EXPECT_LT((orange >> 16) & 0xFF, 60);
}

TEST(ColourChartPicture, GreyRampRunsFromWhiteToBlack) {
    const RgbPicture chart = ColourChartPicture();
    for (const int column : {0, 1, 55, 127, 128, 253, 255}) {
        for (const int row : {256, 262, 268}) {
            const Rgb c = Channels(chart.at(column, row));
            const int grey = 255 - column;
            EXPECT_TRUE(c.red == grey && c.green == grey && c.blue == grey)
                << "column " << column << " row " << row;
        }
    }
}

TEST(ColourChartPicture, WheelCentreIsPureWhite) {
    const RgbPicture chart = ColourChartPicture();
    EXPECT_EQ(chart.at(kWheelCentreX, kWheelCentreY), 0xFFFFFFu);
    EXPECT_LT(Chroma(Channels(chart.at(kWheelCentreX + 6, kWheelCentreY))), 40);
}

TEST(ColourChartPicture, HueRunsClockwiseFromMagentaAtTheTop) {
    const RgbPicture chart = ColourChartPicture();
    struct Row {
        const char* where;
        double degrees;
        int hue;
    } const rows[] = {
        {"top: magenta", 0, 300},    {"upper right: red", 45, 0},
        {"right: orange", 90, 30},   {"lower right: yellow", 135, 60},
        {"bottom: green", 180, 120}, {"lower left: cyan", 225, 180},
        {"left: blue", 270, 240},
    };
    for (const Row& row : rows) {
        EXPECT_LE(HueDistance(Hue(WheelPixel(chart, row.degrees, 50)), row.hue), 15) << row.where;
    }
}

TEST(ColourChartPicture, SaturationPeaksFortyToSixtyPixelsOut) {
    const RgbPicture chart = ColourChartPicture();
    for (double degrees = 0; degrees < 360; degrees += 30) {
        int peakRadius = 0;
        int peak = -1;
        for (int radius = 0; radius <= 120; ++radius) {
            const int chroma = Chroma(WheelPixel(chart, degrees, radius));
            if (chroma > peak) {
                peak = chroma;
                peakRadius = radius;
            }
        }
        EXPECT_TRUE(peakRadius >= 40 && peakRadius <= 60) << degrees << " degrees: " << peakRadius;
        EXPECT_GE(peak, 240) << degrees << " degrees";
    }
}

TEST(ColourChartPicture, WheelDarkensTowardsEdgesAndCorners) {
    const RgbPicture chart = ColourChartPicture();
    struct Row {
        const char* where;
        int x;
        int y;
        int lowest;
        int highest;
    } const rows[] = {
        {"top edge", kWheelCentreX, 0, 35, 75},     {"left edge", 0, kWheelCentreY, 35, 75},
        {"right edge", 255, kWheelCentreY, 35, 75}, {"bottom edge", kWheelCentreX, 250, 35, 75},
        {"top left corner", 0, 0, 0, 20},           {"top right corner", 255, 0, 0, 20},
        {"bottom left corner", 0, 255, 0, 20},      {"bottom right corner", 255, 255, 0, 20},
    };
    for (const Row& row : rows) {
        const int value = Brightest(Channels(chart.at(row.x, row.y)));
        EXPECT_TRUE(value >= row.lowest && value <= row.highest) << row.where << ": " << value;
    }
}

TEST(TexturePicture, IsADarkVioletMaroonMottle) {
    const RgbPicture texture = TexturePicture();
    ASSERT_EQ(texture.width, 258);
    ASSERT_EQ(texture.height, 198);
    double sums[3] = {0, 0, 0};
    int lowest = 255;
    int highest = 0;
    for (const std::uint32_t pixel : texture.pixels) {
        const Rgb c = Channels(pixel);
        lowest = std::min({lowest, c.red, c.green, c.blue});
        highest = std::max({highest, c.red, c.green, c.blue});
        sums[0] += c.red;
        sums[1] += c.green;
        sums[2] += c.blue;
    }
    EXPECT_TRUE(lowest >= 28 && highest <= 75) << lowest << ".." << highest;
    EXPECT_GE(highest - lowest, 25) << "a mottle, not a flat colour";
    const double expected[3] = {57, 40, 54};
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(sums[c] / static_cast<double>(texture.pixels.size()), expected[c], 3)
            << "component " << c;
    }
}

TEST(IconPicture, ShowsTwoPlanetsAndAStar) {
    for (const int size : {16, 32, 48, 256}) {
        const RgbPicture icon = IconPicture(size);
        auto at = [&](double x, double y) {
            return Channels(icon.at(int(x * size / 32), int(y * size / 32)));
        };
        const Rgb space = at(16, 29);
        EXPECT_TRUE(space.blue > space.red && Brightest(space) < 140) << size;
        const Rgb left = at(8, 17);
        EXPECT_TRUE(left.blue > left.red && left.blue > 180) << size;
        const Rgb right = at(24.5, 18);
        EXPECT_TRUE(right.red > 200 && right.blue < 100) << size;
        const Rgb star = at(16.5, 9);
        EXPECT_TRUE(star.red > 220 && star.green > 220 && star.blue > 200) << size;
    }
}

// Packaging asks for icons from 16 to 256 pixels.
TEST(IconPicture, HasTheSizeAskedFor) {
    for (const int size : {1, 16, 32, 48, 256}) {
        const RgbPicture icon = IconPicture(size);
        EXPECT_EQ(icon.width, size);
        EXPECT_EQ(icon.height, size);
        EXPECT_EQ(icon.pixels.size(), static_cast<std::size_t>(size * size));
    }
}

// The windows show the pixels the build computed, on the build machine for Windows too.
TEST(DrawnPictures, AreThePicturesComputedNow) {
    const auto same = [](PictureView drawn, const RgbPicture& computed) {
        for (int y = 0; y < computed.height; ++y) {
            for (int x = 0; x < computed.width; ++x) {
                if (PixelQuery(drawn, x, y) != PixelQuery(computed, x, y)) {
                    return false;
                }
            }
        }
        return drawn.width == computed.width && drawn.height == computed.height;
    };
    EXPECT_TRUE(same(DrawnChart(), ColourChartPicture()));
    EXPECT_TRUE(same(DrawnTexture(), TexturePicture()));
    EXPECT_TRUE(std::equal(drawn::kIcon32Pixels, drawn::kIcon32Pixels + 32 * 32,
                           IconPicture(32).pixels.begin(),
                           [](std::uint32_t a, std::uint32_t b) { return (a & 0xFFFFFFu) == b; }));
}

}  // namespace
}  // namespace orvex
