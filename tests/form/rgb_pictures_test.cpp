#include "form/rgb_pictures.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace orvex {
namespace {

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

// Packaging asks for icons from 16 to 256 pixels.
TEST(IconPicture, HasTheSizeAskedFor) {
    for (const int size : {1, 16, 32, 48, 256}) {
        const RgbPicture icon = IconPicture(size);
        EXPECT_EQ(icon.width, size);
        EXPECT_EQ(icon.height, size);
        EXPECT_EQ(icon.pixels.size(), static_cast<std::size_t>(size * size));
    }
}

}  // namespace
}  // namespace orvex
