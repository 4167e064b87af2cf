#include "install/wine_prefixes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "install_test_support.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const char* const kViewsKey = "SOFTWARE\\OrvexFixture\\Views";

class FixturePrefix : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(m_dir.path() / "pfx");
        fs::copy_file(test::DataDir() / "registry" / "wine8_system.reg",
                      m_dir.path() / "pfx" / "system.reg");
    }
    RegistryValue read(std::uint32_t root, const std::string& key, const std::string& value,
                       const RegistryValue& defaultValue = "<default>"s) {
        WinePrefixRegistry registry({(m_dir.path() / "pfx").string()});
        return RegistryGetKeyValue(registry, root, key, value, defaultValue).value;
    }

    test::TempDir m_dir;
};

TEST_F(FixturePrefix, ValuesWineWroteReadAsOnWindows) {
    const std::string values = "SOFTWARE\\OrvexFixture\\Values";
    struct Row {
        std::string key;
        const char* value;
        RegistryValue expected;
    };
    const Row rows[] = {
        {values, "Path", "C:\\Games\\X\\game.exe,0"s},
        {values, "TextNulText", "before"s},
        {values, "Empty", ""s},
        {values, "NoTerminator", "abc"s},
        {values, "", "default value"s},
        {values, "Escapes",
         "q\"uote back\\slash tab\t nl\n cr\r bell\a esc\x1b one\x01"
         "7 del\x7f e\xe9"
         "a euro\x80 end"s},
        {values, "Expand", "<default>"s},
        {values, "Multi", "<default>"s},
        {values, "Qword", "<default>"s},
        {values, "AllBits", -1},
        {values, "Small", 42},
        {values, "DwordShort", 0xadbeef},
        {values, "Abc", "ABC"s},
        {values, "EmptyBin", ""s},
        {values, "Missing", "<default>"s},
        {"software\\orvexfixture\\VALUES", "PATH", "C:\\Games\\X\\game.exe,0"s},
        {"SOFTWARE\\OrvexFixture\\Sub [b] \xe9", "Name", "in odd key"s},
        {"SOFTWARE\\OrvexFixture\\Nowhere", "Path", "<default>"s},
        {"SYSTEM\\OrvexFixture\\Values", "Path", "<default>"s},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(describe(read(kHkeyLocalMachine, row.key, row.value)), describe(row.expected))
            << row.key << " / " << row.value;
    }
}

TEST_F(FixturePrefix, ThirtyTwoBitViewIsAskedFirst) {
    const std::pair<const char*, const char*> rows[] = {
        {"Both", "32-bit view"},
        {"Only32", "only in the 32-bit view"},
        {"Only64", "only in the 64-bit view"},
    };
    for (const auto& [value, expected] : rows) {
        EXPECT_EQ(describe(read(kHkeyLocalMachine, kViewsKey, value)),
                  describe(std::string(expected)))
            << value;
    }
}

TEST_F(FixturePrefix, OnlyTheMachineRootIsKept) {
    EXPECT_EQ(describe(read(kHkeyCurrentUser, kViewsKey, "Both", 9)), describe(9));
}

TEST(RegistryViewPaths, SoftwareKeysHaveAThirtyTwoBitPlaceFirst) {
    const std::pair<const char*, std::vector<std::string>> rows[] = {
        {"SOFTWARE\\A\\B", {"SOFTWARE\\Wow6432Node\\A\\B", "SOFTWARE\\A\\B"}},
        {"software\\A", {"software\\Wow6432Node\\A", "software\\A"}},
        {"SOFTWARE", {"SOFTWARE"}},
        {"SOFTWARE\\", {"SOFTWARE\\"}},
        {"SYSTEM\\CurrentControlSet", {"SYSTEM\\CurrentControlSet"}},
        {"SOFTWAREX\\A", {"SOFTWAREX\\A"}},
    };
    for (const auto& [path, expected] : rows) {
        EXPECT_EQ(RegistryViewPaths(path), expected) << path;
    }
}

