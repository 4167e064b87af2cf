#pragma once

#include <string>
#include <vector>

namespace orvex {

struct FolderListing {
    bool ok = false;                 // false: the folder does not exist or cannot be read
    std::vector<std::string> names;  // file names without folder, sorted case-insensitively
    std::string reason;              // the operating system's message when !ok
};

// The regular files of one host folder whose names match `pattern` ('*' any run of
// characters, '?' one character), compared case-insensitively. Hidden files (a
// leading "." on POSIX; the hidden or system attribute on Windows) are left out.
FolderListing ListMatchingFiles(const std::string& hostFolder, const std::string& pattern);

}  // namespace orvex
