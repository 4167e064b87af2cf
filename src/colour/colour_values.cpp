#include "colour/colour_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>
#include <vector>

#include "platform/text.h"

namespace orvex {

namespace {

constexpr std::int32_t kByteMask = 0xFF;

// floor(100 * lValue / 255) in double precision, the whole number behind a fraction.
double hundredthsOf(std::int32_t lValue) {
    return std::floor(static_cast<double>(lValue) / 255.0 * 100.0);
}

// "0.490000" for k = 49: every fraction made from a component is k/100 with k in
// 0..100, so the text is built from k and no locale can change it.
std::string sixDecimalText(int hundredths) {
    std::string text = std::to_string(hundredths / 100);
    const int cents = hundredths % 100;
    text += '.';
    text += static_cast<char>('0' + cents / 10);
    text += static_cast<char>('0' + cents % 10);
    text += "0000";
    return text;
}

std::vector<std::string_view> splitAtCommas(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The parts of a decimal number: [+|-] digits [. digits] [(e|E) [+|-] digits],
// with at least one mantissa digit.
struct DecimalNumber {
    std::string_view unsignedText;  // without a leading "+" (from_chars takes no "+")
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    long exponent = 0;  // saturated far beyond any double's range
};

std::size_t countDigits(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && isDigit(text[end])) {
        ++end;
    }
    return end - from;
}

bool parseExponent(std::string_view digits, bool negative, long& exponent) {
    constexpr long kSaturation = 100000;
    long value = 0;
    for (const char c : digits) {
        value = std::min(kSaturation, value * 10 + (c - '0'));
    }
    exponent = negative ? -value : value;
    return !digits.empty();
}

bool scanDecimal(std::string_view text, DecimalNumber& number) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        number.negative = text[pos] == '-';
        ++pos;
    }
    number.unsignedText = text.substr(pos);
    number.integerDigits = text.substr(pos, countDigits(text, pos));
    pos += number.integerDigits.size();
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        number.fractionDigits = text.substr(pos, countDigits(text, pos));
        pos += number.fractionDigits.size();
    }
    if (number.integerDigits.empty() && number.fractionDigits.empty()) {
        return false;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        bool negativeExponent = false;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            negativeExponent = text[pos] == '-';
            ++pos;
        }
        const std::string_view digits = text.substr(pos, countDigits(text, pos));
        if (!parseExponent(digits, negativeExponent, number.exponent)) {
            return false;
        }
        pos += digits.size();
    }
    return pos == text.size();
}

// Whether a number that from_chars cannot hold is huge (rather than tiny): the
// decimal exponent of its first significant digit is 0 or more.
bool isHuge(const DecimalNumber& number) {
    const std::size_t firstInteger = number.integerDigits.find_first_not_of('0');
    if (firstInteger != std::string_view::npos) {
        const long leading = static_cast<long>(number.integerDigits.size() - firstInteger) - 1;
        return number.exponent + leading >= 0;
    }
    const std::size_t firstFraction = number.fractionDigits.find_first_not_of('0');
    if (firstFraction == std::string_view::npos) {
        return false;
    }
    return number.exponent - static_cast<long>(firstFraction) - 1 >= 0;
}

enum class PieceStatus { Number, NotANumber, Huge };

PieceStatus pieceToDouble(std::string_view piece, double& value) {
    DecimalNumber number;
    if (!scanDecimal(TrimIniBlanks(piece), number)) {
        return PieceStatus::NotANumber;
    }
    const char* first = number.unsignedText.data();
    const char* last = first + number.unsignedText.size();
    double magnitude = 0.0;
    const auto result = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        if (isHuge(number)) {
            return PieceStatus::Huge;
        }
        magnitude = 0.0;
    } else if (result.ec != std::errc() || result.ptr != last) {
        return PieceStatus::NotANumber;
    }
    value = number.negative ? -magnitude : magnitude;
    return PieceStatus::Number;
}

// Nearest whole number, an exact half to the even neighbour, whatever rounding
// mode the floating-point environment holds.
double roundHalfToEven(double value) {
    const double lower = std::floor(value);
    const double above = value - lower;
    if (above > 0.5) {
        return lower + 1.0;
    }
    if (above < 0.5) {
        return lower;
    }
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

ColourTextError pieceToComponent(std::string_view piece, std::int32_t& component) {
    double fraction = 0.0;
    switch (pieceToDouble(piece, fraction)) {
        case PieceStatus::NotANumber:
            return ColourTextError::NotANumber;
        case PieceStatus::Huge:
            return ColourTextError::Overflow;
        case PieceStatus::Number:
            break;
    }
    const double rounded = roundHalfToEven(fraction * 255.0);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return ColourTextError::Overflow;
    }
    component = static_cast<std::int32_t>(rounded);
    if (component < 0) {
        return ColourTextError::Negative;
    }
    component = std::min(component, kByteMask);
    return ColourTextError::None;
}

}  // namespace

void GetRGBfromPoint(std::int32_t lPointHold, std::int32_t& lRed, std::int32_t& lGreen,
                     std::int32_t& lBlue) {
    // Shift the unsigned form: right-shifting a negative signed value would
    // depend on the implementation before C++20.
    const auto bits = static_cast<std::uint32_t>(lPointHold);
    lRed = static_cast<std::int32_t>(bits & kByteMask);
    lGreen = static_cast<std::int32_t>((bits >> 8) & kByteMask);
    lBlue = static_cast<std::int32_t>((bits >> 16) & kByteMask);
}

float Color255to1(std::int32_t lValue) {
    return static_cast<float>(hundredthsOf(lValue) / 100.0);
}

std::string ColorToText(PackedColour colour) {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    GetRGBfromPoint(colour, red, green, blue);
    return sixDecimalText(static_cast<int>(hundredthsOf(red))) + "," +
           sixDecimalText(static_cast<int>(hundredthsOf(green))) + "," +
           sixDecimalText(static_cast<int>(hundredthsOf(blue)));
}

ColourTextResult ColorFromText(std::string_view text) {
    ColourTextResult result;
    const std::vector<std::string_view> pieces = splitAtCommas(text);
    if (pieces.size() < 3) {
        result.error = ColourTextError::TooFewPieces;
        return result;
    }
    std::int32_t components[3] = {0, 0, 0};  // red, green, blue
    for (int index = 2; index >= 0; --index) {
        result.error = pieceToComponent(pieces[index], components[index]);
        if (result.error != ColourTextError::None) {
            return result;
        }
    }
    result.colour = components[0] + 256 * components[1] + 65536 * components[2];
    return result;
}

const char* ColourTextFault(ColourTextError error) {
    switch (error) {
        case ColourTextError::TooFewPieces:
            return "it does not have three values separated by \",\"";
        case ColourTextError::NotANumber:
            return "one of its values is not a number";
        case ColourTextError::Overflow:
            return "one of its values is far too large";
        case ColourTextError::Negative:
            return "one of its values is negative";
        case ColourTextError::None:
            break;
    }
    return "";
}

std::string FractionText(float fraction, std::string_view decimalSeparator) {
    if (fraction == 0.0f) {
        return "0";  // never "-0"
    }
    char buffer[48];
    // to_chars always uses "." and is untouched by the C and C++ locales.
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, fraction, std::chars_format::general, 7);
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        text.replace(point, 1, decimalSeparator);
    }
    return text;
}

}  // namespace orvex
