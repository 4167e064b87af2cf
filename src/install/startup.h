#pragma once

#include <string>
#include <vector>

#include "install/registry.h"
#include "platform/status.h"

namespace orvex {

// What the window's load step finds out once per run.
struct StartupState {
    std::string InstallIconPath;
    std::string OutputFolder;  // Windows form, ends in "Data\client\output\"
    std::vector<std::string> ShortcutSections;
    // Elsewhere than on Windows: the Wine prefix whose registry held the icon path
    // (host folder), empty when none did.
    std::string WinePrefix;
    // What the user must be told once the window exists (a trapped registry failure).
    UserMessages messages;
};

// Where the game registers its icon path, below HKEY_LOCAL_MACHINE.
extern const char* const kGameUninstallKey;
extern const char* const kGameIconValueName;

// Reads the game's registered icon path, derives the output folder and lists the
// sections of its shortcut.ini. On Linux the Wine prefix whose registry answered
// becomes the prefix that HostPath maps drive letters through (SetWinePrefix); when
// none answered, the prefix in use is left as it is. Never fails: a missing or
// unusable icon path (one too long for the folder walk, say) gives the relative
// output folder "Data\client\output\".
StartupState DiscoverStartup();

// The same steps over `registry`, leaving the Wine prefix alone. (A name of its own,
// so that DiscoverStartup stays one function the window can take as its load step.)
StartupState DiscoverStartupWith(RegistryBackend& registry);

// The load step when the user names the folder: `hostFolder` (a path of the host,
// relative to the current folder or absolute) is the game folder when
// Data\client\output\ exists below it, else the output folder itself. The registry
// is not read; InstallIconPath stays empty and the Wine prefix is left alone.
StartupState StartupForFolder(const std::string& hostFolder);

}  // namespace orvex
