#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "install/registry.h"
#include "install/wine_registry.h"

namespace orvex {

// What the prefix search reads from the environment.
struct PrefixSearchEnvironment {
    std::string winePrefix;  // $WINEPREFIX, empty when unset
    std::string home;        // $HOME, empty when unset
};

PrefixSearchEnvironment ProcessPrefixSearchEnvironment();

// The Wine prefixes to ask, in order:
// 1. $WINEPREFIX, ~/.wine;
// 2. every steamapps/compatdata/<id>/pfx (ids in ascending order) of each Steam root
//    (~/.steam/steam, ~/.local/share/Steam, and the Flatpak Steam's
//    ~/.var/app/com.valvesoftware.Steam/.local/share/Steam and .../data/Steam), each
//    root followed by the further libraries its steamapps/libraryfolders.vdf lists;
// 3. Lutris: the prefixes its game files ~/.config/lutris/games/*.yml name (files in
//    name order), then the folders ~/Games/* that hold a system.reg;
// 4. Bottles: the bottles ~/.local/share/bottles/bottles/*, then those of the Flatpak
//    ~/.var/app/com.usebottles.bottles/data/bottles/bottles/* (folders holding a
//    system.reg, in name order).
// The first two are listed whether they exist or not; a folder reached twice (by a
// symbolic link, say) is listed once. Without $HOME only $WINEPREFIX is asked.
std::vector<std::string> CandidateWinePrefixes(const PrefixSearchEnvironment& environment);

// The "prefix:" entry of a Lutris game file, without quotes; empty when it has none.
// "~/" at its start is left for the caller to expand.
std::string LutrisGamePrefix(const std::string& ymlText);

// The library folders a Steam libraryfolders.vdf lists, in file order, unescaped:
// its "path" entries, or in the older layout the numbered entries of the top block.
std::vector<std::string> SteamLibraryPaths(const std::string& vdfText);

// HKEY_LOCAL_MACHINE of a list of Wine prefixes, read from their system.reg. A key
// opens when some prefix has it; a value is taken from the first prefix, and within
// it the first view, that has the value: the 32-bit view (Software\Wow6432Node\...)
// before the 64-bit one. Other roots are missing. The files are read anew at every
// openKey and only the wanted keys are kept.
class WinePrefixRegistry : public RegistryBackend {
  public:
    explicit WinePrefixRegistry(std::vector<std::string> prefixes);

    long openKey(std::uint32_t root, const std::string& keyPath, KeyHandle& key) override;
    long queryValueInfo(KeyHandle key, const std::string& valueName, std::uint32_t& type,
                        std::uint32_t& size) override;
    long queryValueData(KeyHandle key, const std::string& valueName, std::uint32_t& type,
                        unsigned char* data, std::uint32_t& size) override;
    long closeKey(KeyHandle key) override;

    // The prefix that answered the last successful value query; empty before.
    const std::string& answeredPrefix() const { return m_answeredPrefix; }

  private:
    struct Candidate {
        std::string prefix;
        std::shared_ptr<const WineRegistryFile> file;
        std::string keyPath;
    };
    struct OpenKey {
        std::vector<Candidate> candidates;
    };

    const Candidate* findValue(KeyHandle key, const std::string& valueName,
                               const WineRegistryValue*& value);

    std::vector<std::string> m_prefixes;
    std::map<KeyHandle, OpenKey> m_openKeys;
    KeyHandle m_nextHandle = 1;
    std::string m_answeredPrefix;
};

// The key paths under which a 64-bit Windows keeps `keyPath` of HKEY_LOCAL_MACHINE,
// 32-bit view first: "SOFTWARE\A" gives "SOFTWARE\Wow6432Node\A" and "SOFTWARE\A";
// paths outside SOFTWARE have one view.
std::vector<std::string> RegistryViewPaths(const std::string& keyPath);

}  // namespace orvex