TEST(SteamLibraryPaths, ListsTheLibrariesOfBothLayouts) {
    struct Row {
        const char* name;
        std::string vdf;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"current layout",
         "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/u/.local/share/Steam\"\n"
         "\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"29212173\"\n\t\t}\n\t}"
         "\n"
         "\t\"1\"\n\t{\n\t\t\"PATH\"\t\t\"/mnt/games/Steam Library\"\n\t}\n}\n",
         {"/home/u/.local/share/Steam", "/mnt/games/Steam Library"}},
        {"older layout",
         "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1600000000\"\n"
         "\t\"1\"\t\t\"/mnt/a\"\n\t\"2\"\t\t\"/mnt/b\"\n}\n",
         {"/mnt/a", "/mnt/b"}},
        {"escaped characters",
         "\"x\" { \"0\" { \"path\" \"/mnt/back\\\\slash \\\"q\\\"\" } }",
         {"/mnt/back\\slash \"q\""}},
        {"path as a value is no key",
         "\"x\" { \"0\" { \"label\" \"path\" \"contentid\" \"7\" } }",
         {}},
        {"comment lines", "// \"path\" \"/nope\"\n\"x\" { \"0\" { \"path\" \"/yes\" } }", {"/yes"}},
        {"unterminated text", "\"x\" { \"0\" { \"path\" \"/mnt/cut", {"/mnt/cut"}},
        {"empty", "", {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SteamLibraryPaths(row.vdf), row.expected) << row.name;
    }
}

// Steam writes a backslash in a path (on Windows hosts) as two.
std::string vdfEscaped(const std::string& path) {
    std::string escaped;
    for (const char c : path) {
        escaped += c == '\\' ? "\\\\" : std::string(1, c);
    }
    return escaped;
}

// A home folder with Wine prefixes in every place the search knows.
class PrefixSearch : public ::testing::Test {
  protected:
    fs::path home() const { return m_dir.path() / "home"; }
    fs::path makeDir(const fs::path& path) {
        fs::create_directories(path);
        return path;
    }
    std::string pfx(const fs::path& library, const std::string& appId) {
        return makeDir(library / "steamapps" / "compatdata" / appId / "pfx").string();
    }

    test::TempDir m_dir;
};

TEST_F(PrefixSearch, CandidatesComeInSearchOrder) {
    const fs::path steam = home() / ".steam" / "steam";
    const fs::path localSteam = home() / ".local" / "share" / "Steam";
    const fs::path flatpak = home() / ".var" / "app" / "com.valvesoftware.Steam";
    const fs::path library = m_dir.path() / "library";
    const std::string custom = makeDir(m_dir.path() / "custom").string();
    const std::string steam10 = pfx(steam, "10");
    const std::string steam9 = pfx(steam, "9");
    const std::string steamNamed = pfx(steam, "abc");
    makeDir(steam / "steamapps" / "compatdata" / "11");  // no pfx: no prefix
    const std::string local5 = pfx(localSteam, "5");
    const std::string flatpak1 = pfx(flatpak / ".local" / "share" / "Steam", "1");
    const std::string flatpakData2 = pfx(flatpak / "data" / "Steam", "2");
    const std::string library77 = pfx(library, "77");
    test::WriteBytes(steam / "steamapps" / "libraryfolders.vdf",
                     "\"libraryfolders\" { \"0\" { \"path\" \"" + vdfEscaped(steam.string()) +
                         "\" } \"1\" { \"path\" \"" + vdfEscaped(library.string()) + "\" } }");

    const std::vector<std::string> expected = {
        custom,       (home() / ".wine").string(),
        steam9,       steam10,
        steamNamed,   library77,
        local5,       flatpak1,
        flatpakData2,
    };
    EXPECT_EQ(CandidateWinePrefixes({custom, home().string()}), expected);
}

