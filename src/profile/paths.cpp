#include "paths.h"

#include <limits>

#include "platform/text.h"

namespace orvex {

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
    std::string result(TrimSpaces(path));
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
