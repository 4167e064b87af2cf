#include "platform/file_list.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

// An output folder with the names a game leaves behind, and a few traps.
class ListMatchingFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name :
             {"player1_options.ini", "Player2_Options.INI", "PLAYER10_OPTIONS.ini",
              "player_options.ini", "player3_options.ini.bak", "xplayer4_options.ini",
              ".player5_options.ini", "shortcut.ini", "player6_options.ini~"}) {
            test::WriteBytes(m_dir.path() / name, "");
        }
        fs::create_directory(m_dir.path() / "player7_options.ini");
#ifdef _WIN32
        test::WriteBytes(m_dir.path() / "player8_options.ini", "");
#else
        // A link to a file is listed; a dangling one is not.
        fs::create_symlink("player1_options.ini", m_dir.path() / "player8_options.ini");
        fs::create_symlink("nothere.ini", m_dir.path() / "player9_options.ini");
        // Selecting a FIFO would hang the load until some program wrote into it.
        ::mkfifo((m_dir.path() / "player11_options.ini").c_str(), 0644);
#endif
    }

    test::TempDir m_dir;
};

TEST_F(ListMatchingFilesTest, ListsMatchingRegularFilesSortedIgnoringCase) {
    const FolderListing listing = ListMatchingFiles(m_dir.path().string(), "player*_options.ini");
    ASSERT_TRUE(listing.ok) << listing.reason;
    // '0' sorts before '_'.
    const std::vector<std::string> expected = {"PLAYER10_OPTIONS.ini", "player1_options.ini",
                                               "Player2_Options.INI", "player8_options.ini",
                                               "player_options.ini"};
    EXPECT_EQ(listing.names, expected);
}

TEST_F(ListMatchingFilesTest, MatchesWildcards) {
    struct Row {
        const char* name;
        const char* pattern;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"question mark is one character",
         "player?_options.ini",
         {"player1_options.ini", "Player2_Options.INI", "player8_options.ini"}},
        {"pattern case does not matter", "SHORTCUT.INI", {"shortcut.ini"}},
        {"star at the end", "player3*", {"player3_options.ini.bak"}},
        {"several stars", "*6*ini*", {"player6_options.ini~"}},
        {"no match", "*.txt", {}},
    };
    for (const Row& row : rows) {
        const FolderListing listing = ListMatchingFiles(m_dir.path().string(), row.pattern);
        EXPECT_TRUE(listing.ok) << row.name;
        EXPECT_EQ(listing.names, row.expected) << row.name;
    }
}

TEST(ListMatchingFiles, MissingFolderIsNotOk) {
    test::TempDir dir;
    const FolderListing listing = ListMatchingFiles(dir.file("nowhere"), "*");
    EXPECT_FALSE(listing.ok);
    EXPECT_FALSE(listing.reason.empty());
    EXPECT_TRUE(listing.names.empty());
}

}  // namespace
}  // namespace orvex