// Lutris and Bottles come after every Steam prefix; only folders that are prefixes
// (a system.reg inside) count.
TEST_F(PrefixSearch, LutrisAndBottlesFollowSteam) {
    const auto prefix = [this](const fs::path& path) {
        test::WriteBytes(makeDir(path) / "system.reg", "WINE REGISTRY Version 2\n");
        return path.string();
    };
    const std::string steam3 = pfx(home() / ".steam" / "steam", "3");
    const std::string named = prefix(m_dir.path() / "elsewhere" / "orvex");
    const std::string other = prefix(m_dir.path() / "elsewhere" / "other");
    const std::string tilde = prefix(home() / "wine" / "tilde");
    const fs::path lutrisGames = makeDir(home() / ".config" / "lutris" / "games");
    test::WriteBytes(lutrisGames / "b-orvex.yml", "game:\n  exe: x.exe\n  prefix: " + named + "\n");
    test::WriteBytes(lutrisGames / "a-tilde.yml", "game:\n  prefix: '~/wine/tilde'\n");
    test::WriteBytes(lutrisGames / "c-gone.yml", "game:\n  prefix: /no/such/prefix\n");
    test::WriteBytes(lutrisGames / "d-other-key.yml", "game:\n  wine_prefix: " + other + "\n");
    const std::string gamesB = prefix(home() / "Games" / "b");
    const std::string gamesA = prefix(home() / "Games" / "a");
    makeDir(home() / "Games" / "native-game");
    const std::string bottle = prefix(home() / ".local" / "share" / "bottles" / "bottles" / "x");
    const std::string flatpakBottle = prefix(home() / ".var" / "app" / "com.usebottles.bottles" /
                                             "data" / "bottles" / "bottles" / "y");

    const std::vector<std::string> expected = {
        (home() / ".wine").string(), steam3, tilde, named, gamesA, gamesB, bottle, flatpakBottle};
    EXPECT_EQ(CandidateWinePrefixes({"", home().string()}), expected);
}

