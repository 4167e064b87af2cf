// The file list's rules, for both windows: which files it lists, and how its folder
// is named.
#include "form/file_list_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/system_file_system.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

class FileListModelTest : public ::testing::Test {
  protected:
    void write(const char* name) { test::WriteBytes(dir.path() / name, "[VECTOR3-000]\r\n"); }
    std::string folder() const { return test::WindowsForm(dir.path()); }

    test::TempDir dir;
    SystemFileSystem files;
    FileListModel list;
};

// Case-insensitive matching, hidden files and folders left out.
TEST_F(FileListModelTest, ListsOnlyVisibleMatchingFiles) {
    for (const char* name :
         {"player1_options.ini", "PLAYER7_OPTIONS.INI", ".player8_options.ini",
          "player9_options.ini.bak", "notes.txt", "player_options.ini", "xplayer1_options.ini"}) {
        write(name);
    }
    fs::create_directory(dir.path() / "player6_options.ini");
    ASSERT_TRUE(list.setFolder(folder(), files));
    EXPECT_EQ(list.entries(),
              (std::vector<std::string>{"player1_options.ini", "PLAYER7_OPTIONS.INI",
                                        "player_options.ini"}));
    EXPECT_EQ(list.List(3), "");
    EXPECT_EQ(list.List(-1), "");
    EXPECT_EQ(list.emptyHint(), "No player*_options.ini files in " + dir.path().string());
}

TEST_F(FileListModelTest, AFolderThatCannotBeListedKeepsTheList) {
    write("player1_options.ini");
    ASSERT_TRUE(list.setFolder(folder(), files));
    ASSERT_TRUE(list.select(0));
    for (const std::string unreadable : {"\\does-not-exist\\", "\\player1_options.ini"}) {
        EXPECT_FALSE(list.setFolder(folder() + unreadable, files)) << unreadable;
        EXPECT_EQ(list.Path(), folder()) << unreadable;
        EXPECT_EQ(list.ListCount(), 1) << unreadable;
        EXPECT_EQ(list.ListIndex(), 0) << unreadable;
    }
}

TEST_F(FileListModelTest, FolderHasNoFinalBackslashExceptAtARoot) {
    const struct Row {
        std::string folder;
        std::string path;
    } rows[] = {
        {"\\", "\\"},
        {folder() + "\\\\", folder()},
        {folder(), folder()},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(list.setFolder(row.folder, files)) << row.folder;
        EXPECT_EQ(list.Path(), row.path) << row.folder;
        EXPECT_EQ(list.ListIndex(), -1) << row.folder;
    }
}

}  // namespace
}  // namespace orvex
