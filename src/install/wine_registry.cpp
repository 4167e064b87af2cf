#include "wine_registry.h"

#include <optional>

#include "platform/text.h"

namespace orvex {

namespace {

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    return text;
}

void appendCodePoint(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
        return;
    }
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
}

// One UTF-8 character at the front of `text` (which is not empty); a byte that
// starts no valid sequence stands for U+FFFD.
char32_t takeUtf8(std::string_view& text) {
    const auto lead = static_cast<unsigned char>(text.front());
    const int length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || text.size() < static_cast<std::size_t>(length) || lead >= 0xF5) {
        text.remove_prefix(1);
        return 0xFFFD;
    }
    char32_t code = lead & (0x7F >> length);
    for (int index = 1; index < length; ++index) {
        const auto next = static_cast<unsigned char>(text[index]);
        if ((next & 0xC0) != 0x80) {
            text.remove_prefix(1);
            return 0xFFFD;
        }
        code = (code << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    text.remove_prefix(length);
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0xFFFD;
    }
    return code;
}

char16_t takeEscape(std::string_view& text) {
    const char c = text.front();
    text.remove_prefix(1);
    switch (c) {
        case 'a':
            return u'\a';
        case 'b':
            return u'\b';
        case 'e':
            return 0x1B;
        case 'f':
            return u'\f';
        case 'n':
            return u'\n';
        case 'r':
            return u'\r';
        case 't':
            return u'\t';
        case 'v':
            return u'\v';
        default:
            break;
    }
    if (c == 'x') {
        if (text.empty() || hexDigit(text.front()) < 0) {
            return u'x';
        }
        char16_t unit = 0;
        for (int count = 0; count < 4 && !text.empty() && hexDigit(text.front()) >= 0; ++count) {
            unit = static_cast<char16_t>(unit * 16 + hexDigit(text.front()));
            text.remove_prefix(1);
        }
        return unit;
    }
    if (c >= '0' && c <= '7') {
        char16_t unit = static_cast<char16_t>(c - '0');
        for (int count = 1;
             count < 3 && !text.empty() && text.front() >= '0' && text.front() <= '7'; ++count) {
            unit = static_cast<char16_t>(unit * 8 + (text.front() - '0'));
            text.remove_prefix(1);
        }
        return unit;
    }
    return static_cast<unsigned char>(c);
}

// Decodes an escaped name or string up to the unescaped `endChar`, which is
// consumed. Nothing when the text ends first.
std::optional<std::u16string> takeEscaped(std::string_view& text, char endChar) {
    std::u16string out;
    while (!text.empty() && text.front() != endChar) {
        if (text.front() == '\\') {
            text.remove_prefix(1);
            if (text.empty()) {
                return std::nullopt;
            }
            out += takeEscape(text);
        } else if (static_cast<unsigned char>(text.front()) < 0x80) {
            out += static_cast<char16_t>(text.front());
            text.remove_prefix(1);
        } else {
            appendCodePoint(out, takeUtf8(text));
        }
    }
    if (text.empty()) {
        return std::nullopt;
    }
    text.remove_prefix(1);
    return out;
}

std::string utf16le(const std::u16string& units) {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// "(N):" after "str" or "hex": the type number in hex; the text after the colon.
std::optional<std::uint32_t> takeTypeNumber(std::string_view& text) {
    if (text.empty() || text.front() != '(') {
        return std::nullopt;
    }
    text.remove_prefix(1);
    std::uint32_t type = 0;
    int digits = 0;
    for (; !text.empty() && hexDigit(text.front()) >= 0; text.remove_prefix(1), ++digits) {
        if (digits == 8) {
            return std::nullopt;
        }
        type = type * 16 + static_cast<std::uint32_t>(hexDigit(text.front()));
    }
    if (digits == 0 || !startsWith(text, "):")) {
        return std::nullopt;
    }
    text.remove_prefix(2);
    return type;
}

std::optional<std::string> parseDword(std::string_view text) {
    std::uint32_t number = 0;
    int digits = 0;
    for (; !text.empty() && hexDigit(text.front()) >= 0; text.remove_prefix(1), ++digits) {
        if (digits == 8) {
            return std::nullopt;
        }
        number = number * 16 + static_cast<std::uint32_t>(hexDigit(text.front()));
    }
    if (digits == 0 || !skipBlanks(text).empty()) {
        return std::nullopt;
    }
    std::string bytes(4, '\0');
    for (int index = 0; index < 4; ++index) {
        bytes[index] = static_cast<char>((number >> (8 * index)) & 0xFF);
    }
    return bytes;
}

}  // namespace

