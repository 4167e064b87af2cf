#include "startup.h"

#include <functional>
#include <utility>

#include "platform/host_path.h"
#include "profile/paths.h"
#include "profile/profile.h"
#include "wine_prefixes.h"

namespace orvex {

const char* const kGameUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
    "{976666B5-4541-4FAA-BF1C-ED3E1421341D}";
const char* const kGameIconValueName = "DisplayIcon";

namespace {

// `afterRegistry` runs between the registry read and the first file access.
StartupState discover(RegistryBackend& registry, const std::function<void()>& afterRegistry) {
    StartupState state;
    RegistryRead icon = RegistryGetKeyValue(registry, kHkeyLocalMachine, kGameUninstallKey,
                                            kGameIconValueName, std::string());
    state.InstallIconPath = RegistryValueToText(icon.value);
    if (icon.report) {
        state.messages.push_back(std::move(*icon.report));
    }
    afterRegistry();
    state.OutputFolder = GetParentFolder(state.InstallIconPath) + "Data\\client\\output\\";
    GetINISectionNames(state.OutputFolder + "shortcut.ini", state.ShortcutSections);
    return state;
}

}  // namespace

StartupState DiscoverStartupWith(RegistryBackend& registry) {
    return discover(registry, [] {});
}

StartupState DiscoverStartup() {
#ifdef _WIN32
    const auto registry = MakeSystemRegistryBackend();
    return DiscoverStartupWith(*registry);
#else
    WinePrefixRegistry registry(CandidateWinePrefixes(ProcessPrefixSearchEnvironment()));
    std::string prefix;
    StartupState state = discover(registry, [&registry, &prefix] {
        prefix = registry.answeredPrefix();
        if (!prefix.empty()) {
            SetWinePrefix(prefix);
        }
    });
    state.WinePrefix = prefix;
    return state;
#endif
}

}  // namespace orvex
