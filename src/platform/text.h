#pragma once

#include <string>
#include <string_view>

namespace orvex {

// The byte rules every layer shares. Texts are 8-bit bytes; no locale is consulted.

// Case folding as Windows' private-profile service and file names compare: ASCII
// letters only ('A'-'Z' to 'a'-'z'); every other byte is itself.
inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}
// Inline: the INI scanner compares a name with every header of a file.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}
// Byte order ignoring ASCII case; texts equal but for case are ordered by their bytes,
// so the order is total and stable.
bool LessIgnoringAsciiCase(std::string_view a, std::string_view b);
bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view part);

// The blanks around names and values of an INI file: 0x09-0x0D, 0x20 and 0x1A.
bool IsIniBlank(char c);
std::string_view TrimIniBlanks(std::string_view text);

// `text` without the spaces (0x20 only) at both ends.
std::string_view TrimSpaces(std::string_view text);

// Windows-1252: lower case of the letters the code page has (ASCII, À-Þ but ×, Š Œ Ž Ÿ).
char Lower1252(char c);
std::string Lower1252(std::string_view text);

// The Unicode character a Windows-1252 byte stands for; the five bytes the code page
// leaves undefined stand for the control character of the same number.
char16_t Decode1252(char byte);
// The Windows-1252 byte of a UTF-16 unit, '?' for characters the code page lacks.
char Encode1252(char16_t unit);

}  // namespace orvex
