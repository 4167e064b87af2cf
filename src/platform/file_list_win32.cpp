#include <windows.h>

#include <algorithm>
#include <cctype>

#include "file_list.h"
#include "win32_error.h"

namespace orvex {

namespace {

// Byte order ignoring ASCII case, as on every other platform (lstrcmpiA would sort
// by the user's locale and put "player_" before "player1").
bool lessIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    const auto byLower = [&](char x, char y) { return lower(x) < lower(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), byLower)) {
        return true;
    }
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), byLower)) {
        return false;
    }
    return a < b;
}

bool folderExists(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

FolderListing ListMatchingFiles(const std::string& hostFolder, const std::string& pattern) {
    FolderListing listing;
    if (!folderExists(hostFolder)) {
        listing.reason = Win32ErrorText(ERROR_PATH_NOT_FOUND);
        return listing;
    }
    std::string query = hostFolder;
    if (!query.empty() && query.back() != '\\' && query.back() != '/') {
        query += '\\';
    }
    query += pattern;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(query.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        listing.ok = error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
        if (!listing.ok) {
            listing.reason = Win32ErrorText(error);
        }
        return listing;
    }
    const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((found.dwFileAttributes & skipped) == 0) {
            listing.names.push_back(found.cFileName);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(listing.names.begin(), listing.names.end(), lessIgnoringCase);
    listing.ok = true;
    return listing;
}

}  // namespace orvex
