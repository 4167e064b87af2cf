#include "startup.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

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

bool isFolder(const std::string& windowsPath, const FileSystem& files) {
    std::error_code error;
    return std::filesystem::is_directory(files.hostPath(windowsPath), error);
}

}  // namespace

InstallFound FindInstall(RegistryBackend& registry) {
    InstallFound found;
    RegistryRead icon = RegistryGetKeyValue(registry, kHkeyLocalMachine, kGameUninstallKey,
                                            kGameIconValueName, std::string());
    found.InstallIconPath = RegistryValueToText(icon.value);
    if (icon.report) {
        found.messages.push_back(std::move(*icon.report));
    }
    return found;
}

InstallFound FindInstallOnThisMachine([[maybe_unused]] const PrefixSearchEnvironment& environment) {
#ifdef _WIN32
    const auto registry = MakeSystemRegistryBackend();
    return FindInstall(*registry);
#else
    WinePrefixRegistry registry(CandidateWinePrefixes(environment));
    InstallFound found = FindInstall(registry);
    found.WinePrefix = registry.answeredPrefix();
    return found;
#endif
}

StartupState StartupFromInstall(InstallFound found, FileSystem& files) {
    StartupState state;
    state.InstallIconPath = std::move(found.InstallIconPath);
    state.WinePrefix = std::move(found.WinePrefix);
    state.messages = std::move(found.messages);
    state.OutputFolder = GetParentFolder(state.InstallIconPath) + kOutputFolder;
    GetINISectionNames(state.OutputFolder + "shortcut.ini", state.ShortcutSections, files);
    return state;
}

StartupState StartupForFolder(const std::string& hostFolder, FileSystem& files) {
    StartupState state;
    const std::string folder = windowsFolderOf(hostFolder);
    state.folderMissing = !isFolder(folder, files);
    const std::string below = folder + kOutputFolder;
    state.OutputFolder = isFolder(below, files) ? below : folder;
    GetINISectionNames(state.OutputFolder + "shortcut.ini", state.ShortcutSections, files);
    return state;
}

}  // namespace orvex
