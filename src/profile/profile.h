#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/status.h"
#include "profile/ini_engine.h"

namespace orvex {

// The INI operations of the system. A file name without any "." gets ".INI"
// appended; names are Windows-form paths (see HostPath). Each call reads or writes
// the file anew through `files`.

// Lists the section names of `fileName` into `sectionNames` (lower bound 0), in
// file order. With none the array holds two empty texts and the result is -1;
// otherwise it holds exactly the names and the result is the last index. Names
// that do not fit the 32767-character list are dropped.
std::int16_t GetINISectionNames(const std::string& fileName, std::vector<std::string>& sectionNames,
                                FileSystem& files = HostFileSystem());

// What ReadINI returns, whether it came from the file or is the default, and the
// message titled "ReadINI" the user must see when the file exists but could not be
// read (the value is then the default).
struct IniRead {
    std::string value;
    bool fromFile = false;
    std::optional<UserMessage> report;
};

// Reads `key` of `section`: at most 499 characters of its value, or the default
// when the file, section or key is missing. An empty key lists the section's key
// names, each followed by a NUL, cut at 500 characters.
IniRead ReadINIEntry(const std::string& fileName, const std::string& section,
                     const std::string& key,
                     const std::optional<std::string>& defaultValue = std::nullopt,
                     FileSystem& files = HostFileSystem());
// The value alone, for callers that report nothing.
std::string ReadINI(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::optional<std::string>& defaultValue = std::nullopt,
                    FileSystem& files = HostFileSystem());

// One key to read, with its default.
struct IniRequest {
    std::string section;
    std::string key;  // not empty
    std::optional<std::string> defaultValue;
};
struct IniReads {
    std::vector<IniRead> entries;  // one per request, without reports of their own
    std::optional<UserMessage> report;
};
// Reads the file once and answers every request from that one version of it, each
// exactly as ReadINIEntry would on an unchanged file; one report for the file.
IniReads ReadINIEntries(const std::string& fileName, const std::vector<IniRequest>& requests,
                        FileSystem& files = HostFileSystem());

// Writes `value` as `key` of `section`; an empty value deletes the key. Tells the
// caller whether the file was written and, if not, why.
Status WriteINI(const std::string& fileName, const std::string& section, const std::string& key,
                const std::string& value, FileSystem& files = HostFileSystem());

// The same for several keys in one atomic replace of the file: it ends exactly as
// the WriteINI calls in order would leave it, or is left as it was. Nothing is
// written when one of `mustExist` is missing from the file as it is now.
Status WriteINIValues(const std::string& fileName, const std::vector<IniEdit>& writes,
                      const std::vector<IniKey>& mustExist, FileSystem& files = HostFileSystem());

}  // namespace orvex
