#include "platform/windows_path.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <algorithm>
#include <filesystem>
#include <system_error>
#endif

namespace orvex {

namespace {

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string_view withoutFinal(std::string_view path, std::size_t keep) {
    while (path.size() > keep && IsPathSeparator(path.back())) {
        path.remove_suffix(1);
    }
    return path;
}

}  // namespace

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

bool HasDriveLetter(std::string_view path) {
    return path.size() >= 2 && isAsciiLetter(path[0]) && path[1] == ':';
}

std::size_t RootLength(std::string_view path) {
    if (HasDriveLetter(path)) {
        return path.size() >= 3 && IsPathSeparator(path[2]) ? 3 : 2;
    }
    return !path.empty() && IsPathSeparator(path[0]) ? 1 : 0;
}

bool IsAbsolutePath(std::string_view path) {
    return RootLength(path) != 0;
}

std::vector<std::string> SplitPathComponents(std::string_view path) {
    std::vector<std::string> parts;
    path.remove_prefix(RootLength(path));
    while (!path.empty()) {
        std::size_t end = 0;
        while (end < path.size() && !IsPathSeparator(path[end])) {
            ++end;
        }
        if (end != 0) {
            parts.emplace_back(path.substr(0, end));
        }
        path.remove_prefix(end == path.size() ? end : end + 1);
    }
    return parts;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    while (!name.empty() && IsPathSeparator(name.front())) {
        name.remove_prefix(1);
    }
    if (folder.empty()) {
        return std::string(name);
    }
    std::string joined(withoutFinal(folder, 0));
    joined += '\\';
    joined += name;
    return joined;
}

std::string WithoutFinalSeparators(std::string_view path) {
    return std::string(withoutFinal(path, RootLength(path)));
}

std::string CurrentFolder() {
#ifdef _WIN32
    char folder[MAX_PATH * 4] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string(".");
#else
    std::error_code error;
    std::string folder = std::filesystem::current_path(error).string();
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return error ? std::string(".") : folder;
#endif
}

std::string FolderShownFor(std::string_view folder) {
    return WithoutFinalSeparators(IsAbsolutePath(folder) ? std::string(folder)
                                                         : JoinPath(CurrentFolder(), folder));
}

}  // namespace orvex
