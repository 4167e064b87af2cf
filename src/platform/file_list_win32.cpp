#include <windows.h>

#include <algorithm>

#include "file_list.h"
#include "text.h"
#include "win32_error.h"
#include "windows_path.h"

namespace orvex {

namespace {

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
    const std::string query = JoinPath(hostFolder, pattern);
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
    // The order of every platform (lstrcmpiA would sort by the user's locale and put
    // "player_" before "player1").
    std::sort(listing.names.begin(), listing.names.end(), LessIgnoringAsciiCase);
    listing.ok = true;
    return listing;
}

}  // namespace orvex
