#include "host_path.h"

#ifdef _WIN32

#include "virtual_store.h"

namespace orvex {

std::string HostPath(const std::string& windowsPath, const std::string& /*winePrefix*/) {
    return FileTheGameSees(windowsPath);
}

}  // namespace orvex

#else

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

#include "text.h"
#include "windows_path.h"

namespace orvex {

namespace {

bool entryExists(const std::string& path) {
    struct stat info {};
    // lstat: a dangling link is still a name that exists (a write creates its target).
    return ::lstat(path.c_str(), &info) == 0;
}

// The entry of `folder` whose name equals `name` ignoring case; empty when none.
std::string findIgnoringCase(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return {};
    }
    std::string found;
    while (const dirent* entry = ::readdir(dir)) {
        if (EqualsIgnoringAsciiCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

// The host folder a drive letter stands for; empty when the drive is not mapped.
std::string driveRoot(char letter, const std::string& winePrefix) {
    const char lower = AsciiLower(letter);
    if (!winePrefix.empty()) {
        const std::string device = winePrefix + "/dosdevices/" + lower + ":";
        if (entryExists(device)) {
            return device;
        }
    }
    return lower == 'z' ? "/" : std::string();
}

std::string joinPath(const std::string& base, const std::string& name) {
    if (base.empty()) {
        return name;
    }
    return base.back() == '/' ? base + name : base + "/" + name;
}

}  // namespace

std::string HostPath(const std::string& windowsPath, const std::string& winePrefix) {
    std::string base;
    if (HasDriveLetter(windowsPath)) {
        base = driveRoot(windowsPath[0], winePrefix);
        if (base.empty()) {
            return {};  // an unmapped drive: nothing there exists or can be created
        }
    } else if (IsAbsolutePath(windowsPath)) {
        base = "/";
    }
    const std::vector<std::string> parts = SplitPathComponents(windowsPath);
    // Most paths exist as spelled: one lstat instead of one per component.
    std::string exact = base;
    for (const std::string& part : parts) {
        exact = joinPath(exact, part);
    }
    const bool spelledExactly = !parts.empty() && entryExists(exact);
    bool resolving = !spelledExactly;
    for (const std::string& part : parts) {
        std::string candidate = joinPath(base, part);
        if (resolving && part != "." && part != ".." && !entryExists(candidate)) {
            const std::string match = findIgnoringCase(base, part);
            if (match.empty()) {
                resolving = false;
            } else {
                candidate = joinPath(base, match);
            }
        }
        base = candidate;
    }
    if (!windowsPath.empty() && IsPathSeparator(windowsPath.back()) && !base.empty() &&
        base.back() != '/') {
        base += '/';
    }
    return base;
}

}  // namespace orvex

#endif
