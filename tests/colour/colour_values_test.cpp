#include "colour/colour_values.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <stdexcept>
#include <string>

namespace orvex {
namespace {

TEST(GetRGBfromPoint, TakesRedGreenBlueFromTheLowThreeBytes) {
    struct Row {
        const char* name;
        std::int32_t point;
        std::int32_t red, green, blue;
    };
    const Row rows[] = {
        {"mixed", 0x00123456, 0x56, 0x34, 0x12},
        {"orange-blue", 0x00FF8000, 0, 128, 255},
        {"minus one", -1, 255, 255, 255},
        {"highest byte dropped", static_cast<std::int32_t>(0x80000012u), 18, 0, 0},
        {"only the highest byte", 0x01000000, 0, 0, 0},
        {"most negative", static_cast<std::int32_t>(0x80000000u), 0, 0, 0},
    };
    for (const Row& row : rows) {
        std::int32_t red = -7, green = -7, blue = -7;
        GetRGBfromPoint(row.point, red, green, blue);
        EXPECT_EQ(red, row.red) << row.name;
        EXPECT_EQ(green, row.green) << row.name;
        EXPECT_EQ(blue, row.blue) << row.name;
    }
}

TEST(Color255to1, CutsToWholeHundredthsNeverRoundingUp) {
    struct Row {
        std::int32_t component;
        double hundredths;
    };
    const Row rows[] = {{0, 0},    {1, 0},    {2, 0},     {3, 1},   {127, 49},  {128, 50},
                        {200, 78}, {254, 99}, {255, 100}, {-1, -1}, {256, 100}, {510, 200}};
    for (const Row& row : rows) {
        EXPECT_EQ(Color255to1(row.component), static_cast<float>(row.hundredths / 100.0))
            << row.component;
    }
    EXPECT_EQ(Color255to1(255), 1.0f);
}

TEST(Color255to1, ExtremeInputsFollowTheSameSteps) {
    EXPECT_EQ(Color255to1(INT32_MAX), static_cast<float>(842150449 / 100.0));
    EXPECT_EQ(Color255to1(INT32_MIN), static_cast<float>(-842150451 / 100.0));
}

TEST(ColorToText, WritesSixDecimalsRedFirst) {
    struct Row {
        const char* name;
        PackedColour colour;
        const char* text;
    };
    const Row rows[] = {
        {"orange-blue", 0x00FF8000, "0.000000,0.500000,1.000000"},
        {"white", kWhite, "1.000000,1.000000,1.000000"},
        {"black", 0, "0.000000,0.000000,0.000000"},
        {"red 128 blue 255", 0x00FF0080, "0.500000,0.000000,1.000000"},
        {"grey 127 is cut", 0x007F7F7F, "0.490000,0.490000,0.490000"},
        {"components 3 2 200", 0x00C80203, "0.010000,0.000000,0.780000"},
        {"highest byte ignored", static_cast<PackedColour>(0xFF000000u),
         "0.000000,0.000000,0.000000"},
        {"minus one is white", -1, "1.000000,1.000000,1.000000"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ColorToText(row.colour), row.text) << row.name;
    }
}

TEST(ColorFromText, ReadsColourTexts) {
    struct Row {
        const char* text;
        PackedColour colour;
    };
    const Row rows[] = {
        {"1,1,1", 0x00FFFFFF},
        {"0.5,0.25,1", 0x00FF4080},
        {"0.500000,0.250000,1.000000", 0x00FF4080},
        {"0.490000,0.490000,0.490000", 0x007D7D7D},
        {"2,0,0", 0x000000FF},
        {"0.001,0,0", 0},
        {"0.002,0,0", 0x00000001},  // 0.51 rounds up
        {"1,1,1,0.5", 0x00FFFFFF},
        {"1,1,1,9", 0x00FFFFFF},
        {"1,1,1,not a number", 0x00FFFFFF},
        {"0.5,0.5,0.5", 0x00808080},  // 127.5 to the even 128
        {"1.5,0,0", 0x000000FF},      // 382.5 to 382, counted as 255
        {"0.1,0.3,0.7", 0x00B24C1A},  // 25.5 -> 26, 76.5 -> 76, 178.5 -> 178
        {"0.9,0,0", 0x000000E6},      // 229.5 -> 230
        {"0,0,1", 0x00FF0000},
        {"0,1,0", 0x0000FF00},
        {"-0.001,0,0", 0},  // -0.255 rounds to zero, which is not negative
        {"-0,0,0", 0},
        {"128.49,0,0", 0x000000FF},  // 32764.95: largest band that still fits
        {" 1 , 0.5\t,1 ", 0x00FF80FF},
        {"+1,+0,+1", 0x00FF00FF},
        {".5,1.,0", 0x0000FF80},
        {"5e-1,1E0,0.1e1", 0x00FFFF80},
        {"1e-400,0,0", 0},  // too small for a double: zero
        {"00001,0,0", 0x000000FF},
    };
    for (const Row& row : rows) {
        const ColourTextResult result = ColorFromText(row.text);
        EXPECT_EQ(result.error, ColourTextError::None) << row.text;
        EXPECT_EQ(result.colour, row.colour) << row.text;
    }
}

TEST(ColorFromText, RejectsTextsThatAreNoColour) {
    struct Row {
        const char* text;
        ColourTextError error;
    };
    const Row rows[] = {
        {"", ColourTextError::TooFewPieces},
        {"1,1", ColourTextError::TooFewPieces},
        {"1", ColourTextError::TooFewPieces},
        {"1;1;1", ColourTextError::TooFewPieces},
        {"1,x,1", ColourTextError::NotANumber},
        {",,", ColourTextError::NotANumber},
        {"1,1,", ColourTextError::NotANumber},
        {"1, ,1", ColourTextError::NotANumber},
        {"nan,0,0", ColourTextError::NotANumber},
        {"inf,0,0", ColourTextError::NotANumber},
        {"0,-infinity,0", ColourTextError::NotANumber},
        {"0x1,0,0", ColourTextError::NotANumber},
        {"1 000,0,0", ColourTextError::NotANumber},
        {"1e,0,0", ColourTextError::NotANumber},
        {".,0,0", ColourTextError::NotANumber},
        {"++1,0,0", ColourTextError::NotANumber},
        {"1.0.0,0,0", ColourTextError::NotANumber},
        {"-0.5,0,0", ColourTextError::Negative},
        {"-0.002,0,0", ColourTextError::Negative},  // -0.51 rounds to -1
        {"128.502,0,0", ColourTextError::Overflow},
        {"128.5,0,0", ColourTextError::Overflow},  // 32767.5 goes to the even 32768
        {"-128.6,0,0", ColourTextError::Overflow},
        {"1e400,0,0", ColourTextError::Overflow},
        {"0,0,1e99999999999999999999", ColourTextError::Overflow},
        {"1e308,0,0", ColourTextError::Overflow},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ColorFromText(row.text).error, row.error) << '"' << row.text << '"';
        EXPECT_FALSE(ColorFromText(row.text)) << row.text;
    }
}

TEST(ColorFromText, ReportsTheBluePieceFaultFirst) {
    struct Row {
        const char* text;
        ColourTextError error;
    };
    const Row rows[] = {
        {"x,y,-1", ColourTextError::Negative},    // blue
        {"x,-1,0", ColourTextError::Negative},    // green before red
        {"-1,x,0", ColourTextError::NotANumber},  // green before red
        {"-1,200,x", ColourTextError::NotANumber}, {"x,200,-1", ColourTextError::Negative},
        {"-1,0,200", ColourTextError::Overflow},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ColorFromText(row.text).error, row.error) << row.text;
    }
}

