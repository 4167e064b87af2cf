#include "platform/text.h"

#include <algorithm>
#include <array>

namespace orvex {

namespace {

// Bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHigh1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

template <typename IsBlank>
std::string_view trimmed(std::string_view text, IsBlank isBlank) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool lessLowered(char a, char b) {
    return static_cast<unsigned char>(AsciiLower(a)) < static_cast<unsigned char>(AsciiLower(b));
}

}  // namespace

bool LessIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lessLowered)) {
        return true;
    }
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lessLowered)) {
        return false;
    }
    return a < b;
}

bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char x, char y) { return AsciiLower(x) == AsciiLower(y); }) != text.end();
}

bool IsIniBlank(char c) {
    return (c >= 0x09 && c <= 0x0d) || c == 0x20 || c == 0x1a;
}

std::string_view TrimIniBlanks(std::string_view text) {
    return trimmed(text, IsIniBlank);
}

std::string_view TrimSpaces(std::string_view text) {
    return trimmed(text, [](char c) { return c == ' '; });
}

char Lower1252(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
        return static_cast<char>(byte + 0x20);
    }
    switch (byte) {
        case 0x8A:  // Š
        case 0x8C:  // Œ
        case 0x8E:  // Ž
            return static_cast<char>(byte + 0x10);
        case 0x9F:  // Ÿ
            return static_cast<char>(0xFF);
        default:
            return c;
    }
}

std::string Lower1252(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = Lower1252(c);
    }
    return lower;
}

char16_t Decode1252(char byte) {
    const auto code = static_cast<unsigned char>(byte);
    return code >= 0x80 && code <= 0x9F ? kHigh1252[code - 0x80] : char16_t(code);
}

char Encode1252(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(unit);
    }
    const auto found = std::find(kHigh1252.begin(), kHigh1252.end(), unit);
    return found != kHigh1252.end() ? static_cast<char>(0x80 + (found - kHigh1252.begin())) : '?';
}

}  // namespace orvex
