#include "platform/virtual_store.h"

#include <algorithm>
#include <cstdlib>

#include "platform/text.h"
#include "platform/windows_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace orvex {

std::string VirtualStorePath(std::string_view windowsPath, std::string_view localAppData) {
    if (!HasDriveLetter(windowsPath) || localAppData.empty()) {
        return {};
    }
    return JoinPath(JoinPath(localAppData, "VirtualStore"), windowsPath.substr(2));
}

#ifdef _WIN32

namespace {

std::string localAppData() {
    const char* folder = std::getenv("LOCALAPPDATA");
    return folder != nullptr ? folder : "";
}

}  // namespace

std::string FileTheGameSees(const std::string& windowsPath) {
    const std::string copy = VirtualStorePath(windowsPath, localAppData());
    if (copy.empty()) {
        return windowsPath;
    }
    const DWORD attributes = GetFileAttributesA(copy.c_str());
    const bool isFile =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    return isFile ? copy : windowsPath;
}

FolderListing ListFilesTheGameSees(const std::string& hostFolder, const std::string& pattern) {
    FolderListing listing = ListMatchingFiles(hostFolder, pattern);
    const std::string store = VirtualStorePath(hostFolder, localAppData());
    const FolderListing copies =
        store.empty() ? FolderListing{} : ListMatchingFiles(store, pattern);
    if (!copies.ok) {
        return listing;
    }
    // A folder of the game that only its VirtualStore holds still lists.
    listing.ok = true;
    listing.reason.clear();
    for (const std::string& name : copies.names) {
        const auto same = [&name](const std::string& other) {
            return EqualsIgnoringAsciiCase(other, name);
        };
        if (std::none_of(listing.names.begin(), listing.names.end(), same)) {
            listing.names.push_back(name);
        }
    }
    std::sort(listing.names.begin(), listing.names.end(), LessIgnoringAsciiCase);
    return listing;
}

#else

std::string FileTheGameSees(const std::string& windowsPath) {
    return windowsPath;
}

FolderListing ListFilesTheGameSees(const std::string& hostFolder, const std::string& pattern) {
    return ListMatchingFiles(hostFolder, pattern);
}

#endif

}  // namespace orvex
