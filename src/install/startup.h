#pragma once

#include <string>
#include <vector>

namespace orvex {

// What the window's load step finds out once per run.
struct StartupState {
    std::string InstallIconPath;
    std::string OutputFolder;  // Windows form, ends in "Data\client\output\"
    std::vector<std::string> ShortcutSections;
};

// Reads the game's registered icon path, derives the output folder and lists the
// sections of its shortcut.ini. On Linux the Wine prefix whose registry answered
// becomes the prefix that HostPath maps drive letters through.
StartupState DiscoverStartup();

}  // namespace orvex
