#pragma once

#include <string>
#include <string_view>

#include "platform/file_list.h"

namespace orvex {

// Windows runs an old 32-bit game without a manifest virtualized: a file it may not
// change in a protected folder (Program Files, say) is copied, and from then on read
// and written, in the user's VirtualStore. The player's options are then those
// copies, so the tool lists and edits what the game sees.

// The VirtualStore counterpart of `windowsPath`: `localAppData`, "\VirtualStore",
// then the path without its drive ("C:\Program Files\G\a.ini" gives
// "<localAppData>\VirtualStore\Program Files\G\a.ini"). Empty when the path has no
// drive letter or `localAppData` is empty.
std::string VirtualStorePath(std::string_view windowsPath, std::string_view localAppData);

// On Windows: the VirtualStore copy of the file `windowsPath` when that copy exists
// (as a file), else `windowsPath`; %LOCALAPPDATA% names the store. Elsewhere
// `windowsPath` unchanged.
std::string FileTheGameSees(const std::string& windowsPath);

// ListMatchingFiles of `hostFolder`, joined on Windows by the matching files of its
// VirtualStore folder (each name once, in the same order).
FolderListing ListFilesTheGameSees(const std::string& hostFolder, const std::string& pattern);

}  // namespace orvex