TEST_F(PrefixSearch, EnvironmentDecidesTheFirstCandidates) {
    makeDir(home());
    struct Row {
        const char* name;
        std::string winePrefix;
        std::string home;
        std::vector<std::string> expected;
    };
    const std::string wine = (home() / ".wine").string();
    const Row rows[] = {
        {"no WINEPREFIX", "", home().string(), {wine}},
        {"WINEPREFIX first", "/opt/pfx", home().string(), {"/opt/pfx", wine}},
        {"WINEPREFIX that is ~/.wine counts once", wine, home().string(), {wine}},
        {"no HOME", "/opt/pfx", "", {"/opt/pfx"}},
        {"nothing", "", "", {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CandidateWinePrefixes({row.winePrefix, row.home}), row.expected) << row.name;
    }
}

#ifndef _WIN32
TEST_F(PrefixSearch, SteamRootReachedByALinkIsSearchedOnce) {
    const fs::path localSteam = home() / ".local" / "share" / "Steam";
    const std::string local5 = pfx(localSteam, "5");
    makeDir(home() / ".steam");
    fs::create_directory_symlink(localSteam, home() / ".steam" / "steam");
    const auto candidates = CandidateWinePrefixes({"", home().string()});
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(fs::canonical(candidates[1]), fs::canonical(local5));
}

#endif

TEST_F(PrefixSearch, EnvironmentIsReadFromTheProcess) {
    struct Row {
        const char* name;
        const char* winePrefix;
        const char* home;
    };
    const Row rows[] = {
        {"both set", "/opt/pfx", "/home/u"},
        {"both unset", nullptr, nullptr},
    };
    for (const auto& row : rows) {
        ScopedEnvironmentVariable winePrefix("WINEPREFIX", row.winePrefix);
        ScopedEnvironmentVariable homeVariable("HOME", row.home);
        const auto environment = ProcessPrefixSearchEnvironment();
        EXPECT_EQ(environment.winePrefix, row.winePrefix ? row.winePrefix : "") << row.name;
        EXPECT_EQ(environment.home, row.home ? row.home : "") << row.name;
    }
}

// Several prefixes: the first whose system.reg has the value answers.
class PrefixOrder : public ::testing::Test {
  protected:
    std::string prefix(const std::string& name, const std::string& systemReg) {
        const fs::path dir = m_dir.path() / name;
        fs::create_directories(dir);
        if (!systemReg.empty()) {
            test::WriteBytes(dir / "system.reg", systemReg);
        }
        return dir.string();
    }
    static std::string registry(const std::string& body) {
        return "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n"
               "#arch=win64\n\n" +
               body;
    }

    test::TempDir m_dir;
};

TEST_F(PrefixOrder, FirstPrefixWithTheValueAnswers) {
    const std::string withValue64 =
        registry("[Software\\\\Game] 1\n\"Icon\"=\"C:\\\\sixty-four.exe\"\n");
    const std::string withValue32 =
        registry("[Software\\\\Wow6432Node\\\\Game] 1\n\"Icon\"=\"C:\\\\thirty-two.exe\"\n");
    const std::string keyWithoutValue = registry("[Software\\\\Game] 1\n\"Other\"=\"x\"\n");
    const std::string otherCase =
        registry("[software\\\\gAmE] 1\n\"Icon\"=\"C:\\\\other-case.exe\"\n");
    const std::string otherKey = registry("[Software\\\\Else] 1\n\"Icon\"=\"C:\\\\else.exe\"\n");
    const std::string malformed =
        "WINE REGISTRY Version 2\n[Software\\\\Game\n\"Icon\"=\"C:\\\\bad\n";
    struct Row {
        const char* name;
        std::vector<std::pair<const char*, std::string>> prefixes;  // name, system.reg
        const char* expected;
        const char* answered;
    };
    const Row rows[] = {
        {"only prefix", {{"a", withValue64}}, "C:\\sixty-four.exe", "a"},
        {"earlier prefix wins",
         {{"a", withValue64}, {"b", withValue32}},
         "C:\\sixty-four.exe",
         "a"},
        {"no system.reg falls through", {{"a", ""}, {"b", withValue32}}, "C:\\thirty-two.exe", "b"},
        {"key missing falls through",
         {{"a", otherKey}, {"b", withValue64}},
         "C:\\sixty-four.exe",
         "b"},
        {"value missing falls through",
         {{"a", keyWithoutValue}, {"b", withValue32}},
         "C:\\thirty-two.exe",
         "b"},
        {"malformed file falls through",
         {{"a", malformed}, {"b", withValue64}},
         "C:\\sixty-four.exe",
         "b"},
        {"key written in another case", {{"a", otherCase}}, "C:\\other-case.exe", "a"},
        {"no prefix has it", {{"a", otherKey}, {"b", malformed}}, "<default>", ""},
        {"no prefixes at all", {}, "<default>", ""},
    };
    for (const auto& row : rows) {
        std::vector<std::string> prefixes;
        std::map<std::string, std::string> names;
        for (const auto& [name, systemReg] : row.prefixes) {
            prefixes.push_back(prefix(std::string(row.name) + "/" + name, systemReg));
            names[prefixes.back()] = name;
        }
        WinePrefixRegistry registry(prefixes);
        const auto value =
            RegistryGetKeyValue(registry, kHkeyLocalMachine, "SOFTWARE\\Game", "Icon", "<default>"s)
                .value;
        EXPECT_EQ(describe(value), describe(std::string(row.expected))) << row.name;
        EXPECT_EQ(registry.answeredPrefix().empty() ? "" : names[registry.answeredPrefix()],
                  row.answered)
            << row.name;
    }
}

#ifndef _WIN32
// Elsewhere than on Windows the machine's registry is that of the Wine prefixes.
TEST_F(PrefixOrder, SystemRegistryFollowsTheProcessEnvironment) {
    const fs::path home = m_dir.path() / "home";
    prefix("home/.wine", registry("[Software\\\\Else] 1\n\"Icon\"=\"wrong\"\n"));
    prefix("home/.local/share/Steam/steamapps/compatdata/400/pfx",
           registry("[Software\\\\Game] 1\n\"Icon\"=\"from proton\"\n"));
    ScopedEnvironmentVariable winePrefix("WINEPREFIX", nullptr);
    ScopedEnvironmentVariable homeVariable("HOME", home.string().c_str());
    EXPECT_EQ(describe(RegistryGetKeyValue(kHkeyLocalMachine, "SOFTWARE\\Game", "Icon", ""s).value),
              describe("from proton"s));
}

#endif

}  // namespace
}  // namespace orvex