TEST(ColorFromText, EmbeddedNulIsNoNumber) {
    EXPECT_EQ(ColorFromText(std::string_view("1\0,0,0", 6)).error, ColourTextError::NotANumber);
}

TEST(ColourRoundTrip, ComponentsAmongZero128And255SurviveUnchanged) {
    const std::int32_t levels[] = {0, 128, 255};
    for (const std::int32_t red : levels) {
        for (const std::int32_t green : levels) {
            for (const std::int32_t blue : levels) {
                const PackedColour colour = red + 256 * green + 65536 * blue;
                const ColourTextResult back = ColorFromText(ColorToText(colour));
                EXPECT_EQ(back.colour, colour) << ColorToText(colour);
            }
        }
    }
}

TEST(ColourRoundTrip, OtherComponentsDriftDownward) {
    struct Row {
        std::int32_t component, once, twice;
    };
    const Row rows[] = {{127, 125, 125}, {200, 199, 199}, {254, 252, 250}, {1, 0, 0}};
    for (const Row& row : rows) {
        const ColourTextResult once = ColorFromText(ColorToText(row.component));
        const ColourTextResult twice = ColorFromText(ColorToText(once.colour));
        EXPECT_EQ(once.colour, row.once) << row.component;
        EXPECT_EQ(twice.colour, row.twice) << row.component;
    }
}

