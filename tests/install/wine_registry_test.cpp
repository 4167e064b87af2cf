#include "install/wine_registry.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace orvex {
namespace {

using namespace std::string_literals;

const std::string kHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n";

WineRegistryFile parseBody(const std::string& body) {
    return WineRegistryFile::parse(kHeader + body);
}

// The ANSI text of a string value, without its terminating NUL; "<missing>" when
// the value is not there.
std::string ansiText(const WineRegistryFile& file, const std::string& key,
                     const std::string& value) {
    const WineRegistryValue* found = file.findValue(key, value);
    if (found == nullptr) {
        return "<missing>";
    }
    std::string text = AnsiRegistryData(*found);
    if (!text.empty() && text.back() == '\0') {
        text.pop_back();
    }
    return text;
}

std::string hexBytes(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += digits[byte >> 4];
        out += digits[byte & 15];
        out += ' ';
    }
    return out;
}

TEST(WineRegistryFile, StringEscapesDecodeAsWineWritesThem) {
    struct Row {
        const char* name;
        std::string escaped;
        std::string ansi;
    };
    const Row rows[] = {
        {"backslash", "C:\\\\Games\\\\X", "C:\\Games\\X"},
        {"quote", "say \\\"hi\\\"", "say \"hi\""},
        {"named controls", "\\a\\b\\t\\n\\v\\f\\r\\e", "\a\b\t\n\v\f\r\x1b"},
        {"octal one digit", "\\1x", "\x01x"},
        {"octal padded before a digit", "\\0017",
         "\x01"
         "7"},
        {"octal three digits at most", "\\1010", "A0"},
        {"octal NUL", "a\\0b", "a\0b"s},
        {"hex without padding", "\\xe9", "\xe9"},
        {"hex padded before a hex digit", "\\x00e9a",
         "\xe9"
         "a"},
        {"hex four digits at most", "\\x00410", "A0"},
        {"euro sign to its code page byte", "\\x20ac", "\x80"},
        {"C1 control kept", "\\x81", "\x81"},
        {"character outside the code page", "\\x3042", "?"},
        {"surrogate pair is one character", "\\xd83d\\xde00", "?"},
        {"lone surrogate", "\\xd83d!", "?!"},
        {"x without digits", "\\xg", "xg"},
        {"unknown escape keeps the character", "\\q\\[\\]", "q[]"},
        {"raw UTF-8", "caf\xc3\xa9", "caf\xe9"},
        {"raw UTF-8 outside the code page", "\xe2\x82\xac\xe3\x81\x82", "\x80?"},
        {"invalid UTF-8 byte",
         "a\xff"
         "b",
         "a?b"},
        {"overlong UTF-8", "\xc0\xaf", "??"},
        {"truncated UTF-8 at the end", "a\xc3", "a?"},
        {"DEL written raw", "\x7f", "\x7f"},
        {"empty", "", ""},
    };
    for (const auto& row : rows) {
        const auto file = parseBody("[Software\\\\K] 1\n\"v\"=\"" + row.escaped + "\"\n");
        EXPECT_EQ(hexBytes(ansiText(file, "Software\\K", "v")), hexBytes(row.ansi)) << row.name;
    }
}

