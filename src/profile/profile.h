#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/status.h"
#include "profile/ini_text.h"

namespace orvex {

// The INI operations of the system: our private-profile service, reading as the
// Windows service does (see ini_scanner.h) and writing more safely. A file name
// without any "." gets ".INI" appended; names are Windows-form paths (see HostPath),
// mapped through `files`. Nothing is cached: each call reads the file anew. A
// missing file reads as empty. A file that exists but cannot be read (or is UTF-16
// text, or too large) also reads as empty, and the status says why ("Cannot read
// <file>: <reason>").

// Lists the section names of `fileName` into `sectionNames` (lower bound 0), in
// file order. With none the array holds two empty texts and the result is -1;
// otherwise it holds exactly the names and the result is the last index. Names
// that do not fit the 32767-character list are dropped.
std::int16_t GetINISectionNames(const std::string& fileName, std::vector<std::string>& sectionNames,
                                FileSystem& files);

// What a read of one key gives.
struct IniEntry {
    std::string text;           // the value, or the default
    bool fromFile = false;      // the text came from the file
    bool sectionFound = false;  // the file holds the key's section
};

// Reads `key` of `section` as ReadINI does: at most 499 characters of its value with
// one pair of matching quotes removed, or the default (trailing spaces dropped,
// quotes removed) when the file, section or key is missing. An empty key lists the
// section's key names, each followed by a NUL, cut at 498 characters.
Result<IniEntry> ReadINIEntry(const std::string& fileName, const std::string& section,
                              const std::string& key,
                              const std::optional<std::string>& defaultValue, FileSystem& files);

// One key to read, with its default.
struct IniRequest {
    std::string section;
    std::string key;  // not empty
    std::optional<std::string> defaultValue;
};
// Reads the file once and answers every request from that one version of it, each
// exactly as ReadINIEntry would on an unchanged file.
Result<std::vector<IniEntry>> ReadINIEntries(const std::string& fileName,
                                             const std::vector<IniRequest>& requests,
                                             FileSystem& files);

// What a file must still hold when a write into it starts: another program may be
// rewriting it in place and be caught with it empty or half written.
struct IniGuard {
    std::vector<IniKey> keys;                // each of these keys, with a value
    std::vector<std::string_view> sections;  // at least one of these, when any are given
};

// Sets `key` of `section` to `value` for each write in order (an empty value deletes
// the key), creating the file and sections as needed, in one read and one atomic
// replace: the file ends exactly as the same writes one at a time would leave it,
// or is left as it was. A write changes only the bytes of the value it replaces, the
// line it adds or the line it removes; one whose value equals what a read of the key
// returns changes nothing. Sections and keys are matched trimmed, deletions as given.
// Refused, with the file untouched:
// - Failed: names or values that would corrupt the file (line breaks, NULs, an empty
//   key, a key holding '=' or starting with '[', ';' or a byte order mark), a file
//   that cannot be read, or a replace that failed ("Cannot write <file>: <reason>");
// - with a guard given: Vanished when the file is gone, Unrecognised when it holds
//   none of `guard.sections`, Changed when one of `guard.keys` is missing (the reason
//   names the first, "[section] key", and how many more).
Status WriteINIValues(const std::string& fileName, const std::vector<IniEdit>& writes,
                      const IniGuard& guard, FileSystem& files);

}  // namespace orvex
