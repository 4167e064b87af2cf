#pragma once

#include <cstddef>
#include <string_view>

namespace orvex {

// One line of an INI file as the private-profile dialect reads it:
// - any run of CR and LF ends a line; a UTF-8 byte order mark before the first line
//   is skipped (and kept in the file);
// - blanks (see IsIniBlank) around the line, names and values are ignored;
// - a header is a line starting with '[' that holds a ']': its name runs to the last
//   ']'; "[" without "]" is an entry without '=';
// - an entry splits at its first '='; a name or value ends at a NUL;
// - a line starting with ';' is a comment entry (only key lists skip it).
struct IniLine {
    enum class Kind { Blank, Header, Entry };

    Kind kind = Kind::Blank;
    std::size_t begin = 0;      // first byte of the line
    std::size_t end = 0;        // where its run of line breaks starts
    std::size_t next = 0;       // where the next line starts
    std::string_view content;   // the line without the blanks around it
    std::string_view name;      // header or key name, trimmed, cut at a NUL
    bool hasEquals = false;     // an entry with '='
    std::string_view rawValue;  // an entry's text after '=', trimmed (NULs kept)

    // The value as a read returns it: rawValue cut at its first NUL.
    std::string_view value() const { return rawValue.substr(0, rawValue.find('\0')); }
    bool isComment() const { return kind == Kind::Entry && content.front() == ';'; }
    bool hasLineBreak() const { return next > end; }
};

// The one pass over an INI file's bytes that every read and edit is built on.
class IniScanner {
  public:
    // `text` is a whole file, or (`wholeFile` false) a part of one that starts at the
    // beginning of a line after the first.
    explicit IniScanner(std::string_view text, bool wholeFile = true);

    // Where the first line starts: after a UTF-8 byte order mark that starts a file.
    std::size_t bodyStart() const { return m_bodyStart; }

    // Classifies the next line into `line`; false once the text is used up.
    bool next(IniLine& line);

    // Passes over the lines up to the next one that starts with '[' (after blanks),
    // without classifying them: the next line read may be a header, none before it is.
    // With `initials` given, only headers whose name starts with one of them (folded
    // to lower case) stop it.
    void skipToPossibleHeader(std::string_view initials = {});

  private:
    bool startsLine(std::size_t at) const;
    bool nameMayStartWith(std::size_t bracket, std::string_view initials) const;
    void classify(IniLine& line) const;

    std::string_view m_text;
    std::size_t m_bodyStart;
    std::size_t m_pos;
};

}  // namespace orvex
