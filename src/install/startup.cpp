#include "startup.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <system_error>
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

const char* const kOutputFolder = "Data\\client\\output\\";

// The Windows form of a host folder, ending in one backslash. POSIX hosts have no
// drive letters, so an absolute path keeps its meaning with "/" written as "\".
std::string windowsFolderOf(const std::string& hostFolder) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(hostFolder, error);
    std::string folder = error ? hostFolder : absolute.lexically_normal().string();
#ifndef _WIN32
    std::replace(folder.begin(), folder.end(), '/', '\\');
#endif
    if (folder.empty() || folder.back() != '\\') {
        folder += '\\';
    }
    return folder;
}

bool isFolder(const std::string& windowsPath) {
    std::error_code error;
    return std::filesystem::is_directory(HostPath(windowsPath), error);
}

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
    state.OutputFolder = GetParentFolder(state.InstallIconPath) + kOutputFolder;
    GetINISectionNames(state.OutputFolder + "shortcut.ini", state.ShortcutSections);
    return state;
}

}  // namespace

StartupState DiscoverStartupWith(RegistryBackend& registry) {
    return discover(registry, [] {});
}

StartupState StartupForFolder(const std::string& hostFolder) {
    StartupState state;
    const std::string folder = windowsFolderOf(hostFolder);
    const std::string below = folder + kOutputFolder;
    state.OutputFolder = isFolder(below) ? below : folder;
    GetINISectionNames(state.OutputFolder + "shortcut.ini", state.ShortcutSections);
    return state;
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
