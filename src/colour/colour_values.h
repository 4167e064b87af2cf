#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvex {

// 0x00BBGGRR, red in the lowest byte. The highest byte is ignored wherever a
// packed colour is taken apart; every packed colour made here has it zero.
using PackedColour = std::int32_t;

constexpr PackedColour kWhite = 0x00FFFFFF;

// Red, green and blue of bits 0-7, 8-15 and 16-23 of `lPointHold`.
void GetRGBfromPoint(std::int32_t lPointHold, std::int32_t& lRed, std::int32_t& lGreen,
                     std::int32_t& lBlue);

// floor(100 * lValue / 255) / 100 in single precision: 0, 1 and 2 give 0; 3 gives
// 0.01; 128 gives 0.5; 255 gives 1. Defined for every 32-bit input.
float Color255to1(std::int32_t lValue);

// The colour text of a file: three six-decimal fractions joined by ",", always with
// "." as the decimal separator ("0.500000,0.000000,1.000000").
std::string ColorToText(PackedColour colour);

enum class ColourTextError {
    None,
    TooFewPieces,  // fewer than three ","-separated pieces, the empty text included
    NotANumber,    // one of the first three pieces is no decimal number
    Overflow,      // a rounded product outside -32768..32767
    Negative,      // a rounded component below 0
};

struct ColourTextResult {
    PackedColour colour = 0;
    ColourTextError error = ColourTextError::None;
    explicit operator bool() const { return error == ColourTextError::None; }
};

// Reads a colour text loosely: pieces after the third are ignored; each piece is a
// decimal number with "." as separator, times 255, rounded half to even; a
// component above 255 counts as 255. Pieces are examined blue, green, red, so the
// first fault met is the one reported; within a piece: NotANumber, then Overflow,
// then Negative.
// A piece is a number when, after dropping the blanks of an INI file (IsIniBlank) at
// both ends, it reads
// [+|-] digits [. [digits]] [(e|E) [+|-] digits] or [+|-] . digits [exponent]:
// "1", " 0.5 ", "+1", ".5", "1.", "5e-1". The empty piece, "nan", "inf", hex
// ("0x1"), thousands separators and a "," as decimal separator are no numbers.
// A number too large for a double is an Overflow; one too small reads as 0.
ColourTextResult ColorFromText(std::string_view text);

// Why ColorFromText refused a text, for the user ("one of its values is not a
// number"); empty for None.
const char* ColourTextFault(ColourTextError error);

// A fraction for the user's eyes: shortest form, at most seven significant digits,
// no trailing zeros, "0" before the separator below 1, no separator when whole
// ("0", "0.5", "0.78", "1"), with `decimalSeparator` in place of ".". Values that
// need an exponent at seven digits get "E" ("1E-05"); -0 gives "0". Independent of
// the C and C++ locales.
std::string FractionText(float fraction, std::string_view decimalSeparator = ".");

}  // namespace orvex
