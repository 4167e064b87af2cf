#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/ini_text.h"

namespace orvex {

// The independent reference the scanner-based reads and edits are tested against:
// one INI file held as lines that keep every byte, read in the dialect of the
// Windows private-profile service and edited with the smallest change:
// - any run of CR and LF ends a line; a UTF-8 byte order mark is skipped (and kept);
// - white space (0x09-0x0D, 0x20, 0x1A) around names and values is ignored;
// - a header is a line starting with '[', its name runs to the last ']';
//   "[" without "]" is a key line without '=';
// - a key line splits at its first '='; a line without '=' is a key with no value;
// - names compare ignoring ASCII case; the first matching section and, in it, the
//   first matching key win; a NUL ends a name or value;
// - lines before the first header form a section with the empty name;
// - ';' lines are comments only for key lists; there are no inline comments.
class IniDocument {
  public:
    explicit IniDocument(std::string bytes);

    const std::string& text() const { return m_text; }

    // Section names in file order, duplicates kept, empty names left out.
    std::vector<std::string> sectionNames() const;

    // The key names of the first section called `section`, without comments and lines
    // without '='; nothing when there is no such section.
    std::optional<std::vector<std::string>> keyNames(std::string_view section) const;

    // The value of `key` as it stands in the file (quotes kept, cut at a NUL);
    // nothing when the section or key is missing or the key's line has no '='.
    std::optional<std::string_view> rawValue(std::string_view section, std::string_view key) const;

    // The file's bytes after setting `key` to `value`, or deleting it when `value`
    // is null; nothing when the file would not change (the key already reads as
    // `value`, or a key to delete is missing). Names and value must be fit to
    // store: no line breaks, and a key without '=' that starts with neither '['
    // nor ';'.
    std::optional<std::string> edited(std::string_view section, std::string_view key,
                                      const char* value) const;

  private:
    struct Line {
        enum class Kind { Blank, Section, Entry };
        std::size_t begin = 0;
        std::size_t end = 0;        // content is [begin, end)
        std::size_t endingEnd = 0;  // the run of CR/LF is [end, endingEnd)
        Kind kind = Kind::Blank;
        std::string name;  // section or key name, trimmed and cut at a NUL
        bool hasValue = false;
        std::size_t valueBegin = 0;  // the value, trimmed, quotes kept
        std::size_t valueEnd = 0;    // for a line without '=': where its key ends

        bool hasEnding() const { return endingEnd > end; }
        bool isComment() const { return kind == Kind::Entry && !name.empty() && name[0] == ';'; }
    };

    struct Section {
        std::string name;
        std::size_t firstLine = 0;
        std::size_t endLine = 0;  // one past its last line
    };

    struct Splice {
        std::size_t at = 0;
        std::size_t removed = 0;
        std::string inserted;
    };

    void parse();
    void classify(Line& line) const;
    const Section* findSection(std::string_view name) const;
    const Line* findKey(const Section& section, std::string_view key) const;
    std::string_view valueOf(const Line& line) const;
    std::string lineEnding() const;
    std::size_t firstEndingLength(const Line& line) const;
    std::size_t lastEndingLength(const Line& line) const;

    Splice replaceValue(const Line& line, std::string_view value) const;
    Splice removeLine(const Line& line) const;
    Splice addToSection(const Section& section, std::string_view entry) const;
    Splice addSection(std::string_view section, std::string_view entry) const;
    std::string applied(const Splice& splice) const;

    std::string m_text;
    std::size_t m_bodyStart = 0;
    std::vector<Line> m_lines;
    std::vector<Section> m_sections;
};

// One edit as the single-key write functions take it: a null value deletes.
inline IniEdit IniEditOf(std::string_view section, std::string_view key, const char* value) {
    return {std::string(section), std::string(key),
            value != nullptr ? std::optional<std::string>(value) : std::nullopt};
}

}  // namespace orvex