TEST(WineRegistryFile, ValueFormsGiveTypeAndData) {
    struct Row {
        const char* name;
        std::string line;
        std::uint32_t type;
        std::string data;
    };
    const Row rows[] = {
        {"plain string", "\"v\"=\"ab\"", 1, "a\0b\0\0\0"s},
        {"str form", "\"v\"=str:\"ab\"", 1, "a\0b\0\0\0"s},
        {"expand string", "\"v\"=str(2):\"%x%\"", 2, "%\0x\0%\0\0\0"s},
        {"multi string", "\"v\"=str(7):\"a\\0b\\0\"", 7, "a\0\0\0b\0\0\0\0\0"s},
        {"dword", "\"v\"=dword:deadbeef", 4, "\xef\xbe\xad\xde"},
        {"dword with few digits", "\"v\"=dword:2a", 4, "\x2a\0\0\0"s},
        {"binary", "\"v\"=hex:41,42,43", 3, "ABC"},
        {"empty binary", "\"v\"=hex:", 3, ""},
        {"typed hex", "\"v\"=hex(b):ef,cd,ab,89,67,45,23,01", 11,
         "\xef\xcd\xab\x89\x67\x45\x23\x01"},
        {"typed hex of no type", "\"v\"=hex(0):", 0, ""},
        {"dword of three bytes", "\"v\"=hex(4):ef,be,ad", 4, "\xef\xbe\xad"},
        {"string without NUL as hex", "\"v\"=hex(1):61,00,62,00", 1, "a\0b\0"s},
        {"single hex digit bytes", "\"v\"=hex:1,2", 3, "\1\2"},
        {"hex over continuation lines", "\"v\"=hex:01,02,\\\n  03,04,\\\n  05", 3, "\1\2\3\4\5"},
        {"spaces around the equals sign", "\"v\" = \"x\"", 1, "x\0\0\0"s},
        {"line ends in CR LF", "\"v\"=dword:00000001\r", 4, "\1\0\0\0"s},
    };
    for (const auto& row : rows) {
        const auto file = parseBody("[Software\\\\K] 1\n" + row.line + "\n");
        const WineRegistryValue* value = file.findValue("Software\\K", "v");
        ASSERT_NE(value, nullptr) << row.name;
        EXPECT_EQ(value->type, row.type) << row.name;
        EXPECT_EQ(hexBytes(value->data), hexBytes(row.data)) << row.name;
    }
}

TEST(WineRegistryFile, MalformedLinesAreSkippedAndReadingGoesOn) {
    struct Row {
        const char* name;
        std::string body;  // follows the key line of Software\K
    };
    const Row rows[] = {
        {"unterminated string", "\"v\"=\"abc"},
        {"string ending in a backslash", "\"v\"=\"abc\\"},
        {"unterminated name", "\"v=\"abc\""},
        {"no equals sign", "\"v\" \"abc\""},
        {"unknown data form", "\"v\"=wrong:1"},
        {"empty dword", "\"v\"=dword:"},
        {"dword of nine digits", "\"v\"=dword:123456789"},
        {"dword with junk", "\"v\"=dword:12zz"},
        {"bad hex byte", "\"v\"=hex:0g"},
        {"hex byte without comma", "\"v\"=hex:01 02"},
        {"bad hex type", "\"v\"=hex(zz):00"},
        {"hex type without colon", "\"v\"=hex(3)00"},
        {"str type without quote", "\"v\"=str(2)\"x\""},
        {"continuation at end of file", "\"v\"=hex:01,\\"},
        {"continuation without indent", "\"v\"=hex:01,\\\n02"},
        {"NUL bytes in the line", "\"v\"=\0\"x\""s},
        {"lone CR", "\"v\"=\r\"x\""},
    };
    for (const auto& row : rows) {
        const auto file = parseBody("[Software\\\\K] 1\n" + row.body +
                                    "\n[Software\\\\Next] 1\n\"ok\"=\"yes\"\n");
        EXPECT_EQ(file.findValue("Software\\K", "v"), nullptr) << row.name;
        EXPECT_EQ(ansiText(file, "Software\\Next", "ok"), "yes") << row.name;
    }
}

TEST(WineRegistryFile, KeyLinesAndTheirValues) {
    const std::string body =
        "\"orphan\"=\"before any key\"\n"
        "[Software\\\\A\\\\B] 1796690808\n"
        "#time=1dd86ad9b53411c\n"
        "#class=\"Shell\"\n"
        "@=\"default\"\n"
        "\"Dup\"=\"first\"\n"
        "\"DUP\"=\"second\"\n"
        "\n"
        "[Software\\\\Sub \\[b\\] \\xe9] 1\n"
        "#link\n"
        "\"Name\"=\"odd\"\n"
        "[Software\\\\Broken\n"
        "\"lost\"=\"under a broken key line\"\n"
        "[software\\\\a\\\\b] 2\n"
        "\"later\"=\"merged\"\n";
    const auto file = parseBody(body);
    struct Row {
        const char* key;
        const char* value;
        const char* expected;
    };
    const Row rows[] = {
        {"Software\\A\\B", "", "default"},         {"SOFTWARE\\a\\B", "dup", "second"},
        {"Software\\A\\B", "later", "merged"},     {"Software\\A\\B", "orphan", "<missing>"},
        {"Software\\Sub [b] \xe9", "Name", "odd"}, {"software\\sub [B] \xc9", "NAME", "odd"},
        {"Software\\Broken", "lost", "<missing>"}, {"Software\\A", "", "<missing>"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ansiText(file, row.key, row.value), row.expected)
            << row.key << " / " << row.value;
    }
    EXPECT_FALSE(file.hasKey("Software\\Broken"));
}

