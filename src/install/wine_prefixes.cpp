#include "wine_prefixes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string_view>
#include <tuple>

#include "platform/text.h"

namespace orvex {

namespace fs = std::filesystem;

namespace {

// A registry file larger than this is no registry we could use.
constexpr std::uintmax_t kLargestRegistryFile = 256u * 1024 * 1024;

std::string environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string readSmallFile(const fs::path& path, std::uintmax_t largest) {
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (error || size > largest) {
        return {};
    }
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool isNumber(const std::string& text) {
    return !text.empty() && text.size() < 19 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Steam's app ids are numbers; order them as numbers, anything else after them.
bool appIdLess(const std::string& left, const std::string& right) {
    const bool leftNumber = isNumber(left);
    const bool rightNumber = isNumber(right);
    if (leftNumber && rightNumber) {
        return std::stoull(left) < std::stoull(right);
    }
    return std::make_tuple(!leftNumber, left) < std::make_tuple(!rightNumber, right);
}

std::vector<fs::path> protonPrefixes(const fs::path& library) {
    const fs::path compatdata = library / "steamapps" / "compatdata";
    std::vector<std::string> ids;
    std::error_code error;
    for (fs::directory_iterator it(compatdata, error), end; !error && it != end;
         it.increment(error)) {
        if (isDirectory(it->path() / "pfx")) {
            ids.push_back(it->path().filename().string());
        }
    }
    std::sort(ids.begin(), ids.end(), appIdLess);
    std::vector<fs::path> prefixes;
    for (const auto& id : ids) {
        prefixes.push_back(compatdata / id / "pfx");
    }
    return prefixes;
}

// A Steam library may hold dozens of prefixes of several MB each. Wine writes a
// key name's printable ASCII characters (other than \\ " [ ]) as they are, so a
// file in which the key's last name does not occur, in any case, cannot hold it.
bool mayHoldKey(const std::string& text, const std::string& keyPath) {
    const std::string last = keyPath.substr(keyPath.find_last_of('\\') + 1);
    const bool verbatim = std::all_of(last.begin(), last.end(), [](char c) {
        return c >= 0x20 && c < 0x7F && c != '"' && c != '[' && c != ']';
    });
    if (last.empty() || !verbatim) {
        return true;
    }
    return ContainsIgnoringAsciiCase(text, last);
}

class CandidateList {
  public:
    void add(const fs::path& prefix) {
        std::error_code error;
        const fs::path canonical = fs::weakly_canonical(prefix, error);
        if (m_seen.insert(error ? prefix.string() : canonical.string()).second) {
            m_prefixes.push_back(prefix.string());
        }
    }
    void addSteamLibrary(const fs::path& library) {
        for (const auto& prefix : protonPrefixes(library)) {
            add(prefix);
        }
    }
    std::vector<std::string> take() { return std::move(m_prefixes); }

  private:
    std::set<std::string> m_seen;
    std::vector<std::string> m_prefixes;
};

// The quoted strings and braces of a VDF text; comments ("//") skipped.
std::vector<std::string> vdfTokens(const std::string& text) {
    std::vector<std::string> tokens;
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (c == '{' || c == '}') {
            tokens.emplace_back(1, c);
            ++at;
        } else if (c == '/' && text.compare(at, 2, "//") == 0) {
            at = std::min(text.find('\n', at), text.size());
        } else if (c == '"') {
            std::string token = "\"";
            for (++at; at < text.size() && text[at] != '"'; ++at) {
                if (text[at] == '\\' && at + 1 < text.size()) {
                    ++at;
                }
                token += text[at];
            }
            ++at;
            tokens.push_back(std::move(token));
        } else {
            ++at;
        }
    }
    return tokens;
}

bool isQuoted(const std::string& token) {
    return !token.empty() && token.front() == '"';
}

// The entries of `folder`, sorted by name, that are folders holding a system.reg.
std::vector<fs::path> prefixFoldersIn(const fs::path& folder) {
    std::vector<fs::path> prefixes;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code missing;
        if (fs::is_regular_file(it->path() / "system.reg", missing)) {
            prefixes.push_back(it->path());
        }
    }
    std::sort(prefixes.begin(), prefixes.end());
    return prefixes;
}

std::vector<fs::path> filesEndingIn(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == extension) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string withoutQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '\'' || value.front() == '"') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

void addLutrisPrefixes(CandidateList& list, const fs::path& home) {
    for (const auto& yml : filesEndingIn(home / ".config" / "lutris" / "games", ".yml")) {
        std::string prefix = LutrisGamePrefix(readSmallFile(yml, 1024 * 1024));
        if (prefix.rfind("~/", 0) == 0) {
            fs::path rest = prefix.substr(2);
            prefix = (home / rest.make_preferred()).string();
        }
        if (!prefix.empty() && isDirectory(prefix)) {
            list.add(prefix);
        }
    }
    for (const auto& prefix : prefixFoldersIn(home / "Games")) {
        list.add(prefix);
    }
}

void addBottles(CandidateList& list, const fs::path& home) {
    const fs::path roots[] = {
        home / ".local" / "share" / "bottles" / "bottles",
        home / ".var" / "app" / "com.usebottles.bottles" / "data" / "bottles" / "bottles"};
    for (const auto& root : roots) {
        for (const auto& prefix : prefixFoldersIn(root)) {
            list.add(prefix);
        }
    }
}

}  // namespace

