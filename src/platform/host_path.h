#pragma once

#include <string>

namespace orvex {

// Paths inside the system are Windows paths ("C:\Games\X\Data\client\output\",
// "Data\client\output\player1_options.ini"). This is the one place where such a
// path becomes a path of the host's file system, at the moment a file is touched.
//
// On Windows the path is returned unchanged, unless it names a file whose copy in
// the user's VirtualStore exists: then that copy, the file the game sees
// (FileTheGameSees). Elsewhere:
// - a drive letter maps through `winePrefix` (<prefix>/dosdevices/<x>:,
//   "c:" -> drive_c, "z:" -> "/"); with no prefix, or a letter the prefix does not
//   map, only Z: resolves (to "/"), other drive paths resolve to nothing that
//   exists;
// - "\" and "/" both separate components; a path starting with a separator is
//   absolute on the host; a relative path stays relative to the current folder;
// - runs of separators count as one;
// - a component that does not exist under its exact name is matched
//   case-insensitively against the folder's entries (as Wine does), so
//   "Data\client\output\shortcut.ini" finds "data/Client/OUTPUT/Shortcut.INI".
std::string HostPath(const std::string& windowsPath, const std::string& winePrefix);

}  // namespace orvex
