#pragma once

#include <string>
#include <string_view>

namespace orvex {

// Whole-file access for the INI engine. Paths here are host paths (HostPath).

struct FileReadResult {
    enum class Status { Ok, NotFound, Failed };
    Status status = Status::NotFound;
    std::string bytes;   // the file's content when Ok
    std::string reason;  // the operating system's message when Failed
};

// Reads the whole file. A missing file or folder is NotFound, never Failed.
FileReadResult ReadFileBytes(const std::string& hostPath);

// Reads the whole file as ReadFileBytes does, into storage the caller keeps from
// call to call: afterwards the file's bytes are the first `length` characters of
// `buffer`, which may be longer and is never shrunk. `length` is 0 and `reason`
// the operating system's message unless the status is Ok.
FileReadResult::Status ReadFileInto(const std::string& hostPath, std::string& buffer,
                                    std::size_t& length, std::string& reason);

struct FileWriteResult {
    bool ok = false;
    std::string reason;  // the operating system's message when !ok
};

// Replaces the file's content atomically: the new bytes go to a temporary file
// in the same folder, are flushed to disk, get the old file's permission bits and
// are renamed over the old file (a symlink is followed and its target replaced).
// Creates the file when it is missing. On failure the old file is untouched.
FileWriteResult ReplaceFileBytes(const std::string& hostPath, std::string_view bytes);

}  // namespace orvex
