#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ini_engine.h"

namespace orvex {

// Lists the section names of `fileName` into `sectionNames` (lower bound 0), in
// file order. With none the array holds two empty texts and the result is -1;
// otherwise it holds exactly the names and the result is the last index. Names
// that do not fit the 32767-character list are dropped.
std::int16_t GetINISectionNames(const std::string& fileName,
                                std::vector<std::string>& sectionNames);

// What ReadINI returns, and whether it came from the file or is the default.
struct IniRead {
    std::string value;
    bool fromFile = false;
};

// Reads `key` of `section`: at most 499 characters of its value, or the default
// when the file, section or key is missing. An empty key lists the section's key
// names, each followed by a NUL, cut at 500 characters. A file that exists but
// cannot be read is reported in a message titled "ReadINI" and yields the default.
IniRead ReadINIEntry(const std::string& fileName, const std::string& section,
                     const std::string& key,
                     const std::optional<std::string>& defaultValue = std::nullopt,
                     FileSystem& fileSystem = HostFileSystem());
std::string ReadINI(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::optional<std::string>& defaultValue = std::nullopt,
                    FileSystem& fileSystem = HostFileSystem());

// Writes `value` as `key` of `section`; an empty value deletes the key. Tells the
// caller whether the file was written and, if not, why.
ProfileStatus WriteINI(const std::string& fileName, const std::string& section,
                       const std::string& key, const std::string& value,
                       FileSystem& fileSystem = HostFileSystem());

}  // namespace orvex
