#include "install/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <new>

#include "install_test_support.h"
#include "platform/file_list.h"
#include "platform/system_file_system.h"
#include "profile/character_names.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// A registry holding the game's icon value, or nothing, or failing.
class IconRegistry : public RegistryBackend {
  public:
    IconRegistry(bool present, std::uint32_t type, std::string data)
        : m_present(present), m_type(type), m_data(std::move(data)) {}
    std::function<void()> thrower;

    long openKey(std::uint32_t root, const std::string& keyPath, KeyHandle& key) override {
        if (!m_present || root != kHkeyLocalMachine || keyPath != kGameUninstallKey) {
            return kRegistryNotFound;
        }
        key = 1;
        return kRegistryOk;
    }
    long queryValueInfo(KeyHandle, const std::string& valueName, std::uint32_t& type,
                        std::uint32_t& size) override {
        if (valueName != kGameIconValueName) {
            return kRegistryNotFound;
        }
        type = m_type;
        size = static_cast<std::uint32_t>(m_data.size());
        return kRegistryOk;
    }
    long queryValueData(KeyHandle, const std::string&, std::uint32_t& type, unsigned char* data,
                        std::uint32_t& size) override {
        if (thrower) {
            thrower();
        }
        if (m_data.size() > size) {
            return kRegistryMoreData;
        }
        std::memcpy(data, m_data.data(), m_data.size());
        type = m_type;
        size = static_cast<std::uint32_t>(m_data.size());
        return kRegistryOk;
    }
    long closeKey(KeyHandle) override { return kRegistryOk; }

  private:
    bool m_present;
    std::uint32_t m_type;
    std::string m_data;
};

TEST(StartupFromInstall, OutputFolderFollowsTheRegisteredValue) {
    const std::string tooLong = "C:\\Games\\" + std::string(40000, 'x') + "\\game.exe";
    struct Row {
        const char* name;
        bool present;
        std::uint32_t type;
        std::string data;
        std::string installIconPath;
        const char* outputFolder;
    };
    const Row rows[] = {
        {"string with icon index", true, kRegSz, "C:\\Games\\X\\game.exe,0\0"s,
         "C:\\Games\\X\\game.exe,0", "C:\\Games\\X\\Data\\client\\output\\"},
        {"binary path", true, kRegBinary, "D:\\G\\g.exe", "D:\\G\\g.exe",
         "D:\\G\\Data\\client\\output\\"},
        {"number", true, kRegDword, "\x2a\0\0\0"s, "42", "Data\\client\\output\\"},
        {"negative number", true, kRegDword, "\xff\xff\xff\xff", "-1", "Data\\client\\output\\"},
        {"not installed", false, kRegSz, "", "", "Data\\client\\output\\"},
        {"expandable string is not read", true, kRegExpandSz, "%ProgramFiles%\\X\\g.exe\0"s, "",
         "Data\\client\\output\\"},
        {"path too long for the folder walk", true, kRegSz, tooLong + '\0', tooLong,
         "Data\\client\\output\\"},
    };
    for (const auto& row : rows) {
        IconRegistry registry(row.present, row.type, row.data);
        SystemFileSystem files;
        const StartupState state = StartupFromInstall(FindInstall(registry), files);
        EXPECT_EQ(state.InstallIconPath, row.installIconPath) << row.name;
        EXPECT_EQ(state.OutputFolder, row.outputFolder) << row.name;
        // No shortcut.ini in any of these folders.
        EXPECT_EQ(state.ShortcutSections, (std::vector<std::string>{"", ""})) << row.name;
        EXPECT_TRUE(state.messages.empty()) << row.name;
    }
}

TEST(StartupFromInstall, TrappedRegistryFailureIsReportedAndStartUpGoesOn) {
    IconRegistry registry(true, kRegSz, "C:\\Games\\X\\game.exe\0"s);
    registry.thrower = [] { throw std::bad_alloc(); };
    SystemFileSystem files;
    const StartupState state = StartupFromInstall(FindInstall(registry), files);
    EXPECT_EQ(state.InstallIconPath, "");
    EXPECT_EQ(state.OutputFolder, "Data\\client\\output\\");
    ASSERT_EQ(state.messages.size(), 1u);
    EXPECT_EQ(state.messages[0].title, "RegistryGetKeyValue");
}

#ifndef _WIN32

