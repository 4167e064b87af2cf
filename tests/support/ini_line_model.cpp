#include "ini_line_model.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/text.h"
#include "profile/ini_text.h"

namespace orvex {

namespace {

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

std::string_view cutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return EqualsIgnoringAsciiCase(a, b);
}

// The first CR or LF at or after `pos`, or the end of the text.
std::size_t lineEndFrom(std::string_view text, std::size_t pos) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* at = begin + pos;
    while (at != end && *at != '\r' && *at != '\n') {
        ++at;
    }
    return static_cast<std::size_t>(at - begin);
}

std::size_t nextLineFrom(std::string_view text, std::size_t lineEnd) {
    while (lineEnd < text.size() && isLineBreak(text[lineEnd])) {
        ++lineEnd;
    }
    return lineEnd;
}

// The name of a header, or nothing when `content` (a trimmed line) is no header.
std::optional<std::string_view> headerName(std::string_view content) {
    if (content.empty() || content.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = content.rfind(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return cutAtNul(TrimIniBlanks(content.substr(1, close - 1)));
}

std::string entryText(std::string_view key, std::string_view value) {
    return std::string(key) + "=" + std::string(value);
}

}  // namespace

IniDocument::IniDocument(std::string bytes) : m_text(std::move(bytes)) {
    parse();
}

void IniDocument::parse() {
    // A UTF-8 byte order mark stays in the file but is not part of the first name.
    if (m_text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        m_bodyStart = 3;
    }
    m_sections.push_back({std::string(), 0, 0});
    std::size_t pos = m_bodyStart;
    while (pos < m_text.size()) {
        Line line;
        line.begin = pos;
        line.end = lineEndFrom(m_text, pos);
        line.endingEnd = nextLineFrom(m_text, line.end);
        classify(line);
        pos = line.endingEnd;
        if (line.kind == Line::Kind::Section) {
            m_sections.back().endLine = m_lines.size();
            m_sections.push_back({line.name, m_lines.size(), 0});
        }
        m_lines.push_back(std::move(line));
    }
    m_sections.back().endLine = m_lines.size();
}

void IniDocument::classify(Line& line) const {
    const std::string_view all(m_text);
    const std::string_view content = TrimIniBlanks(all.substr(line.begin, line.end - line.begin));
    if (content.empty()) {
        return;
    }
    const std::size_t contentBegin = static_cast<std::size_t>(content.data() - all.data());
    if (const auto name = headerName(content)) {
        line.kind = Line::Kind::Section;
        line.name = std::string(*name);
        return;
    }
    line.kind = Line::Kind::Entry;
    const std::size_t equals = content.find('=');
    line.name = std::string(cutAtNul(TrimIniBlanks(content.substr(0, equals))));
    line.valueEnd = contentBegin + content.size();
    if (equals == std::string_view::npos) {
        line.valueBegin = line.valueEnd;
        return;
    }
    const std::string_view value = TrimIniBlanks(content.substr(equals + 1));
    line.hasValue = true;
    line.valueBegin = value.empty() ? contentBegin + equals + 1 : line.valueEnd - value.size();
}

const IniDocument::Section* IniDocument::findSection(std::string_view name) const {
    for (const Section& section : m_sections) {
        if (equalIgnoringCase(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

const IniDocument::Line* IniDocument::findKey(const Section& section, std::string_view key) const {
    for (std::size_t i = section.firstLine; i < section.endLine; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Line::Kind::Entry && equalIgnoringCase(line.name, key)) {
            return &line;
        }
    }
    return nullptr;
}

std::string_view IniDocument::valueOf(const Line& line) const {
    return cutAtNul(
        std::string_view(m_text).substr(line.valueBegin, line.valueEnd - line.valueBegin));
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    for (const Section& section : m_sections) {
        if (!section.name.empty()) {
            names.push_back(section.name);
        }
    }
    return names;
}

std::optional<std::vector<std::string>> IniDocument::keyNames(std::string_view section) const {
    const Section* found = findSection(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (std::size_t i = found->firstLine; i < found->endLine; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Line::Kind::Entry && line.hasValue && !line.isComment()) {
            names.push_back(line.name);
        }
    }
    return names;
}

std::optional<std::string_view> IniDocument::rawValue(std::string_view section,
                                                      std::string_view key) const {
    const Section* found = findSection(section);
    const Line* line = found != nullptr ? findKey(*found, key) : nullptr;
    if (line == nullptr || !line->hasValue) {
        return std::nullopt;
    }
    return valueOf(*line);
}

// --- editing ---------------------------------------------------------------

std::string IniDocument::lineEnding() const {
    const std::size_t at = m_text.find_first_of("\r\n", m_bodyStart);
    if (at == std::string::npos) {
        return "\r\n";
    }
    if (m_text[at] == '\r') {
        return at + 1 < m_text.size() && m_text[at + 1] == '\n' ? "\r\n" : "\r";
    }
    return "\n";
}

// The length of the one line ending that starts `line`'s run of line breaks.
std::size_t IniDocument::firstEndingLength(const Line& line) const {
    if (!line.hasEnding()) {
        return 0;
    }
    const bool crlf =
        m_text[line.end] == '\r' && line.end + 1 < line.endingEnd && m_text[line.end + 1] == '\n';
    return crlf ? 2 : 1;
}

// The length of the one line ending that closes `line`'s run of line breaks.
std::size_t IniDocument::lastEndingLength(const Line& line) const {
    if (!line.hasEnding()) {
        return 0;
    }
    const bool crlf = line.endingEnd - line.end >= 2 && m_text[line.endingEnd - 1] == '\n' &&
                      m_text[line.endingEnd - 2] == '\r';
    return crlf ? 2 : 1;
}

IniDocument::Splice IniDocument::replaceValue(const Line& line, std::string_view value) const {
    if (!line.hasValue) {
        return {line.valueEnd, 0, "=" + std::string(value)};
    }
    return {line.valueBegin, line.valueEnd - line.valueBegin, std::string(value)};
}

IniDocument::Splice IniDocument::removeLine(const Line& line) const {
    if (line.hasEnding()) {
        return {line.begin, line.end - line.begin + firstEndingLength(line), {}};
    }
    if (&line == &m_lines.front()) {
        return {line.begin, line.end - line.begin, {}};
    }
    // The last line has no line ending: take the one before it, so that the file
    // still ends without one.
    const Line& previous = *(&line - 1);
    const std::size_t from = previous.endingEnd - lastEndingLength(previous);
    return {from, line.end - from, {}};
}

// After the section's last non-blank line, so blank lines before the next header stay.
IniDocument::Splice IniDocument::addToSection(const Section& section,
                                              std::string_view entry) const {
    const std::string eol = lineEnding();
    for (std::size_t i = section.endLine; i-- > section.firstLine;) {
        const Line& line = m_lines[i];
        if (line.kind == Line::Kind::Blank) {
            continue;
        }
        if (!line.hasEnding()) {
            return {line.end, 0, eol + std::string(entry)};
        }
        return {line.end + firstEndingLength(line), 0, std::string(entry) + eol};
    }
    return {m_bodyStart, 0, std::string(entry) + eol};
}

IniDocument::Splice IniDocument::addSection(std::string_view section,
                                            std::string_view entry) const {
    const std::string eol = lineEnding();
    const std::string lines = "[" + std::string(section) + "]" + eol + std::string(entry);
    const std::size_t end = m_text.size();
    if (end == m_bodyStart || isLineBreak(m_text.back())) {
        return {end, 0, lines + eol};
    }
    return {end, 0, eol + lines};
}

std::string IniDocument::applied(const Splice& splice) const {
    std::string result = m_text.substr(0, splice.at);
    result += splice.inserted;
    result.append(m_text, splice.at + splice.removed, std::string::npos);
    return result;
}

std::optional<std::string> IniDocument::edited(std::string_view section, std::string_view key,
                                               const char* value) const {
    const Section* found = findSection(section);
    const Line* line = found != nullptr ? findKey(*found, key) : nullptr;
    if (value == nullptr) {
        return line != nullptr ? std::optional(applied(removeLine(*line))) : std::nullopt;
    }
    if (line != nullptr) {
        const std::string_view stored = valueOf(*line);
        if (line->hasValue && (stored == value || Unquoted(stored) == value)) {
            return std::nullopt;
        }
        return applied(replaceValue(*line, value));
    }
    if (found != nullptr) {
        return applied(addToSection(*found, entryText(key, value)));
    }
    return applied(addSection(section, entryText(key, value)));
}

}  // namespace orvex
