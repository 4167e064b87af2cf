#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace orvex {

// The largest INI file the tool reads: far beyond any options file (a few KB), yet
// small enough that a huge or sparse file is refused before anything is allocated.
constexpr std::uint64_t kLargestIniFile = std::uint64_t{256} << 20;

// What reading a whole file gave.
struct FileRead {
    enum class Kind { Ok, NotFound, Failed };
    Kind kind = Kind::NotFound;
    std::string bytes;   // the file's content when Ok
    std::string reason;  // why, when Failed: the operating system's message, or the size
};

// The few file operations the core needs, on host paths. The product uses a
// SystemFileSystem; tests pass in implementations that fail where they choose.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // The host path of a Windows-form path (see HostPath): where the system's paths
    // meet the host's files. Without a Wine prefix, only Z: maps to anything.
    virtual std::string hostPath(const std::string& windowsPath) const;

    // Reads the whole file. A missing file or folder is NotFound, never Failed. A file
    // larger than `largest` bytes is Failed without being read, and so is anything
    // that is not a regular file (a folder, a FIFO, a device). Never throws.
    virtual FileRead readFile(const std::string& hostPath, std::uint64_t largest) = 0;

    // Replaces the file's content atomically: the bytes go to a temporary file of ours
    // in the same folder, are flushed to disk, get the old file's permission bits (and
    // owner where allowed), and are renamed over the old file, whose folder is then
    // flushed; a symlink is followed and its target replaced. Creates a missing file.
    // On failure the old file is untouched, no temporary file is left, and the reason
    // is the operating system's own. Never throws.
    virtual Status replaceFile(const std::string& hostPath, std::string_view bytes) = 0;
};

}  // namespace orvex