std::string FoldRegistryName(const std::string& name) {
    return Lower1252(name);
}

std::string Utf16ToWindows1252(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char16_t unit = text[index];
        if (isHighSurrogate(unit) && index + 1 < text.size() && isLowSurrogate(text[index + 1])) {
            ++index;
            out += '?';
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            out += '?';
        } else {
            out += Encode1252(unit);
        }
    }
    return out;
}

std::string AnsiRegistryData(const WineRegistryValue& value) {
    if (value.type != 1 && value.type != 2 && value.type != 7) {
        return value.data;
    }
    std::u16string units;
    for (std::size_t index = 0; index + 1 < value.data.size(); index += 2) {
        units += static_cast<char16_t>(static_cast<unsigned char>(value.data[index]) |
                                       (static_cast<unsigned char>(value.data[index + 1]) << 8));
    }
    return Utf16ToWindows1252(units);
}

// Walks the file line by line; a hex value may continue over the following lines.
class WineRegistryParser {
  public:
    WineRegistryParser(std::string_view text,
                       const std::function<bool(const std::string&)>& wantKey)
        : m_text(text), m_wantKey(wantKey) {}

    WineRegistryFile run() {
        std::string_view line;
        if (!nextLine(line) || !startsWith(line, "WINE REGISTRY Version 2")) {
            return {};
        }
        while (nextLine(line)) {
            parseLine(line);
        }
        return std::move(m_file);
    }

  private:
    bool nextLine(std::string_view& line) {
        if (m_position >= m_text.size()) {
            return false;
        }
        auto end = m_text.find('\n', m_position);
        if (end == std::string_view::npos) {
            end = m_text.size();
        }
        line = m_text.substr(m_position, end - m_position);
        m_position = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return true;
    }

    // A continuation line starts with blanks; any other line is left for the main
    // loop, so that a broken value cannot swallow the key after it.
    bool nextContinuationLine(std::string_view& line) {
        const std::size_t start = m_position;
        if (nextLine(line) && !line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            return true;
        }
        m_position = start;
        return false;
    }

    void parseLine(std::string_view line) {
        if (line.empty()) {
            return;
        }
        if (line.front() == '[') {
            parseKey(line.substr(1));
        } else if ((line.front() == '"' || line.front() == '@') && m_values != nullptr) {
            parseValue(line);
        }
        // Comments (';'), "#time", "#class", "#link", "#arch", stray continuation
        // lines and anything else carry nothing we read.
    }

    void parseKey(std::string_view text) {
        m_values = nullptr;
        const auto name = takeEscaped(text, ']');
        if (!name) {
            return;
        }
        const std::string path = Utf16ToWindows1252(*name);
        if (!m_wantKey || m_wantKey(path)) {
            m_values = &m_file.m_keys[FoldRegistryName(path)];
        }
    }

    void parseValue(std::string_view text) {
        std::string name;
        if (text.front() == '@') {
            text.remove_prefix(1);
        } else {
            text.remove_prefix(1);
            const auto units = takeEscaped(text, '"');
            if (!units) {
                return;
            }
            name = Utf16ToWindows1252(*units);
        }
        text = skipBlanks(text);
        if (text.empty() || text.front() != '=') {
            return;
        }
        text = skipBlanks(text.substr(1));
        if (auto value = parseData(text)) {
            value->name = std::move(name);
            store(std::move(*value));
        }
    }