TEST(WineRegistryFile, KeyFilterKeepsOnlyWantedKeys) {
    const auto file = WineRegistryFile::parse(
        kHeader + "[Software\\\\A] 1\n\"v\"=\"a\"\n[Software\\\\B] 1\n\"v\"=\"b\"\n",
        [](const std::string& path) { return path == "Software\\B"; });
    EXPECT_EQ(file.keyCount(), 1u);
    EXPECT_FALSE(file.hasKey("Software\\A"));
    EXPECT_EQ(ansiText(file, "Software\\B", "v"), "b");
}

TEST(WineRegistryFile, WithoutTheHeaderNothingIsRead) {
    const std::string rows[] = {
        "",
        "[Software\\\\K] 1\n\"v\"=\"x\"\n",
        "REGEDIT4\n[Software\\\\K] 1\n\"v\"=\"x\"\n",
        "WINE REGISTRY Version 1\n[Software\\\\K] 1\n\"v\"=\"x\"\n",
    };
    for (const auto& text : rows) {
        EXPECT_EQ(WineRegistryFile::parse(text).keyCount(), 0u) << text;
    }
}

TEST(WineRegistryFile, ReadsWhatWineWrote) {
    const auto file =
        WineRegistryFile::parse(test::ReadBytes(test::DataDir() / "registry" / "wine8_system.reg"));
    const std::string values = "Software\\OrvexFixture\\Values";
    struct Row {
        const char* value;
        std::uint32_t type;
        std::string ansi;
    };
    // The escapes text is the ANSI string the test program stored.
    const Row rows[] = {
        {"Escapes", 1,
         "q\"uote back\\slash tab\t nl\n cr\r bell\a esc\x1b one\x01"
         "7 del\x7f e\xe9"
         "a euro\x80 end\0"s},
        {"TextNulText", 1, "before\0after\0"s},
        {"LongBin", 3,
         "\0\1\2\3\4\5\6\7\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f !\"#$%&'\xe9\xff"s},
        {"Multi", 7, "a\0b\0\0"s},
        {"Expand", 2, "%SystemRoot%\\x\0"s},
        {"", 1, "default value\0"s},
    };
    for (const auto& row : rows) {
        const WineRegistryValue* value = file.findValue(values, row.value);
        ASSERT_NE(value, nullptr) << row.value;
        EXPECT_EQ(value->type, row.type) << row.value;
        EXPECT_EQ(hexBytes(AnsiRegistryData(*value)), hexBytes(row.ansi)) << row.value;
    }
    // A #link key is an ordinary key to us; its value is just binary data.
    EXPECT_TRUE(file.hasKey("Software\\Wow6432Node\\Policies"));
}

// Stands in for the fuzzer until it runs: every cut of a real file must parse.
TEST(WineRegistryFile, EveryTruncationOfARealFileParses) {
    const std::string text = test::ReadBytes(test::DataDir() / "registry" / "wine8_system.reg");
    for (std::size_t length = 0; length <= text.size(); ++length) {
        const auto file = WineRegistryFile::parse(std::string_view(text).substr(0, length));
        EXPECT_LE(file.keyCount(), 7u);
    }
}

TEST(Utf16ToWindows1252, MapsTheCodePageAndReplacesTheRest) {
    const std::pair<std::u16string, std::string> rows[] = {
        {u"plain", "plain"},
        {u"\u00e9\u00ff\u00a0", "\xe9\xff\xa0"},
        {u"\u20ac\u0160\u0178\u2122", "\x80\x8a\x9f\x99"},
        {u"\u0081\u008d\u008f\u0090\u009d", "\x81\x8d\x8f\x90\x9d"},
        {u"\u0080\u0100\u3042", "???"},
        {u"a\xdc00"
         u"b",
         "a?b"},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(hexBytes(Utf16ToWindows1252(text)), hexBytes(expected));
    }
}

}  // namespace
}  // namespace orvex
