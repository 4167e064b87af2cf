#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "file_list.h"
#include "text.h"

namespace orvex {

namespace {

// '*' matches any run (also none), '?' exactly one character; letters fold as ASCII,
// whatever locale the window set. Iterative with one
// backtrack point, so a long name cannot make it slow.
bool matchesPattern(const std::string& name, const std::string& pattern) {
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starAt = std::string::npos;
    std::size_t resumeName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeName = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++resumeName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool isRegularFile(const std::string& folder, const std::string& name) {
    struct stat info {};
    const std::string path =
        folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

FolderListing ListMatchingFiles(const std::string& hostFolder, const std::string& pattern) {
    FolderListing listing;
    DIR* dir = ::opendir(hostFolder.c_str());
    if (dir == nullptr) {
        listing.reason = std::strerror(errno);
        return listing;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.' || !matchesPattern(name, pattern)) {
            continue;
        }
        if (isRegularFile(hostFolder, name)) {
            listing.names.push_back(name);
        }
    }
    ::closedir(dir);
    std::sort(listing.names.begin(), listing.names.end(), LessIgnoringAsciiCase);
    listing.ok = true;
    return listing;
}

}  // namespace orvex