PrefixSearchEnvironment ProcessPrefixSearchEnvironment() {
    return {environmentVariable("WINEPREFIX"), environmentVariable("HOME")};
}

std::vector<std::string> SteamLibraryPaths(const std::string& vdfText) {
    const auto tokens = vdfTokens(vdfText);
    std::vector<std::string> paths;
    int depth = 0;
    for (std::size_t at = 0; at < tokens.size(); ++at) {
        if (!isQuoted(tokens[at])) {
            depth += tokens[at] == "{" ? 1 : -1;
            continue;
        }
        if (at + 1 == tokens.size() || !isQuoted(tokens[at + 1])) {
            continue;
        }
        const std::string key = tokens[at].substr(1);
        // Newer files: "path" in a block per library; older ones: "<n>" "<path>"
        // right inside the top block.
        if (FoldRegistryName(key) == "path" || (depth == 1 && isNumber(key))) {
            paths.push_back(tokens[at + 1].substr(1));
        }
        ++at;  // the value is no key
    }
    return paths;
}

std::string LutrisGamePrefix(const std::string& ymlText) {
    std::size_t lineStart = 0;
    while (lineStart < ymlText.size()) {
        const std::size_t lineEnd = std::min(ymlText.find('\n', lineStart), ymlText.size());
        const std::string_view line =
            TrimIniBlanks(std::string_view(ymlText).substr(lineStart, lineEnd - lineStart));
        const std::string_view key = "prefix:";
        if (line.substr(0, key.size()) == key) {
            return withoutQuotes(TrimIniBlanks(line.substr(key.size())));
        }
        lineStart = lineEnd + 1;
    }
    return {};
}

std::vector<std::string> CandidateWinePrefixes(const PrefixSearchEnvironment& environment) {
    CandidateList list;
    if (!environment.winePrefix.empty()) {
        list.add(environment.winePrefix);
    }
    if (environment.home.empty()) {
        return list.take();
    }
    const fs::path home = environment.home;
    list.add(home / ".wine");
    const fs::path flatpak = home / ".var" / "app" / "com.valvesoftware.Steam";
    const fs::path steamRoots[] = {home / ".steam" / "steam", home / ".local" / "share" / "Steam",
                                   flatpak / ".local" / "share" / "Steam",
                                   flatpak / "data" / "Steam"};
    for (const auto& root : steamRoots) {
        if (!isDirectory(root)) {
            continue;
        }
        list.addSteamLibrary(root);
        const std::string vdf =
            readSmallFile(root / "steamapps" / "libraryfolders.vdf", 1024 * 1024);
        for (const auto& library : SteamLibraryPaths(vdf)) {
            list.addSteamLibrary(library);
        }
    }
    addLutrisPrefixes(list, home);
    addBottles(list, home);
    return list.take();
}

