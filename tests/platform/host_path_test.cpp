#include "platform/host_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32

TEST(HostPath, IsTheIdentityOnWindows) {
    for (const char* path : {"C:\\Games\\X\\Data\\", "Data\\client\\output\\a.ini", ""}) {
        EXPECT_EQ(HostPath(path, "C:\\wine"), path);
    }
}

#else

class ScopedCurrentFolder {
  public:
    explicit ScopedCurrentFolder(const fs::path& folder) : m_previous(fs::current_path()) {
        fs::current_path(folder);
    }
    ~ScopedCurrentFolder() { fs::current_path(m_previous); }

  private:
    fs::path m_previous;
};

// A game folder whose names differ in case from the ones the system builds.
class HostPathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(m_dir.path() / "data" / "Client" / "OUTPUT");
        test::WriteBytes(m_dir.path() / "data" / "Client" / "OUTPUT" / "Shortcut.INI", "");
    }

    std::string root() const { return m_dir.path().string(); }

    test::TempDir m_dir;
};

TEST_F(HostPathTest, ResolvesAbsolutePaths) {
    struct Row {
        const char* name;
        std::string windowsPath;
        std::string expected;
    };
    const std::string base = test::WindowsForm(m_dir.path());
    const Row rows[] = {
        {"every component found ignoring case", base + "\\Data\\client\\output\\shortcut.ini",
         root() + "/data/Client/OUTPUT/Shortcut.INI"},
        {"exact names used as they are", base + "\\data\\Client\\OUTPUT\\Shortcut.INI",
         root() + "/data/Client/OUTPUT/Shortcut.INI"},
        {"forward slashes separate too", root() + "/DATA/client/Output/SHORTCUT.ini",
         root() + "/data/Client/OUTPUT/Shortcut.INI"},
        {"runs of separators count as one", base + "\\\\Data//\\client\\output\\",
         root() + "/data/Client/OUTPUT/"},
        {"a missing file keeps its name", base + "\\Data\\client\\output\\player1_options.ini",
         root() + "/data/Client/OUTPUT/player1_options.ini"},
        {"everything after a missing folder stays as given", base + "\\Data\\New\\Client\\x.ini",
         root() + "/data/New/Client/x.ini"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(HostPath(row.windowsPath, ""), row.expected) << row.name;
    }
}

TEST_F(HostPathTest, RelativePathStaysRelativeToTheCurrentFolder) {
    ScopedCurrentFolder here(m_dir.path());
    EXPECT_EQ(HostPath("Data\\client\\output\\shortcut.ini", ""),
              "data/Client/OUTPUT/Shortcut.INI");
    EXPECT_EQ(HostPath(".\\DATA\\x.ini", ""), "./data/x.ini");
}

TEST_F(HostPathTest, DriveLettersMapThroughThePrefix) {
    const fs::path prefix = m_dir.path() / "pfx";
    fs::create_directories(prefix / "dosdevices");
    fs::create_directories(prefix / "drive_c" / "Games" / "Orvex");
    fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
    fs::create_directory_symlink("/", prefix / "dosdevices" / "z:");
    const std::string devices = prefix.string() + "/dosdevices";
    struct Row {
        const char* name;
        std::string windowsPath;
        std::string expected;
    };
    const Row rows[] = {
        {"C: through dosdevices, names ignoring case", "C:\\games\\ORVEX\\Data\\x.ini",
         devices + "/c:/Games/Orvex/Data/x.ini"},
        {"lower-case drive letter", "c:\\Games", devices + "/c:/Games"},
        {"Z: through its link", "Z:" + test::WindowsForm(m_dir.path()) + "\\DATA",
         devices + "/z:" + root() + "/data"},
        {"a drive the prefix does not map", "D:\\Games\\x.ini", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(HostPath(row.windowsPath, prefix.string()), row.expected) << row.name;
    }
}

TEST_F(HostPathTest, WithoutPrefixOnlyZMaps) {
    EXPECT_EQ(HostPath("Z:" + test::WindowsForm(m_dir.path()) + "\\DATA\\client", ""),
              root() + "/data/Client");
    EXPECT_EQ(HostPath("z:\\", ""), "/");
    EXPECT_EQ(HostPath("C:\\Games\\x.ini", ""), "");
}

#endif

}  // namespace
}  // namespace orvex