    std::optional<WineRegistryValue> parseData(std::string_view text) {
        WineRegistryValue value;
        if (startsWith(text, "\"")) {
            value.type = 1;
            return parseString(text.substr(1), value);
        }
        if (startsWith(text, "str:\"")) {
            value.type = 1;
            return parseString(text.substr(5), value);
        }
        if (startsWith(text, "str(")) {
            text.remove_prefix(3);
            const auto type = takeTypeNumber(text);
            if (!type || !startsWith(text, "\"")) {
                return std::nullopt;
            }
            value.type = *type;
            return parseString(text.substr(1), value);
        }
        if (startsWith(text, "dword:")) {
            value.type = 4;
            auto bytes = parseDword(text.substr(6));
            if (!bytes) {
                return std::nullopt;
            }
            value.data = std::move(*bytes);
            return value;
        }
        if (startsWith(text, "hex:")) {
            value.type = 3;
            return parseHex(text.substr(4), value);
        }
        if (startsWith(text, "hex(")) {
            text.remove_prefix(3);
            const auto type = takeTypeNumber(text);
            if (!type) {
                return std::nullopt;
            }
            value.type = *type;
            return parseHex(text, value);
        }
        return std::nullopt;
    }

    static std::optional<WineRegistryValue> parseString(std::string_view text,
                                                        WineRegistryValue& value) {
        auto units = takeEscaped(text, '"');
        if (!units) {
            return std::nullopt;
        }
        units->push_back(u'\0');
        value.data = utf16le(*units);
        return value;
    }

    // "xx,xx,..." where a line ending in "\" continues on the next line.
    std::optional<WineRegistryValue> parseHex(std::string_view text, WineRegistryValue& value) {
        for (;;) {
            text = skipBlanks(text);
            if (text.empty()) {
                return value;
            }
            if (text == "\\") {
                if (!nextContinuationLine(text)) {
                    return std::nullopt;
                }
                continue;
            }
            const int high = hexDigit(text.front());
            if (high < 0) {
                return std::nullopt;
            }
            text.remove_prefix(1);
            int byte = high;
            if (!text.empty() && hexDigit(text.front()) >= 0) {
                byte = byte * 16 + hexDigit(text.front());
                text.remove_prefix(1);
            }
            value.data += static_cast<char>(byte);
            text = skipBlanks(text);
            if (!text.empty() && text.front() == ',') {
                text.remove_prefix(1);
            } else if (!text.empty() && text != "\\") {
                return std::nullopt;
            }
        }
    }

    void store(WineRegistryValue value) {
        const std::string folded = FoldRegistryName(value.name);
        for (auto& existing : *m_values) {
            if (FoldRegistryName(existing.name) == folded) {
                existing = std::move(value);
                return;
            }
        }
        m_values->push_back(std::move(value));
    }

    std::string_view m_text;
    std::size_t m_position = 0;
    const std::function<bool(const std::string&)>& m_wantKey;
    WineRegistryFile m_file;
    WineRegistryFile::Values* m_values = nullptr;
};

WineRegistryFile WineRegistryFile::parse(std::string_view text,
                                         const std::function<bool(const std::string&)>& wantKey) {
    return WineRegistryParser(text, wantKey).run();
}

bool WineRegistryFile::hasKey(const std::string& keyPath) const {
    return m_keys.count(FoldRegistryName(keyPath)) != 0;
}

const WineRegistryValue* WineRegistryFile::findValue(const std::string& keyPath,
                                                     const std::string& valueName) const {
    const auto key = m_keys.find(FoldRegistryName(keyPath));
    if (key == m_keys.end()) {
        return nullptr;
    }
    const std::string folded = FoldRegistryName(valueName);
    for (const auto& value : key->second) {
        if (FoldRegistryName(value.name) == folded) {
            return &value;
        }
    }
    return nullptr;
}

}  // namespace orvex