std::vector<std::string> RegistryViewPaths(const std::string& keyPath) {
    const std::string software = "software\\";
    if (keyPath.size() > software.size() &&
        FoldRegistryName(keyPath.substr(0, software.size())) == software) {
        return {
            keyPath.substr(0, software.size()) + "Wow6432Node\\" + keyPath.substr(software.size()),
            keyPath};
    }
    return {keyPath};
}

WinePrefixRegistry::WinePrefixRegistry(std::vector<std::string> prefixes)
    : m_prefixes(std::move(prefixes)) {}

long WinePrefixRegistry::openKey(std::uint32_t root, const std::string& keyPath, KeyHandle& key) {
    if (root != kHkeyLocalMachine) {
        return kRegistryNotFound;
    }
    const auto views = RegistryViewPaths(keyPath);
    std::set<std::string> wanted;
    for (const auto& view : views) {
        wanted.insert(FoldRegistryName(view));
    }
    const auto wantKey = [&wanted](const std::string& path) {
        return wanted.count(FoldRegistryName(path)) != 0;
    };
    OpenKey open;
    for (const auto& prefix : m_prefixes) {
        const std::string text =
            readSmallFile(fs::path(prefix) / "system.reg", kLargestRegistryFile);
        if (!mayHoldKey(text, keyPath)) {
            continue;
        }
        auto file =
            std::make_shared<const WineRegistryFile>(WineRegistryFile::parse(text, wantKey));
        for (const auto& view : views) {
            if (file->hasKey(view)) {
                open.candidates.push_back({prefix, file, view});
            }
        }
    }
    if (open.candidates.empty()) {
        return kRegistryNotFound;
    }
    key = m_nextHandle++;
    m_openKeys.emplace(key, std::move(open));
    return kRegistryOk;
}

const WinePrefixRegistry::Candidate* WinePrefixRegistry::findValue(
    KeyHandle key, const std::string& valueName, const WineRegistryValue*& value) {
    const auto open = m_openKeys.find(key);
    if (open == m_openKeys.end()) {
        return nullptr;
    }
    for (const auto& candidate : open->second.candidates) {
        value = candidate.file->findValue(candidate.keyPath, valueName);
        if (value != nullptr) {
            return &candidate;
        }
    }
    return nullptr;
}

long WinePrefixRegistry::queryValueInfo(KeyHandle key, const std::string& valueName,
                                        std::uint32_t& type, std::uint32_t& size) {
    const WineRegistryValue* value = nullptr;
    const Candidate* candidate = findValue(key, valueName, value);
    if (candidate == nullptr) {
        return kRegistryNotFound;
    }
    type = value->type;
    size = static_cast<std::uint32_t>(AnsiRegistryData(*value).size());
    m_answeredPrefix = candidate->prefix;
    return kRegistryOk;
}

long WinePrefixRegistry::queryValueData(KeyHandle key, const std::string& valueName,
                                        std::uint32_t& type, unsigned char* data,
                                        std::uint32_t& size) {
    const WineRegistryValue* value = nullptr;
    if (findValue(key, valueName, value) == nullptr) {
        return kRegistryNotFound;
    }
    const std::string bytes = AnsiRegistryData(*value);
    type = value->type;
    if (bytes.size() > size) {
        size = static_cast<std::uint32_t>(bytes.size());
        return kRegistryMoreData;
    }
    if (!bytes.empty()) {
        std::memcpy(data, bytes.data(), bytes.size());
    }
    size = static_cast<std::uint32_t>(bytes.size());
    return kRegistryOk;
}

long WinePrefixRegistry::closeKey(KeyHandle key) {
    return m_openKeys.erase(key) != 0 ? kRegistryOk : kRegistryNotFound;
}

#ifndef _WIN32
std::unique_ptr<RegistryBackend> MakeSystemRegistryBackend() {
    return std::make_unique<WinePrefixRegistry>(
        CandidateWinePrefixes(ProcessPrefixSearchEnvironment()));
}
#endif

}  // namespace orvex
