#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvex {

// One value as the registry stores it: its type code and its raw data (strings as
// UTF-16LE, as the str forms of the file give them, with their terminating NUL).
struct WineRegistryValue {
    std::string name;
    std::uint32_t type = 0;
    std::string data;
};

// The keys and values of one Wine registry file ("WINE REGISTRY Version 2"), such
// as a prefix's system.reg. Key paths are relative to the file's root
// ("Software\Microsoft\..."); keys and value names are found case-insensitively.
//
// Reading never fails: a file without the header holds nothing, and a line that
// cannot be understood is skipped (a value line that cannot be parsed, a key line
// that cannot be parsed together with the values under it). When a key or a value
// appears twice, the values merge and the later one wins, as in Wine.
class WineRegistryFile {
  public:
    // Keeps only the keys for which `wantKey` (given the key path as Windows-1252
    // text) is true; all keys when it is empty.
    static WineRegistryFile parse(std::string_view text,
                                  const std::function<bool(const std::string&)>& wantKey = {});

    bool hasKey(const std::string& keyPath) const;
    // Null when the key or the value does not exist; "" names the default value.
    const WineRegistryValue* findValue(const std::string& keyPath,
                                       const std::string& valueName) const;
    std::size_t keyCount() const { return m_keys.size(); }

  private:
    using Values = std::vector<WineRegistryValue>;
    std::unordered_map<std::string, Values> m_keys;  // by folded key path

    friend class WineRegistryParser;
};

// The Windows-1252 form of UTF-16 text, one byte per character: characters the code
// page lacks, and unpaired surrogates, become '?'; a surrogate pair one '?'.
std::string Utf16ToWindows1252(const std::u16string& text);

// Registry data as an ANSI query returns it: strings (REG_SZ, REG_EXPAND_SZ,
// REG_MULTI_SZ) converted from UTF-16LE to Windows-1252, other types unchanged.
std::string AnsiRegistryData(const WineRegistryValue& value);

// Key and value names compared as Windows does for the characters of Windows-1252.
std::string FoldRegistryName(const std::string& name);

}  // namespace orvex
