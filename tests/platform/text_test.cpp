#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>

namespace orvex {
namespace {

// ASCII letters only, whatever locale the process runs in: 'É' (0xC9) and 'é' (0xE9)
// stay different.
TEST(AsciiCase, FoldsOnlyAsciiLetters) {
    struct Row {
        const char* a;
        const char* b;
        bool equal;
    };
    const Row rows[] = {
        {"Player1_Options.INI", "player1_options.ini", true},
        {"\xC9t\xE9", "\xE9t\xE9", false},
        {"\x8A", "\x9A", false},
        {"[", "{", false},  // 0x5B and 0x7B are 0x20 apart but not letters
        {"ab", "abc", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(EqualsIgnoringAsciiCase(row.a, row.b), row.equal) << row.a << " / " << row.b;
    }
    EXPECT_TRUE(ContainsIgnoringAsciiCase("[Player42 Name]", "player42"));
    EXPECT_FALSE(ContainsIgnoringAsciiCase("[\xC9lan]", "\xE9lan"));
}

TEST(AsciiCase, OrderIsByteOrderOfFoldedTextThenBytes) {
    const std::pair<const char*, const char*> lessRows[] = {
        {"player1", "player_"},  // '1' < '_'; a locale order puts '_' first
        {"apple", "Banana"},     // 'a' < 'b', though 'B' < 'a'
        {"player_", "PlayerZ"},  // folds to lower case: '_' < 'z', though 'Z' < '_'
        {"Player", "player"},    // equal but for case: byte order, so the sort is stable
        {"z", "\xC9"},           // bytes >= 0x80 after ASCII, as unsigned bytes
        {"\xC9", "\xE9"},        // not folded: 'É' before 'é'
    };
    for (const auto& [a, b] : lessRows) {
        EXPECT_TRUE(LessIgnoringAsciiCase(a, b)) << a << " < " << b;
        EXPECT_FALSE(LessIgnoringAsciiCase(b, a)) << b << " < " << a;
    }
}

TEST(Text1252, LowerCaseCornerBytes) {
    const std::pair<unsigned char, unsigned char> rows[] = {
        {'A', 'a'},   {'Z', 'z'},   {'[', '['},   {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E},
        {0x9F, 0xFF}, {0xC0, 0xE0}, {0xD7, 0xD7}, {0xDE, 0xFE}, {0xDF, 0xDF}, {0xFF, 0xFF},
    };
    for (const auto& [upper, lower] : rows) {
        EXPECT_EQ(static_cast<unsigned char>(Lower1252(static_cast<char>(upper))), lower)
            << std::hex << int(upper);
    }
    EXPECT_EQ(Lower1252("PLAYER\xC9_\x8A"), "player\xE9_\x9A");
}

TEST(Text1252, DecodesCornerBytesAndEncodesThemBack) {
    const std::pair<unsigned char, char16_t> rows[] = {
        {0x7F, 0x007F}, {0x80, 0x20AC}, {0x81, 0x0081}, {0x8D, 0x008D},
        {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xFF, 0x00FF},
    };
    for (const auto& [byte, unit] : rows) {
        EXPECT_EQ(Decode1252(static_cast<char>(byte)), unit) << std::hex << int(byte);
    }
    for (int byte = 0; byte < 256; ++byte) {
        EXPECT_EQ(static_cast<unsigned char>(Encode1252(Decode1252(static_cast<char>(byte)))),
                  byte);
    }
    for (const char16_t missing : {char16_t(0x0080), char16_t(0x009F), char16_t(0x0100),
                                   char16_t(0x20AD), char16_t(0xFFFD)}) {
        EXPECT_EQ(Encode1252(missing), '?') << std::hex << int(missing);
    }
}

}  // namespace
}  // namespace orvex
