#include "ini_engine.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/file_io.h"
#include "platform/host_path.h"

namespace orvex {

namespace {

constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

bool isIniSpace(char c) {
    return (c >= 0x09 && c <= 0x0d) || c == 0x20 || c == 0x1a;
}

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isIniSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isIniSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view cutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// One physical line: its content [begin, end) and the run of CR/LF after it
// [end, endingEnd). Blank lines inside a run of line breaks are part of the run.
struct IniLine {
    enum class Kind { Blank, Section, Entry };
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t endingEnd = 0;
    Kind kind = Kind::Blank;
    std::string name;  // section or key name, trimmed and cut at a NUL
    bool hasValue = false;
    std::size_t valueBegin = 0;  // the raw value (quotes kept), trimmed
    std::size_t valueEnd = 0;    // for an entry without '=': where its key ends

    bool hasEnding() const { return endingEnd > end; }
    bool isComment() const { return kind == Kind::Entry && !name.empty() && name[0] == ';'; }
};

struct IniSection {
    std::string name;
    bool implicit = false;  // the lines before the first header
    std::size_t firstLine = 0;
    std::size_t endLine = 0;  // one past the last line
};

// The whole file as lines that keep their bytes, so an edit is one splice.
class IniDocument {
  public:
    explicit IniDocument(std::string bytes) : m_text(std::move(bytes)) { parse(); }

    const std::string& text() const { return m_text; }
    const std::vector<IniLine>& lines() const { return m_lines; }
    const std::vector<IniSection>& sections() const { return m_sections; }

    const IniSection* findSection(std::string_view name) const {
        for (const IniSection& section : m_sections) {
            if (equalIgnoringCase(section.name, name)) {
                return &section;
            }
        }
        return nullptr;
    }

    std::size_t findKey(const IniSection& section, std::string_view key) const {
        for (std::size_t i = section.firstLine; i < section.endLine; ++i) {
            const IniLine& line = m_lines[i];
            if (line.kind == IniLine::Kind::Entry && equalIgnoringCase(line.name, key)) {
                return i;
            }
        }
        return kNoLine;
    }

    std::string_view rawValue(const IniLine& line) const {
        return cutAtNul(
            std::string_view(m_text).substr(line.valueBegin, line.valueEnd - line.valueBegin));
    }

    // The file's own line ending: the first one in it, CRLF when it has none.
    std::string lineEnding() const {
        const std::size_t at = m_text.find_first_of("\r\n", m_bodyStart);
        if (at == std::string::npos) {
            return "\r\n";
        }
        if (m_text[at] == '\r') {
            return at + 1 < m_text.size() && m_text[at + 1] == '\n' ? "\r\n" : "\r";
        }
        return "\n";
    }

    std::size_t bodyStart() const { return m_bodyStart; }
    bool endsWithLineBreak() const {
        return m_text.size() > m_bodyStart && isLineBreak(m_text.back());
    }

    // The length of the single line ending at the start of `line`'s run.
    std::size_t firstEndingLength(const IniLine& line) const {
        if (!line.hasEnding()) {
            return 0;
        }
        const bool crlf = m_text[line.end] == '\r' && line.end + 1 < line.endingEnd &&
                          m_text[line.end + 1] == '\n';
        return crlf ? 2 : 1;
    }

    std::size_t lastEndingLength(const IniLine& line) const {
        if (!line.hasEnding()) {
            return 0;
        }
        const bool crlf = line.endingEnd - line.end >= 2 && m_text[line.endingEnd - 1] == '\n' &&
                          m_text[line.endingEnd - 2] == '\r';
        return crlf ? 2 : 1;
    }

  private:
    void parse() {
        // A UTF-8 byte order mark stays in the file but is not part of the first name.
        if (m_text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            m_bodyStart = 3;
        }
        m_sections.push_back({std::string(), true, 0, 0});
        std::size_t pos = m_bodyStart;
        while (pos < m_text.size()) {
            IniLine line;
            line.begin = pos;
            line.end = std::min(m_text.find_first_of("\r\n", pos), m_text.size());
            line.endingEnd = line.end;
            while (line.endingEnd < m_text.size() && isLineBreak(m_text[line.endingEnd])) {
                ++line.endingEnd;
            }
            classify(line);
            pos = line.endingEnd;
            if (line.kind == IniLine::Kind::Section) {
                m_sections.back().endLine = m_lines.size();
                m_sections.push_back({line.name, false, m_lines.size(), 0});
            }
            m_lines.push_back(std::move(line));
        }
        m_sections.back().endLine = m_lines.size();
    }

