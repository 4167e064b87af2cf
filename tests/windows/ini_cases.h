#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvex::test {

// One call of the private-profile service. A null section lists the sections, a
// null key lists the keys of the section; a Write with a null value deletes.
struct IniOperation {
    enum class Kind { Read, Write };
    Kind kind = Kind::Read;
    std::optional<std::string> section;
    std::optional<std::string> key;
    std::optional<std::string> defaultValue;  // reads only
    std::optional<std::string> value;         // writes only
    std::size_t size = 0;                     // reads only: the buffer size in characters
};

// A generated INI file and the calls to make on it.
struct IniCaseFile {
    std::string bytes;
    std::vector<IniOperation> operations;
};

// Files with the shapes that trip readers up: names colliding in case (also in the
// Windows-1252 letters), white space around names and values, duplicate sections
// and keys, comments, keys before the first section, lines without '=', CR / LF /
// CRLF and mixes, no final newline, bytes 0x80-0xFF, values around 499/500
// characters and section lists that overflow small buffers. The same seed gives
// the same files on every platform. Writes use only names and values that can be
// stored (no line breaks, no '=' in a key, no key starting with '[' or ';').
std::vector<IniCaseFile> GenerateIniCases(std::uint32_t seed, std::size_t fileCount);

// A short readable form of `text` for failure messages (\r, \n, \t, \xNN).
std::string Printable(const std::string& text);

// "write [section] key = value" or "read [section] key default ... size ...".
std::string Describe(const IniOperation& op);

// Every read that tells two files apart after `write`: the section list, and the
// key list and every key of each section of either file (the written ones too).
std::vector<IniOperation> ReadsOfEverything(const std::string& a, const std::string& b,
                                            const IniOperation& write);

// Whether the file has a "[]" line. The Windows service writes no header for a
// section with an empty name, so when it rewrites such a file the keys under that
// line join the section before it (and may shadow its keys). Our engine keeps the
// line and its meaning: a deliberate difference.
bool HasEmptyHeader(const std::string& bytes);

}  // namespace orvex::test
