#pragma once

#include <string>
#include <vector>

#include "install/registry.h"
#include "install/wine_prefixes.h"
#include "platform/file_system.h"
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
    // The folder named on the command line does not exist (the list then shows the
    // current folder, and the user must learn why).
    bool folderMissing = false;
    // What the user must be told once the window exists (a trapped registry failure).
    UserMessages messages;
};

// Where the game registers its icon path, below HKEY_LOCAL_MACHINE.
extern const char* const kGameUninstallKey;
extern const char* const kGameIconValueName;

// What the machine's registry tells of the installed game.
struct InstallFound {
    std::string InstallIconPath;
    // Elsewhere than on Windows: the Wine prefix whose registry held the icon path
    // (host folder), empty when none did. Paths of the game map through it.
    std::string WinePrefix;
    UserMessages messages;  // a trapped registry failure
};

// Reads the game's registered icon path through `registry`; the Wine prefix stays
// empty.
InstallFound FindInstall(RegistryBackend& registry);
// The same over the machine's registry: on Windows the registry itself, elsewhere
// the Wine prefixes `environment` leads to (see wine_prefixes.h), noting the one that
// answered.
InstallFound FindInstallOnThisMachine(const PrefixSearchEnvironment& environment);

// The load step after the registry read: derives the output folder from the icon
// path and lists the sections of its shortcut.ini through `files` (which must map
// paths through found.WinePrefix). Never fails: a missing or unusable icon path (one
// too long for the folder walk, say) gives the relative output folder
// "Data\client\output\".
StartupState StartupFromInstall(InstallFound found, FileSystem& files);

// The load step when the user names the folder: `hostFolder` (a path of the host,
// relative to the current folder or absolute) is the game folder when
// Data\client\output\ exists below it, else the output folder itself. The
// registry is not read; InstallIconPath stays empty.
StartupState StartupForFolder(const std::string& hostFolder, FileSystem& files);

}  // namespace orvex