    void classify(IniLine& line) const {
        const std::string_view all(m_text);
        const std::string_view content = trimmed(all.substr(line.begin, line.end - line.begin));
        if (content.empty()) {
            return;
        }
        const std::size_t contentBegin = static_cast<std::size_t>(content.data() - all.data());
        const std::size_t close = content.rfind(']');
        if (content.front() == '[' && close != std::string_view::npos && close > 0) {
            line.kind = IniLine::Kind::Section;
            line.name = std::string(cutAtNul(trimmed(content.substr(1, close - 1))));
            return;
        }
        line.kind = IniLine::Kind::Entry;
        const std::size_t equals = content.find('=');
        line.name = std::string(cutAtNul(trimmed(content.substr(0, equals))));
        if (equals == std::string_view::npos) {
            line.valueBegin = line.valueEnd = contentBegin + content.size();
            return;
        }
        const std::string_view value = content.substr(equals + 1);
        const std::string_view valueTrimmed = trimmed(value);
        line.hasValue = true;
        line.valueEnd = contentBegin + content.size();
        line.valueBegin =
            valueTrimmed.empty() ? contentBegin + equals + 1 : line.valueEnd - valueTrimmed.size();
    }

    std::string m_text;
    std::size_t m_bodyStart = 0;
    std::vector<IniLine> m_lines;
    std::vector<IniSection> m_sections;
};

// Copies `value` into `buffer` of `size` (> 0) characters the way the Windows
// service does: one pair of matching quotes removed, except that a value cut by
// the buffer keeps its closing quote.
std::size_t copyEntry(char* buffer, std::size_t size, std::string_view value) {
    bool quoted = false;
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::size_t copied = std::min(value.size(), size - 1);
    std::memcpy(buffer, value.data(), copied);
    if (quoted && size >= value.size() && copied > 0) {
        --copied;
    }
    buffer[copied] = '\0';
    return copied;
}

std::string unquoted(std::string_view value) {
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return std::string(value.substr(1, value.size() - 2));
    }
    return std::string(value);
}

enum class DefaultFor { Value, KeyList };

// The service drops the default's trailing spaces for a value read only.
std::size_t copyDefault(char* buffer, std::size_t size, const char* defaultValue, DefaultFor use) {
    std::string_view text = defaultValue != nullptr ? defaultValue : "";
    while (use == DefaultFor::Value && !text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return copyEntry(buffer, size, text);
}

// Writes names as name\0name\0\0. A list that does not fit ends with the cut
// name and two NULs and returns size - 2, as the Windows service does.
std::size_t copyNameList(char* buffer, std::size_t size, const std::vector<std::string>& names) {
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    char* out = buffer;
    std::size_t left = size - 1;
    for (const std::string& name : names) {
        const std::size_t needed = name.size() + 1;
        if (needed >= left) {
            std::memcpy(out, name.data(), left - 1);
            out += left - 1;
            *out++ = '\0';
            *out = '\0';
            return size - 2;
        }
        std::memcpy(out, name.c_str(), needed);
        out += needed;
        left -= needed;
    }
    *out = '\0';
    return static_cast<std::size_t>(out - buffer);
}

std::vector<std::string> sectionNames(const IniDocument& document) {
    std::vector<std::string> names;
    for (const IniSection& section : document.sections()) {
        if (!section.name.empty()) {
            names.push_back(section.name);
        }
    }
    return names;
}

std::vector<std::string> keyNames(const IniDocument& document, const IniSection& section) {
    std::vector<std::string> names;
    for (std::size_t i = section.firstLine; i < section.endLine; ++i) {
        const IniLine& line = document.lines()[i];
        if (line.kind == IniLine::Kind::Entry && line.hasValue && !line.isComment() &&
            !line.name.empty()) {
            names.push_back(line.name);
        }
    }
    return names;
}

// What the file holds, or nothing when it is missing or unreadable.
std::optional<IniDocument> loadDocument(const std::string& file, ProfileStatus* status) {
    const FileReadResult read = ReadFileBytes(HostPath(file));
    if (read.status == FileReadResult::Status::Failed && status != nullptr) {
        status->ok = false;
        status->reason = "Cannot read " + file + ": " + read.reason;
    }
    if (read.status != FileReadResult::Status::Ok) {
        return std::nullopt;
    }
    return IniDocument(read.bytes);
}

// --- writing ---------------------------------------------------------------

struct Splice {
    std::size_t at = 0;
    std::size_t removed = 0;
    std::string inserted;
};

std::string applied(const std::string& text, const Splice& splice) {
    std::string result = text.substr(0, splice.at);
    result += splice.inserted;
    result.append(text, splice.at + splice.removed, std::string::npos);
    return result;
}

ProfileStatus refused(const std::string& file, const std::string& why) {
    return {false, "Cannot write " + file + ": " + why};
}

std::string checkWriteArguments(std::string_view section, std::string_view key, const char* value) {
    const auto hasBreak = [](std::string_view text) {
        return text.find_first_of("\r\n") != std::string_view::npos;
    };
    if (hasBreak(section)) {
        return "the section name contains a line break";
    }
    if (key.empty()) {
        return "the key name is empty";
    }
    if (hasBreak(key) || key.find('=') != std::string_view::npos || key.front() == '[' ||
        key.front() == ';') {
        return "the key name \"" + std::string(key) + "\" cannot be stored in an INI file";
    }
    if (value != nullptr && hasBreak(value)) {
        return "the value contains a line break";
    }
    return {};
}

std::string entryText(std::string_view key, std::string_view value) {
    return std::string(key) + "=" + std::string(value);
}

Splice replaceValue(const IniLine& line, std::string_view value) {
    if (!line.hasValue) {
        return {line.valueEnd, 0, "=" + std::string(value)};
    }
    return {line.valueBegin, line.valueEnd - line.valueBegin, std::string(value)};
}

Splice removeLine(const IniDocument& document, std::size_t index) {
    const IniLine& line = document.lines()[index];
    if (line.hasEnding()) {
        return {line.begin, line.end - line.begin + document.firstEndingLength(line), {}};
    }
    if (index == 0) {
        return {line.begin, line.end - line.begin, {}};
    }
    // The last line has no line ending: take the one before it, so that the file
    // still ends without one.
    const IniLine& previous = document.lines()[index - 1];
    const std::size_t from = previous.endingEnd - document.lastEndingLength(previous);
    return {from, line.end - from, {}};
}

Splice addToSection(const IniDocument& document, const IniSection& section, std::string_view key,
                    std::string_view value) {
    const std::string eol = document.lineEnding();
    for (std::size_t i = section.endLine; i-- > section.firstLine;) {
        const IniLine& line = document.lines()[i];
        if (line.kind == IniLine::Kind::Blank) {
            continue;
        }
        if (!line.hasEnding()) {
            return {line.end, 0, eol + entryText(key, value)};
        }
        return {line.end + document.firstEndingLength(line), 0, entryText(key, value) + eol};
    }
    return {document.bodyStart(), 0, entryText(key, value) + eol};
}

Splice addSection(const IniDocument& document, std::string_view section, std::string_view key,
                  std::string_view value) {
    const std::string eol = document.lineEnding();
    const std::string lines = "[" + std::string(section) + "]" + eol + entryText(key, value);
    const std::size_t end = document.text().size();
    if (end == document.bodyStart() || document.endsWithLineBreak()) {
        return {end, 0, lines + eol};
    }
    return {end, 0, eol + lines};
}

// The edit a write needs, or nothing when the file stays as it is.
std::optional<Splice> planWrite(const IniDocument& document, std::string_view section,
                                std::string_view key, const char* value) {
    const IniSection* found = document.findSection(section);
    const std::size_t index = found != nullptr ? document.findKey(*found, key) : kNoLine;
    if (value == nullptr) {
        if (index == kNoLine) {
            return std::nullopt;
        }
        return removeLine(document, index);
    }
    if (index != kNoLine) {
        const IniLine& line = document.lines()[index];
        const std::string_view raw = document.rawValue(line);
        if (line.hasValue && (raw == value || unquoted(raw) == value)) {
            return std::nullopt;
        }
        return replaceValue(line, value);
    }
    if (found != nullptr) {
        return addToSection(document, *found, key, value);
    }
    return addSection(document, section, key, value);
}

}  // namespace

std::size_t ProfileGetString(const char* section, const char* key, const char* defaultValue,
                             char* buffer, std::size_t size, const std::string& file,
                             ProfileStatus* status, bool* found) {
    if (status != nullptr) {
        *status = ProfileStatus{};
    }
    if (found != nullptr) {
        *found = false;
    }
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::optional<IniDocument> document = loadDocument(file, status);
    if (section == nullptr) {
        if (!document) {
            buffer[0] = '\0';
            return 0;
        }
        return copyNameList(buffer, size, sectionNames(*document));
    }
    const IniSection* match = document ? document->findSection(trimmed(section)) : nullptr;
    if (key == nullptr) {
        // An empty list, also one that a tiny buffer made empty, gives the default.
        const std::size_t length =
            match != nullptr ? copyNameList(buffer, size, keyNames(*document, *match)) : 0;
        if (match == nullptr || buffer[0] == '\0') {
            return copyDefault(buffer, size, defaultValue, DefaultFor::KeyList);
        }
        if (found != nullptr) {
            *found = true;
        }
        return length;
    }
    const std::size_t index = match ? document->findKey(*match, trimmed(key)) : kNoLine;
    if (index == kNoLine || !document->lines()[index].hasValue) {
        return copyDefault(buffer, size, defaultValue, DefaultFor::Value);
    }
    if (found != nullptr) {
        *found = true;
    }
    return copyEntry(buffer, size, document->rawValue(document->lines()[index]));
}

ProfileStatus ProfileWriteString(const char* section, const char* key, const char* value,
                                 const std::string& file) {
    if (section == nullptr || key == nullptr) {
        return refused(file, "no section or key given");
    }
    const std::string_view sectionName = trimmed(section);
    const std::string_view keyName = trimmed(key);
    const std::string problem = checkWriteArguments(sectionName, keyName, value);
    if (!problem.empty()) {
        return refused(file, problem);
    }
    const std::string hostPath = HostPath(file);
    const FileReadResult read = ReadFileBytes(hostPath);
    if (read.status == FileReadResult::Status::Failed) {
        return refused(file, read.reason);
    }
    const IniDocument document(read.bytes);
    const std::optional<Splice> splice = planWrite(document, sectionName, keyName, value);
    if (!splice) {
        return {};
    }
    const FileWriteResult written = ReplaceFileBytes(hostPath, applied(document.text(), *splice));
    if (!written.ok) {
        return refused(file, written.reason);
    }
    return {};
}

}  // namespace orvex
