#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/status.h"
#include "profile/ini_text.h"

namespace orvex {

// Our private-profile service: the operations the INI functions of this folder rely
// on, with the buffer semantics of the Windows service they replace. `file` is a
// Windows-form path (see HostPath). Nothing is cached: each call reads the file anew.

// One version of a file as the service answers from it. A missing file reads as
// empty; a file that exists but cannot be read (or is UTF-16, or too large) also
// answers nothing, and `status` says why.
class ProfileFile {
  public:
    static ProfileFile Read(const std::string& file, FileSystem& files);

    const Status& status() const { return m_status; }
    const std::optional<std::string>& text() const { return m_text; }

    // Read one key (section and key given), list the key names of a section (key
    // null) or list the section names (section and key null) into `buffer` of `size`
    // characters; returns the characters copied without the final NUL. A missing
    // section or key copies `defaultValue` (null counts as empty). `found` tells
    // whether the text came from the file.
    std::size_t getString(const char* section, const char* key, const char* defaultValue,
                          char* buffer, std::size_t size, bool* found = nullptr) const;

    // What getString would copy into a buffer of `size` for each key, in one pass.
    struct Answer {
        std::string text;
        bool found = false;
    };
    std::vector<Answer> getStrings(const std::vector<IniKey>& keys,
                                   const std::vector<const char*>& defaults,
                                   std::size_t size) const;

  private:
    Status m_status;
    std::optional<std::string> m_text;
};

std::size_t ProfileGetString(const char* section, const char* key, const char* defaultValue,
                             char* buffer, std::size_t size, const std::string& file,
                             Status* status = nullptr, bool* found = nullptr,
                             FileSystem& files = HostFileSystem());

// Write one key (value given) or delete it (value null), creating the file and the
// section as needed. Only the bytes of the replaced value, the added line or the
// removed line change; the file is replaced atomically, or left as it was when the
// write fails. A write whose value equals what a read of the key returns leaves the
// file untouched. Names and values that would corrupt the file are refused: line
// breaks, an empty key, a key holding '=' or starting with '[', ';' or a byte order
// mark.
Status ProfileWriteString(const char* section, const char* key, const char* value,
                          const std::string& file, FileSystem& files = HostFileSystem());

// Several writes in one read and one atomic replace: the file ends exactly as the
// same ProfileWriteString calls in order would leave it, or as it was. Nothing is
// written when one of `mustExist` (keys a caller saw in the file) is missing from
// the file as it is now: another program is rewriting it.
Status ProfileWriteStrings(const std::vector<IniEdit>& edits, const std::vector<IniKey>& mustExist,
                           const std::string& file, FileSystem& files = HostFileSystem());

}  // namespace orvex
