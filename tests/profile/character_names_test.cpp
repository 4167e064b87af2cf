#include "profile/character_names.h"

#include <gtest/gtest.h>

#include "platform/system_file_system.h"
#include "profile/profile.h"
#include "test_support.h"

namespace orvex {
namespace {

TEST(PlayerIdFromFileName, LowerCaseThenEachPartRemovedInOnePass) {
    const std::pair<const char*, const char*> rows[] = {
        {"player42_options.ini", "42"},
        {"Player42_Options.INI", "42"},
        {"PLAYER42_OPTIONS.INI", "42"},
        {"player_options.ini", ""},
        {"player_7_options.ini", "_7"},
        {"player3_options.ini.bak", "3.bak"},
        // Removing "player" from the middle joins a new "player"; it stays.
        {"playplayerer_options.ini", "player"},
        {"player1_options_options.ini", "1"},
        {"Player\xc9\x8a_options.ini", "\xe9\x9a"},
        {"", ""},
    };
    for (const auto& [fileName, id] : rows) {
        EXPECT_EQ(PlayerIdFromFileName(fileName), id) << fileName;
    }
}

class CharacterNames : public ::testing::Test {
  protected:
    // The output folder as the system names it; the mapping to the host path takes
    // a host folder as it is.
    std::string outputFolder() const { return m_dir.path().string() + "/"; }
    void writeShortcuts(const std::string& text) {
        test::WriteBytes(m_dir.path() / "shortcut.ini", text);
    }

    test::TempDir m_dir;
    SystemFileSystem files;
};

TEST_F(CharacterNames, FirstSectionContainingTheIdGivesTheName) {
    writeShortcuts(
        "[17]\r\nName=Seventeen\r\n[7]\r\nName=Seven\r\n[ABC]\r\nName=Upper\r\n"
        "[xabc]\r\nName=Lower\r\n[x5]\r\nLevel=3\r\n[5]\r\nName=Five\r\n[y6]\r\nName=\r\n");
    struct Row {
        const char* name;
        const char* file;
        std::vector<std::string> sections;
        const char* expected;
    };
    const Row rows[] = {
        {"short id inside a longer name", "player7_options.ini", {"17", "7"}, "Seventeen"},
        {"file order decides", "player7_options.ini", {"7", "17"}, "Seven"},
        {"section names are case-sensitive", "playerabc_options.ini", {"ABC"}, ""},
        {"upper-case file name finds the lower-case section",
         "PlayerABC_Options.INI",
         {"ABC", "xabc"},
         "Lower"},
        {"empty id takes the first non-empty section",
         "player_options.ini",
         {"", "17", "7"},
         "Seventeen"},
        {"empty id never matches an empty name", "player_options.ini", {"", ""}, ""},
        {"no section contains the id", "player99_options.ini", {"17", "7"}, ""},
        {"first match without Name stops the search", "player5_options.ini", {"x5", "5"}, ""},
        {"empty Name", "player6_options.ini", {"y6"}, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LookupCharacterName(row.file, outputFolder(), row.sections, files).value,
                  row.expected)
            << row.name;
    }
}

TEST_F(CharacterNames, MissingShortcutFileGivesNoName) {
    std::vector<std::string> sections;
    GetINISectionNames(outputFolder() + "shortcut.ini", sections, files);
    EXPECT_EQ(sections, (std::vector<std::string>{"", ""}));
    for (const char* file : {"player42_options.ini", "player_options.ini"}) {
        EXPECT_EQ(LookupCharacterName(file, outputFolder(), sections, files).value, "") << file;
    }
    // Sections listed earlier, file gone since: still no name, and no failure.
    EXPECT_EQ(LookupCharacterName("player42_options.ini", outputFolder(), {"42"}, files).value, "");
}

TEST_F(CharacterNames, ChangedNameShowsAtTheNextLookup) {
    writeShortcuts("[Character 42]\r\nName=Before\r\n");
    std::vector<std::string> sections;
    GetINISectionNames(outputFolder() + "shortcut.ini", sections, files);
    EXPECT_EQ(LookupCharacterName("player42_options.ini", outputFolder(), sections, files).value,
              "Before");
    writeShortcuts("[Character 42]\r\nName=After\r\n");
    EXPECT_EQ(LookupCharacterName("player42_options.ini", outputFolder(), sections, files).value,
              "After");
}

}  // namespace
}  // namespace orvex
