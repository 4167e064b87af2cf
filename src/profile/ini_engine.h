#pragma once

#include <cstddef>
#include <string>

#include "platform/file_system.h"

namespace orvex {

// Our private-profile service: the five operations that the INI functions of this
// folder rely on, with the buffer semantics of the Windows service they replace.
// Every call reads the file anew; nothing is cached. `file` is a Windows-form path
// (see HostPath).

struct ProfileStatus {
    bool ok = true;
    std::string reason;  // what went wrong, with the operating system's message
};

// Read one key (section and key given), list the key names of a section (key null)
// or list the section names of the file (section and key null) into `buffer` of
// `size` characters. Returns the characters copied, without the final NUL.
// A missing file, section or key copies `defaultValue` (null counts as empty).
// A file that exists but cannot be read behaves as missing and sets `status`.
// `found` (when given) tells whether the text came from the file rather than
// from the default.
std::size_t ProfileGetString(const char* section, const char* key, const char* defaultValue,
                             char* buffer, std::size_t size, const std::string& file,
                             ProfileStatus* status = nullptr, bool* found = nullptr,
                             FileSystem& fileSystem = HostFileSystem());

// Write one key (value given) or delete it (value null), creating the file and the
// section as needed. Only the bytes of the replaced value, the added line or the
// removed line change; the file is replaced atomically. A write whose value equals
// what a read of the key returns now leaves the file untouched.
ProfileStatus ProfileWriteString(const char* section, const char* key, const char* value,
                                 const std::string& file,
                                 FileSystem& fileSystem = HostFileSystem());

}  // namespace orvex
