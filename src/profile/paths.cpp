#include "paths.h"

#include <limits>

namespace orvex {

namespace {

std::string trimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string GetParentFolder(const std::string& path) {
    // The folder walk counts with a 16-bit index; a longer path cannot be walked
    // and counts as no path at all.
    if (path.empty() || path.size() > static_cast<std::size_t>(std::numeric_limits<short>::max())) {
        return {};
    }
    const auto separator = path.find_last_of("\\:");
    if (separator == std::string::npos) {
        return {};
    }
    return AddTrailingBackslash(path.substr(0, separator));
}

std::string AddTrailingBackslash(const std::string& path) {
    std::string result = trimSpaces(path);
    // The test looks at the untrimmed path: "X\ " gets a second backslash, which
    // the collapse below removes again.
    if (path.empty() || path.back() != '\\') {
        result += '\\';
    }
    while (result.size() >= 2 && result.compare(result.size() - 2, 2, "\\\\") == 0) {
        result.pop_back();
    }
    return result;
}

}  // namespace orvex
