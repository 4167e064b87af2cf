#include "ini_document.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <clocale>
#include <cstring>

namespace orvex {

namespace {

bool isIniSpace(char c) {
    return (c >= 0x09 && c <= 0x0d) || c == 0x20 || c == 0x1a;
}

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

std::string_view cutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

using LowerCase = std::array<unsigned char, 256>;

// std::tolower of every byte under the C locale in force, worked out again only
// when that locale changes, so that a scan looks bytes up instead of calling it.
const LowerCase& lowerCase() {
    thread_local std::string locale;
    thread_local LowerCase table{};
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    const std::string_view name = current != nullptr ? current : "";
    if (locale.empty() || locale != name) {
        for (int c = 0; c < 256; ++c) {
            table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(std::tolower(c));
        }
        locale = name.empty() ? "?" : std::string(name);
    }
    return table;
}

bool equalIgnoringCase(std::string_view a, std::string_view b,
                       const LowerCase& lower = lowerCase()) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&lower](char x, char y) {
               return lower[static_cast<unsigned char>(x)] == lower[static_cast<unsigned char>(y)];
           });
}

bool isBlankWithinLine(char c) {
    return c == '\t' || c == '\v' || c == '\f' || c == ' ' || c == 0x1a;
}

std::size_t bodyStartOf(std::string_view text) {
    return text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
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
    return cutAtNul(iniTrimmed(content.substr(1, close - 1)));
}

std::string entryText(std::string_view key, std::string_view value) {
    return std::string(key) + "=" + std::string(value);
}

}  // namespace

