#pragma once

#include <string>

namespace orvex {

// The folder part of a Windows path, ending in exactly one backslash, or the empty
// text when the path holds no "\" or ":".
std::string GetParentFolder(const std::string& path);

// The path trimmed of spaces at both ends, ending in exactly one backslash.
std::string AddTrailingBackslash(const std::string& path);

}  // namespace orvex