TEST(ColourRoundTrip, EveryWrittenTextIsReadBack) {
    for (std::int32_t component = 0; component <= 255; ++component) {
        const PackedColour grey = component * 0x010101;
        EXPECT_TRUE(ColorFromText(ColorToText(grey))) << component;
    }
}

std::string expectedFractionText(int hundredths, const std::string& separator) {
    if (hundredths == 0 || hundredths == 100) {
        return hundredths == 0 ? "0" : "1";
    }
    std::string digits = std::to_string(100 + hundredths).substr(1);
    if (digits.back() == '0') {
        digits.pop_back();
    }
    return "0" + separator + digits;
}

TEST(FractionText, EveryComponentFractionInShortestForm) {
    for (const std::string separator : {".", ","}) {
        for (int k = 0; k <= 100; ++k) {
            const float fraction = static_cast<float>(k / 100.0);
            EXPECT_EQ(FractionText(fraction, separator), expectedFractionText(k, separator))
                << k << " with " << separator;
        }
    }
}

TEST(FractionText, OtherValues) {
    struct Row {
        float fraction;
        const char* separator;
        const char* text;
    };
    const Row rows[] = {
        {-0.01f, ".", "-0.01"},   {-0.0f, ",", "0"},
        {2.0f, ".", "2"},         {1234.5f, ",", "1234,5"},
        {0.0001f, ".", "0.0001"}, {1.0f / 3.0f, ".", "0.3333333"},
        {1e-5f, ",", "1E-05"},    {84215045.0f, ".", "8.421505E+07"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FractionText(row.fraction, row.separator), row.text) << row.text;
    }
}

// Sets the C and C++ global locales to one with a comma as decimal separator and
// puts the previous ones back at the end.
class CommaLocale {
  public:
    CommaLocale() : m_previousC(std::setlocale(LC_ALL, nullptr)) {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8", "de_DE",
                                 "German_Germany.1252"}) {
            try {
                m_previousCxx = std::locale::global(std::locale(name));
            } catch (const std::runtime_error&) {
                continue;
            }
            std::setlocale(LC_ALL, name);
            m_active = true;
            return;
        }
    }
    ~CommaLocale() {
        if (m_active) {
            std::locale::global(m_previousCxx);
            std::setlocale(LC_ALL, m_previousC.c_str());
        }
    }
    bool active() const { return m_active; }

  private:
    std::string m_previousC;
    std::locale m_previousCxx;
    bool m_active = false;
};

TEST(ColourTextLocale, FullStopWhateverTheGlobalLocale) {
    CommaLocale comma;
    if (!comma.active()) {
        GTEST_SKIP() << "no locale with a comma decimal separator on this machine";
    }
    EXPECT_EQ(ColorToText(0x00FF0080), "0.500000,0.000000,1.000000");
    EXPECT_EQ(ColorFromText("0.5,0.25,1").colour, 0x00FF4080);
    EXPECT_EQ(FractionText(0.5f, "."), "0.5");
    EXPECT_EQ(FractionText(0.5f, ","), "0,5");
}

}  // namespace
}  // namespace orvex
