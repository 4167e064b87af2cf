#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

// Reads and edits of an INI file's bytes, all built on IniScanner (see ini_scanner.h
// for the dialect). Names compare ignoring ASCII case; the first section of a name
// and, in it, the first line of a key decide; lines before the first header form the
// first section with the empty name. Callers pass names already trimmed.

// One key of one section.
struct IniKey {
    std::string_view section;
    std::string_view key;
};

// What a file holds of one key: whether its section is there and the key's value as
// a read returns it before unquoting (cut at a NUL); no value where the section or
// the key is missing or the key's first line has no '='.
struct IniFound {
    bool section = false;
    std::optional<std::string_view> value;
};

// One pass over the text, whatever the number of keys.
std::vector<IniFound> IniLookup(std::string_view text, const std::vector<IniKey>& keys);
std::optional<std::string_view> IniValue(std::string_view text, std::string_view section,
                                         std::string_view key);

// The key names of the first section called `section` as the Windows service lists
// them: comments and lines without '=' left out, and a key with an empty name left
// out when the entry line before it has an empty name too; nothing when there is no
// such section.
std::optional<std::vector<std::string>> IniKeyNames(std::string_view text,
                                                    std::string_view section);

// The section names in file order, duplicates kept, empty names left out. Stops after
// the name that brings the list, each name with one NUL after it, to `limit`
// characters or more.
std::vector<std::string> IniSectionNames(std::string_view text,
                                         std::size_t limit = std::string::npos);

// `value` without one pair of matching quotes around it.
std::string_view Unquoted(std::string_view value);

// One write: `key` of `section` set to `value`, or deleted when `value` is nothing.
struct IniEdit {
    std::string section;
    std::string key;
    std::optional<std::string> value;
};

// The bytes after the edits, exactly as the edits made one at a time, in order, would
// leave them. Each changes only what it must: a value replaced where it stands, one
// line added after the last non-blank line of its section, the first line of the key
// removed, or a section added at the end. A new line takes the file's first line
// ending (CRLF in a file without one). An edit that sets a key to what a read of it
// returns changes nothing. Nothing when no edit changes a byte. Names and values must
// be fit to store (see WriteINIValues).
std::optional<std::string> IniEdited(std::string_view text, const std::vector<IniEdit>& edits);

}  // namespace orvex
