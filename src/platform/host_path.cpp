#include "host_path.h"

namespace orvex {

namespace {

std::string& prefixStorage() {
    static std::string prefix;
    return prefix;
}

}  // namespace

void SetWinePrefix(const std::string& hostPrefixDir) {
    prefixStorage() = hostPrefixDir;
}

const std::string& WinePrefix() {
    return prefixStorage();
}

}  // namespace orvex

#ifdef _WIN32

namespace orvex {

std::string HostPath(const std::string& windowsPath) {
    return windowsPath;
}

}  // namespace orvex

#else

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <vector>

namespace orvex {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool entryExists(const std::string& path) {
    struct stat info {};
    // lstat: a dangling link is still a name that exists (a write creates its target).
    return ::lstat(path.c_str(), &info) == 0;
}

bool sameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The entry of `folder` whose name equals `name` ignoring case; empty when none.
std::string findIgnoringCase(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return {};
    }
    std::string found;
    while (const dirent* entry = ::readdir(dir)) {
        if (sameIgnoringAsciiCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::vector<std::string> splitComponents(const std::string& path, std::size_t from) {
    std::vector<std::string> parts;
    std::string current;
    for (std::size_t i = from; i < path.size(); ++i) {
        if (isSeparator(path[i])) {
            if (!current.empty()) {
                parts.push_back(current);
            }
            current.clear();
        } else {
            current += path[i];
        }
    }
    if (!current.empty()) {
        parts.push_back(current);
    }
    return parts;
}

bool hasDriveLetter(const std::string& path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// The host folder a drive letter stands for; empty when the drive is not mapped.
std::string driveRoot(char letter) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    if (!WinePrefix().empty()) {
        const std::string device = WinePrefix() + "/dosdevices/" + lower + ":";
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

std::string HostPath(const std::string& windowsPath) {
    std::string base;
    std::size_t from = 0;
    if (hasDriveLetter(windowsPath)) {
        base = driveRoot(windowsPath[0]);
        if (base.empty()) {
            return {};  // an unmapped drive: nothing there exists or can be created
        }
        from = 2;
    } else if (!windowsPath.empty() && isSeparator(windowsPath[0])) {
        base = "/";
    }
    const std::vector<std::string> parts = splitComponents(windowsPath, from);
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
    if (!windowsPath.empty() && isSeparator(windowsPath.back()) && !base.empty() &&
        base.back() != '/') {
        base += '/';
    }
    return base;
}

}  // namespace orvex

#endif