// A home folder where the game sits in a Proton prefix, laid out as Wine does,
// with names in the mixed case a Windows installer leaves behind.
class InstalledGame : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path home = m_dir.path() / "home";
        // ~/.wine exists but knows nothing of the game: the search must go on.
        fs::create_directories(home / ".wine");
        test::WriteBytes(home / ".wine" / "system.reg", "WINE REGISTRY Version 2\n\n#arch=win64\n");
        m_prefix =
            home / ".local" / "share" / "Steam" / "steamapps" / "compatdata" / "4000" / "pfx";
        fs::create_directories(m_prefix / "dosdevices");
        fs::create_directory_symlink("../drive_c", m_prefix / "dosdevices" / "c:");
        fs::copy_file(test::DataDir() / "registry" / "wine8_system.reg", m_prefix / "system.reg");
        const fs::path output = m_prefix / "drive_c" / "games" / "x" / "DATA" / "client" / "output";
        fs::create_directories(output);
        test::WriteBytes(output / "Shortcut.INI",
                         "[Character 42]\r\nName=Aldric\r\n[Character 7]\r\nName=Brenna\r\n");
        test::WriteBytes(output / "player42_options.ini", "[VECTOR3-000]\r\n");
        test::WriteBytes(output / "Player7_Options.INI", "[VECTOR3-000]\r\n");
        test::WriteBytes(output / "notes.txt", "not a player file");
        m_home = home.string();
    }

    test::TempDir m_dir;
    fs::path m_prefix;
    std::string m_home;
};

TEST_F(InstalledGame, StartUpFindsTheGameThroughTheWinePrefix) {
    const InstallFound found = FindInstallOnThisMachine({"", m_home});
    SystemFileSystem files(found.WinePrefix);
    const StartupState state = StartupFromInstall(found, files);

    EXPECT_EQ(state.InstallIconPath, "C:\\Games\\X\\game.exe,0");
    EXPECT_EQ(state.OutputFolder, "C:\\Games\\X\\Data\\client\\output\\");
    EXPECT_EQ(state.ShortcutSections, (std::vector<std::string>{"Character 42", "Character 7"}));
    EXPECT_EQ(state.WinePrefix, m_prefix.string());

    const FolderListing listing =
        ListMatchingFiles(files.hostPath(state.OutputFolder), "player*_options.ini");
    ASSERT_TRUE(listing.ok) << listing.reason;
    EXPECT_EQ(listing.names,
              (std::vector<std::string>{"player42_options.ini", "Player7_Options.INI"}));
    const std::pair<const char*, const char*> names[] = {
        {"player42_options.ini", "Aldric"},
        {"Player7_Options.INI", "Brenna"},
    };
    for (const auto& [file, name] : names) {
        EXPECT_EQ(
            LookupCharacterName(file, state.OutputFolder, state.ShortcutSections, files).value,
            name)
            << file;
    }
}

// A folder named by the user wins over the registry: the game folder (its
// Data\client\output found whatever its case) or the output folder itself.
TEST_F(InstalledGame, NamedFolderTakesThePlaceOfTheSearch) {
    const fs::path game = m_prefix / "drive_c" / "games" / "x";
    const fs::path output = game / "DATA" / "client" / "output";
    const std::pair<std::string, fs::path> rows[] = {
        {game.string() + "/", game / "Data" / "client" / "output" / ""},
        {fs::relative(output).string(), output / ""},
    };
    for (const auto& [argument, expected] : rows) {
        SystemFileSystem files;
        const StartupState state = StartupForFolder(argument, files);
        EXPECT_FALSE(state.folderMissing) << argument;
        EXPECT_EQ(state.InstallIconPath, "") << argument;
        std::string folder = expected.string();
        std::replace(folder.begin(), folder.end(), '/', '\\');
        EXPECT_EQ(state.OutputFolder, folder) << argument;
        EXPECT_EQ(state.ShortcutSections.size(), 2u) << argument;
    }
}

TEST_F(InstalledGame, WithoutAnyRegistryNoPrefixIsFound) {
    const std::string emptyHome = (m_dir.path() / "empty-home").string();
    fs::create_directories(emptyHome);
    const InstallFound found = FindInstallOnThisMachine({"", emptyHome});

    EXPECT_EQ(found.InstallIconPath, "");
    EXPECT_EQ(found.WinePrefix, "");
    EXPECT_TRUE(found.messages.empty());
}

#endif

}  // namespace
}  // namespace orvex
