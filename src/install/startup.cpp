#include "startup.h"

#include "profile/paths.h"
#include "profile/profile.h"

namespace orvex {

StartupState DiscoverStartup() {
    StartupState state;
    // The registry reader is not wired in yet: no registered icon path.
    state.OutputFolder = GetParentFolder(state.InstallIconPath) + "Data\\client\\output\\";
    GetINISectionNames(state.OutputFolder + "shortcut.ini", state.ShortcutSections);
    return state;
}

}  // namespace orvex