std::string_view iniTrimmed(std::string_view text) {
    while (!text.empty() && isIniSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isIniSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view unquotedValue(std::string_view value) {
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

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
    const std::string_view content = iniTrimmed(all.substr(line.begin, line.end - line.begin));
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
    line.name = std::string(cutAtNul(iniTrimmed(content.substr(0, equals))));
    line.valueEnd = contentBegin + content.size();
    if (equals == std::string_view::npos) {
        line.valueBegin = line.valueEnd;
        return;
    }
    const std::string_view value = iniTrimmed(content.substr(equals + 1));
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
        if (line.kind == Line::Kind::Entry && line.hasValue && !line.isComment() &&
            !line.name.empty()) {
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
        if (line->hasValue && (stored == value || unquotedValue(stored) == value)) {
            return std::nullopt;
        }
        return applied(replaceValue(*line, value));
    }
    if (found != nullptr) {
        return applied(addToSection(*found, entryText(key, value)));
    }
    return applied(addSection(section, entryText(key, value)));
}

// --- single-pass reads -----------------------------------------------------

namespace {

struct HeaderLine {
    std::string_view name;
    std::size_t end = 0;   // where its line break starts
    std::size_t next = 0;  // where the line after the header starts
};

// Walks from header to header with memchr, looking at no other line.
class HeaderScanner {
  public:
    explicit HeaderScanner(std::string_view text)
        : m_text(text), m_bodyStart(bodyStartOf(text)), m_pos(m_bodyStart), m_lower(lowerCase()) {}

    std::size_t bodyStart() const { return m_bodyStart; }

    // The next header; with `wanted` given, the next one whose name may be `wanted`
    // (others are passed over without reading their lines).
    std::optional<HeaderLine> next(std::string_view wanted = {}) {
        while (m_pos < m_text.size()) {
            const void* found = std::memchr(m_text.data() + m_pos, '[', m_text.size() - m_pos);
            if (found == nullptr) {
                break;
            }
            const std::size_t bracket =
                static_cast<std::size_t>(static_cast<const char*>(found) - m_text.data());
            if (!startsLine(bracket) || !mayBeNamed(bracket, wanted)) {
                m_pos = bracket + 1;
                continue;
            }
            const std::size_t end = lineEndFrom(m_text, bracket);
            m_pos = nextLineFrom(m_text, end);
            if (const auto name = headerName(iniTrimmed(m_text.substr(bracket, end - bracket)))) {
                return HeaderLine{*name, end, m_pos};
            }
        }
        m_pos = m_text.size();
        return std::nullopt;
    }

  private:
    // Whether the name of a header at `bracket` can start with `wanted`.
    bool mayBeNamed(std::size_t bracket, std::string_view wanted) const {
        std::size_t at = bracket + 1;
        while (at < m_text.size() && isBlankWithinLine(m_text[at])) {
            ++at;
        }
        if (m_text.size() - at < wanted.size()) {
            return false;
        }
        return equalIgnoringCase(m_text.substr(at, wanted.size()), wanted, m_lower);
    }

    // Only white space lies between the start of the line and `at`.
    bool startsLine(std::size_t at) const {
        while (at > m_bodyStart && isBlankWithinLine(m_text[at - 1])) {
            --at;
        }
        return at == m_bodyStart || isLineBreak(m_text[at - 1]);
    }

    std::string_view m_text;
    std::size_t m_bodyStart;
    std::size_t m_pos;
    const LowerCase& m_lower;
};

// Where the lines of the first section called `name` start, or nothing. The
// lines before the first header are the first section with the empty name.
std::optional<std::size_t> sectionBodyStart(std::string_view text, std::string_view name) {
    HeaderScanner headers(text);
    if (name.empty()) {
        return headers.bodyStart();
    }
    while (const auto header = headers.next(name)) {
        if (equalIgnoringCase(header->name, name)) {
            return header->next;
        }
    }
    return std::nullopt;
}

struct EntryLine {
    std::string_view name;     // trimmed and cut at a NUL
    std::string_view content;  // the trimmed line
    std::size_t equals = std::string_view::npos;
};

// Calls `visit(entry)` for each key line of the section whose lines start at
// `pos`, until the next header or until `visit` returns false.
template <typename Visit>
void forEachEntry(std::string_view text, std::size_t pos, Visit visit) {
    while (pos < text.size()) {
        const std::size_t end = lineEndFrom(text, pos);
        const std::string_view content = iniTrimmed(text.substr(pos, end - pos));
        pos = nextLineFrom(text, end);
        if (content.empty()) {
            continue;
        }
        if (headerName(content)) {
            return;
        }
        const std::size_t equals = content.find('=');
        if (!visit(EntryLine{cutAtNul(iniTrimmed(content.substr(0, equals))), content, equals})) {
            return;
        }
    }
}

}  // namespace

std::optional<std::string_view> iniScanValue(std::string_view text, std::string_view section,
                                             std::string_view key) {
    const std::optional<std::size_t> start = sectionBodyStart(text, section);
    std::optional<std::string_view> value;
    if (start) {
        forEachEntry(text, *start, [&](const EntryLine& entry) {
            if (!equalIgnoringCase(entry.name, key)) {
                return true;
            }
            // The first line with the key decides, even one without '='.
            if (entry.equals != std::string_view::npos) {
                value = cutAtNul(iniTrimmed(entry.content.substr(entry.equals + 1)));
            }
            return false;
        });
    }
    return value;
}

std::optional<std::vector<std::string>> iniScanKeyNames(std::string_view text,
                                                        std::string_view section) {
    const std::optional<std::size_t> start = sectionBodyStart(text, section);
    if (!start) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    forEachEntry(text, *start, [&](const EntryLine& entry) {
        if (entry.equals != std::string_view::npos && !entry.name.empty() &&
            entry.name.front() != ';') {
            names.emplace_back(entry.name);
        }
        return true;
    });
    return names;
}

std::vector<std::string> iniScanSectionNames(std::string_view text, std::size_t limit) {
    std::vector<std::string> names;
    std::size_t listed = 0;
    HeaderScanner headers(text);
    while (listed < limit) {
        const auto header = headers.next();
        if (!header) {
            break;
        }
        if (!header->name.empty()) {
            names.emplace_back(header->name);
            listed += header->name.size() + 1;
        }
    }
    return names;
}

// --- single-pass edit -------------------------------------------------------

namespace {

// One line: content [begin, end), its run of line breaks [end, next).
struct LineSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
};

// What an edit needs to know of the first section called `section`.
struct SectionScan {
    bool found = false;
    std::optional<LineSpan> lastNonBlank;  // its header counts
    std::optional<LineSpan> keyLine;       // the first line with the key
    std::string_view keyContent;           // that line, trimmed
};

SectionScan scanSection(std::string_view text, std::string_view section, std::string_view key) {
    SectionScan scan;
    HeaderScanner headers(text);
    std::size_t pos = headers.bodyStart();
    if (!section.empty()) {
        std::optional<HeaderLine> header;
        while ((header = headers.next(section)) && !equalIgnoringCase(header->name, section)) {
        }
        if (!header) {
            return scan;
        }
        pos = header->next;
        scan.lastNonBlank = LineSpan{header->end, header->end, header->next};
    }
    scan.found = true;
    while (pos < text.size()) {
        const LineSpan line{pos, lineEndFrom(text, pos), 0};
        const std::size_t next = nextLineFrom(text, line.end);
        const std::string_view content = iniTrimmed(text.substr(pos, line.end - pos));
        pos = next;
        if (content.empty()) {
            continue;
        }
        if (headerName(content)) {
            break;
        }
        scan.lastNonBlank = LineSpan{line.begin, line.end, next};
        if (equalIgnoringCase(cutAtNul(iniTrimmed(content.substr(0, content.find('=')))), key)) {
            scan.keyLine = scan.lastNonBlank;
            scan.keyContent = content;
            break;
        }
    }
    return scan;
}

std::string firstLineEnding(std::string_view text) {
    const std::size_t at = text.find_first_of("\r\n", bodyStartOf(text));
    if (at == std::string_view::npos) {
        return "\r\n";
    }
    if (text[at] == '\r') {
        return at + 1 < text.size() && text[at + 1] == '\n' ? "\r\n" : "\r";
    }
    return "\n";
}

// The length of the one line ending that starts the run at `end`.
std::size_t endingLengthAt(std::string_view text, const LineSpan& line) {
    if (line.next == line.end) {
        return 0;
    }
    return text[line.end] == '\r' && line.end + 1 < line.next && text[line.end + 1] == '\n' ? 2 : 1;
}

std::string splice(std::string_view text, std::size_t at, std::size_t removed,
                   std::string_view inserted) {
    std::string result;
    result.reserve(text.size() - removed + inserted.size());
    result.append(text.substr(0, at));
    result.append(inserted);
    result.append(text.substr(at + removed));
    return result;
}

std::string removedLine(std::string_view text, const LineSpan& line) {
    if (line.next > line.end) {
        return splice(text, line.begin, line.end - line.begin + endingLengthAt(text, line), {});
    }
    if (line.begin == bodyStartOf(text)) {
        return splice(text, line.begin, line.end - line.begin, {});
    }
    // The last line has no line ending: take the one before it, so that the file
    // still ends without one.
    const bool crlf =
        line.begin >= 2 && text[line.begin - 1] == '\n' && text[line.begin - 2] == '\r';
    const std::size_t from = line.begin - (crlf ? 2 : 1);
    return splice(text, from, line.end - from, {});
}

std::string replacedValue(std::string_view text, const SectionScan& scan, std::string_view value) {
    const std::string_view content = scan.keyContent;
    const std::size_t contentEnd =
        static_cast<std::size_t>(content.data() - text.data()) + content.size();
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        return splice(text, contentEnd, 0, "=" + std::string(value));
    }
    const std::string_view stored = iniTrimmed(content.substr(equals + 1));
    return splice(text, contentEnd - stored.size(), stored.size(), value);
}

// After the section's last non-blank line, so blank lines before the next header stay.
std::string addedToSection(std::string_view text, const SectionScan& scan, std::string_view entry) {
    const std::string eol = firstLineEnding(text);
    if (!scan.lastNonBlank) {
        return splice(text, bodyStartOf(text), 0, std::string(entry) + eol);
    }
    const LineSpan& line = *scan.lastNonBlank;
    if (line.next == line.end) {
        return splice(text, line.end, 0, eol + std::string(entry));
    }
    return splice(text, line.end + endingLengthAt(text, line), 0, std::string(entry) + eol);
}

std::string addedSection(std::string_view text, std::string_view section, std::string_view entry) {
    const std::string eol = firstLineEnding(text);
    const std::string lines = "[" + std::string(section) + "]" + eol + std::string(entry);
    if (text.size() == bodyStartOf(text) || isLineBreak(text.back())) {
        return splice(text, text.size(), 0, lines + eol);
    }
    return splice(text, text.size(), 0, eol + lines);
}

}  // namespace

std::optional<std::string> iniEdited(std::string_view text, std::string_view section,
                                     std::string_view key, const char* value) {
    const SectionScan scan = scanSection(text, section, key);
    if (value == nullptr) {
        return scan.keyLine ? std::optional(removedLine(text, *scan.keyLine)) : std::nullopt;
    }
    if (scan.keyLine) {
        const std::size_t equals = scan.keyContent.find('=');
        if (equals != std::string_view::npos) {
            const std::string_view stored =
                cutAtNul(iniTrimmed(scan.keyContent.substr(equals + 1)));
            if (stored == value || unquotedValue(stored) == value) {
                return std::nullopt;
            }
        }
        return replacedValue(text, scan, value);
    }
    if (scan.found) {
        return addedToSection(text, scan, entryText(key, value));
    }
    return addedSection(text, section, entryText(key, value));
}

}  // namespace orvex
