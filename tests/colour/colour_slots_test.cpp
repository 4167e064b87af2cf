#include "colour/colour_slots.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "platform/system_file_system.h"
#include "profile/profile.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;
using test::OptionsFile;
using test::SlotSection;

constexpr const char* kEntry = "player7_options.ini";

// Counts what the table asks of the disk.
class CountingFiles : public SystemFileSystem {
  public:
    FileRead readFile(const std::string& path, std::uint64_t largest) override {
        ++reads;
        return SystemFileSystem::readFile(path, largest);
    }
    Status replaceFile(const std::string& path, std::string_view bytes) override {
        ++replaces;
        return SystemFileSystem::replaceFile(path, bytes);
    }
    int reads = 0;
    int replaces = 0;
};

class ColourSlotTableTest : public ::testing::Test, protected test::SlotTableScene {
  protected:
    ColourSlotTableTest() : SlotTableScene(kEntry) {}

    UserMessages loadFile(const std::string& bytes) {
        test::WriteBytes(file(), bytes);
        return table.LoadSelectedFile(list);
    }

    CountingFiles files;
    ColourSlotTable table{files};
};

const UserMessages kSaved = {{"INI file saved", ""}};

// A program that rewrites the file in place (truncate, then write) can be caught with
// it empty at the load and at the save: the save once filled it with 24 bare colour
// sections and said "INI file saved", and the game's other settings were gone.
TEST_F(ColourSlotTableTest, FileHoldingNoColourSectionsIsSaidSoAndNeverFilled) {
    for (const std::string bytes : {"", "[General]\r\nVersion=3\r\n"}) {
        const UserMessages loaded = loadFile(bytes);
        ASSERT_EQ(loaded.size(), 1u) << bytes;
        EXPECT_EQ(loaded[0].text, table.currentIniPath() +
                                      " holds none of the 24 colour options (it is empty or not a "
                                      "player options file).");
        for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
            EXPECT_EQ(table.slot(slot).sectionName, SlotSection(slot));
            EXPECT_EQ(table.slot(slot).optionName, "Bad Read");
            EXPECT_EQ(table.slot(slot).toolTipText(), "Original Colors: 1,1,1");
            EXPECT_EQ(table.slot(slot).colour, kWhite);
        }
        table.GiveColour(3, 0);
        const UserMessages saved = table.SaveColorSlots(list);
        ASSERT_EQ(saved.size(), 1u) << bytes;
        EXPECT_NE(saved[0].text.find("none of the 24 colour options"), std::string::npos)
            << saved[0].text;
        EXPECT_EQ(test::ReadBytes(file()), bytes);
    }
    EXPECT_EQ(files.replaces, 0);
}

// Caught empty, or as some other file, between the load and the save.
TEST_F(ColourSlotTableTest, SaveIntoAFileThatLostEveryColourSectionIsRefused) {
    for (const std::string now : {"", "[General]\r\nVersion=4\r\n"}) {
        loadFile(OptionsFile({"0,1,0"}));
        table.GiveColour(0, 0);
        test::WriteBytes(file(), now);
        const UserMessages saved = table.SaveColorSlots(list);
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_NE(saved[0].text.find("It holds none of the 24 colour options now"),
                  std::string::npos)
            << saved[0].text;
        EXPECT_EQ(test::ReadBytes(file()), now);
    }
    EXPECT_EQ(files.replaces, 0);
}

TEST_F(ColourSlotTableTest, LoadsNamesTextsAndColoursFromOneRead) {
    struct Row {
        const char* text;
        PackedColour colour;
    };
    const Row rows[] = {{"1,1,1", kWhite},          {"1,1,1,1", kWhite},
                        {"1.5,0,0", 0x000000FF},    {"0.99,0,0", 0x000000FC},
                        {"0.5,0.25,1", 0x00FF4080}, {"0.55,0.55,0.55", 0x008C8C8C}};
    std::vector<std::string> values;
    for (const Row& row : rows) {
        values.push_back(row.text);
    }
    EXPECT_TRUE(loadFile(OptionsFile(values)).empty());
    EXPECT_EQ(files.reads, 1) << "all 48 values come from one version of the file";
    for (int slot = 0; slot < static_cast<int>(std::size(rows)); ++slot) {
        EXPECT_EQ(table.slot(slot).optionName, "Option " + std::to_string(slot));
        EXPECT_EQ(table.slot(slot).toolTipText(),
                  std::string("Original Colors: ") + rows[slot].text);
        EXPECT_EQ(table.slot(slot).colour, rows[slot].colour) << rows[slot].text;
    }
}

// Values the load could not read, or read only in part, are the user's data too: a
// save that was not asked to change them must leave them byte for byte.
TEST_F(ColourSlotTableTest, SaveWithoutEditsLeavesTheFileByteForByte) {
    const std::string bytes =
        OptionsFile({"1,1,1,1", "1.5,0,0", "0.99,0,0", "0.55,0.55,0.55", "\"0.5,0.5,0.5\"",
                     " 0.5 , 0.5 , 0.5 ", "0.490000,0.490000,0.490000", "1e400,0,0", "0x1p-1,0,0",
                     std::string(10000, '7') + ",0,0", "0.5,0.5,0." + std::string(600, '5')});
    loadFile(bytes);
    EXPECT_EQ(table.SaveColorSlots(list), kSaved);
    EXPECT_EQ(test::ReadBytes(file()), bytes);
    EXPECT_EQ(files.replaces, 0);
}

TEST_F(ColourSlotTableTest, SaveWritesEditedSlotsInSixDecimalsInOneReplace) {
    struct Row {
        const char* name;
        const char* stored;
        PackedColour editedTo;
        const char* written;
    };
    const Row rows[] = {
        {"edited", "1,1,1", 0x00C80080, "0.500000,0.000000,0.780000"},
        {"edited to black", "0.99,0,0", 0, "0.000000,0.000000,0.000000"},
        {"clicked back to its own colour", "0.99,0,0", 0x000000FC, "0.99,0,0"},
        {"clamped value clicked red", "1.5,0,0", 0x000000FF, "1.5,0,0"},
        {"grey 127 picked over 0.49", "0.49,0.49,0.49", 0x007F7F7F, "0.490000,0.490000,0.490000"},
        {"unreadable value edited", "1,x,1", 0x00FF0000, "0.000000,0.000000,1.000000"},
    };
    std::vector<std::string> values;
    for (const Row& row : rows) {
        values.push_back(row.stored);
    }
    std::string expected = OptionsFile(values);
    loadFile(expected);
    for (int slot = 0; slot < static_cast<int>(std::size(rows)); ++slot) {
        table.GiveColour(slot, rows[slot].editedTo);
        const std::string line = "Option " + std::to_string(slot) + "\r\nOptionValue=";
        expected.replace(expected.find(line) + line.size(), std::string(rows[slot].stored).size(),
                         rows[slot].written);
    }
    table.GiveColour(24, 0);  // label 24 belongs to no slot

    EXPECT_EQ(table.SaveColorSlots(list), kSaved);
    EXPECT_EQ(test::ReadBytes(file()), expected);
    EXPECT_EQ(files.replaces, 1);
    for (int slot = 0; slot < static_cast<int>(std::size(rows)); ++slot) {
        EXPECT_EQ(table.slot(slot).toolTipText(),
                  std::string("Original Colors: ") + rows[slot].stored)
            << rows[slot].name;
    }
}

TEST_F(ColourSlotTableTest, DoubleClickedBackSlotIsNotWritten) {
    const std::string bytes = OptionsFile({"0.99,0,0"});
    loadFile(bytes);
    table.GiveColour(0, 0);
    EXPECT_TRUE(table.RestoreOriginalColor(0).empty());
    EXPECT_EQ(table.SaveColorSlots(list), kSaved);
    EXPECT_EQ(test::ReadBytes(file()), bytes);
}

TEST_F(ColourSlotTableTest, RestoreGivesTheColourReadAtLoadEvenAfterSave) {
    loadFile(OptionsFile({"0.5,0.25,1"}));
    table.GiveColour(0, 0);
    EXPECT_EQ(table.SaveColorSlots(list), kSaved);
    table.RestoreOriginalColor(0);
    EXPECT_EQ(table.slot(0).colour, 0x00FF4080);
}

TEST_F(ColourSlotTableTest, RestoreBeforeAnyLoadGivesWhiteAndIgnoresBadIndexes) {
    for (const std::int16_t index : {0, 23, 24}) {
        table.GiveColour(index, 0x00123456);
        EXPECT_TRUE(table.RestoreOriginalColor(index).empty());
        EXPECT_EQ(table.slot(index).colour, kWhite) << index;
    }
    for (const std::int16_t index : {-1, 25, INT16_MIN, INT16_MAX}) {
        EXPECT_TRUE(table.RestoreOriginalColor(index).empty());  // neither crash nor change
    }
    EXPECT_EQ(table.slot(24).optionName, "Color Setting");
}

TEST_F(ColourSlotTableTest, Label24IsNeverTouchedByLoadOrSave) {
    table.GiveColour(24, 0x00010203);
    const std::string bytes = OptionsFile();  // holds a [VECTOR3-024] section too
    loadFile(bytes);
    EXPECT_EQ(table.SaveColorSlots(list), kSaved);
    EXPECT_EQ(test::ReadBytes(file()), bytes);
    EXPECT_EQ(table.slot(24).sectionName, "");
    EXPECT_EQ(table.slot(24).optionName, "Color Setting");
    EXPECT_EQ(table.slot(24).toolTipText(), "Original Colors: 1,1,1");
    EXPECT_EQ(table.slot(24).colour, 0x00010203);
}

TEST_F(ColourSlotTableTest, BadColourTextsAreReportedOnceAndKeepTheirColour) {
    loadFile(OptionsFile({"0,1,0", "0,0,1", "0,0,1"}));
    const UserMessages messages = loadFile(OptionsFile({"1,x,1", "", "-0.5,0,0", "0,0,1"}));

    ASSERT_EQ(messages.size(), 1u);
    const std::string& text = messages[0].text;
    EXPECT_EQ(messages[0].title, "");
    EXPECT_NE(text.find(table.currentIniPath()), std::string::npos) << text;
    for (const char* part : {"VECTOR3-000 (Option 0): \"1,x,1\"", "VECTOR3-001 (Option 1): \"\"",
                             "VECTOR3-002 (Option 2): \"-0.5,0,0\"", "not a number", "negative"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << " in " << text;
    }
    EXPECT_EQ(text.find("VECTOR3-003"), std::string::npos);

    EXPECT_EQ(table.slot(0).colour, 0x0000FF00);  // from the first file
    EXPECT_EQ(table.slot(1).colour, 0x00FF0000);
    EXPECT_EQ(table.slot(0).toolTipText(), "Original Colors: 1,x,1");
    EXPECT_EQ(table.slot(3).colour, 0x00FF0000);

    table.GiveColour(0, 0x00123456);
    const UserMessages restore = table.RestoreOriginalColor(0);
    EXPECT_EQ(table.slot(0).colour, 0x00123456);
    ASSERT_EQ(restore.size(), 1u);
    EXPECT_NE(restore[0].text.find("\"1,x,1\""), std::string::npos);
}

TEST_F(ColourSlotTableTest, UnreadableFileIsReportedOnceAndNeverOverwritten) {
    fs::create_directory(file());  // exists, but no file can be read from it
    const UserMessages messages = table.LoadSelectedFile(list);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "ReadINI");
    EXPECT_EQ(table.slot(5).optionName, "Bad Read");
    EXPECT_EQ(table.slot(5).colour, kWhite);

    // Readable again by the time of the save: the defaults must not replace its colours.
    fs::remove(file());
    const std::string bytes = OptionsFile({"0,1,0"});
    test::WriteBytes(file(), bytes);
    const UserMessages saved = table.SaveColorSlots(list);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].text.rfind("The colours could not be saved to ", 0), 0u) << saved[0].text;
    EXPECT_EQ(test::ReadBytes(file()), bytes);
}

TEST_F(ColourSlotTableTest, NothingSelectedMeansNoLoadNoSaveNoMessage) {
    struct Row {
        const char* name;
        int index;
        std::vector<std::string> entries;
    };
    const Row rows[] = {
        {"no selection", -1, {kEntry}},
        {"empty list", 0, {}},
        {"empty list, no selection", -1, {}},
        {"index past the end", 1, {kEntry}},
    };
    const std::string bytes = OptionsFile({"0.99,0,0"});
    test::WriteBytes(file(), bytes);
    for (const Row& row : rows) {
        list.index = row.index;
        list.entries = row.entries;
        EXPECT_TRUE(table.LoadSelectedFile(list).empty()) << row.name;
        EXPECT_TRUE(table.SaveColorSlots(list).empty()) << row.name;
        table.SetCurrentIniPathFromSelection(list);
        EXPECT_EQ(table.currentIniPath(), "") << row.name;
        EXPECT_EQ(table.slot(0).sectionName, "") << row.name;
    }
    EXPECT_EQ(test::ReadBytes(file()), bytes);
    EXPECT_EQ(files.reads + files.replaces, 0);
}

TEST_F(ColourSlotTableTest, SaveBeforeAnyLoadWritesNothing) {
    const std::string bytes = OptionsFile();
    test::WriteBytes(file(), bytes);
    EXPECT_TRUE(table.SaveColorSlots(list).empty());
    EXPECT_EQ(test::ReadBytes(file()), bytes);
}

TEST_F(ColourSlotTableTest, FailedSaveNamesTheFileAndNeverClaimsSuccess) {
    struct Row {
        const char* name;
        void (*breakIt)(const fs::path& file);
    };
    const Row rows[] = {
        {"read-only file", [](const fs::path& file) { ::chmod(file.string().c_str(), 0444); }},
        {"file replaced by a folder",
         [](const fs::path& file) {
             fs::remove(file);
             fs::create_directory(file);
         }},
        {"folder gone", [](const fs::path& file) { fs::remove_all(file.parent_path()); }},
    };
    for (const Row& row : rows) {
        test::TempDir rowDir;
        list.folder = rowDir.path().string();
        const fs::path rowFile = rowDir.path() / kEntry;
        test::WriteBytes(rowFile, OptionsFile());
        table.LoadSelectedFile(list);
        table.GiveColour(0, 0);
        row.breakIt(rowFile);
        const std::string before = fs::is_regular_file(rowFile) ? test::ReadBytes(rowFile) : "";

        const UserMessages messages = table.SaveColorSlots(list);
        ASSERT_EQ(messages.size(), 1u) << row.name;
        const std::string& text = messages[0].text;
        EXPECT_EQ(text.rfind("The colours could not be saved to " + table.currentIniPath(), 0), 0u)
            << row.name << ": " << text;
        if (fs::is_regular_file(rowFile)) {
            EXPECT_EQ(test::ReadBytes(rowFile), before) << row.name;
        }
    }
}

// Another program may rewrite the file between load and save: what it changed stays,
// and a file caught half-rewritten (sections the load saw are gone) is not written.
TEST_F(ColourSlotTableTest, ChangesOfOtherProgramsSurviveAndHalfWrittenFilesAreLeftAlone) {
    loadFile(OptionsFile({"0,1,0"}));
    table.GiveColour(1, 0);
    std::string changed = OptionsFile({"0,1,0", "1,1,1", "0.3,0.3,0.3"});
    changed.replace(changed.find("Version=3"), 9, "Version=4");
    test::WriteBytes(file(), changed);
    EXPECT_EQ(table.SaveColorSlots(list), kSaved);
    std::string expected = changed;
    expected.replace(expected.find("OptionValue=1,1,1"), 17,
                     "OptionValue=0.000000,0.000000,0.000000");
    EXPECT_EQ(test::ReadBytes(file()), expected);

    const std::string halfWritten =
        "; written by the game\r\n[General]\r\nVersion=4\r\n[VECTOR3-000]\r\nOptionName=Opt";
    test::WriteBytes(file(), halfWritten);
    const UserMessages messages = table.SaveColorSlots(list);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find("changed since it was loaded"), std::string::npos)
        << messages[0].text;
    EXPECT_EQ(test::ReadBytes(file()), halfWritten);
}

TEST_F(ColourSlotTableTest, SelectionSetsThePathJoinedAsItIs) {
    struct Row {
        const char* name;
        std::string folderSuffix;
        std::string pathSuffix;
    };
    const Row rows[] = {
        {"plain folder", "", std::string("\\") + kEntry},
        {"folder ending in a backslash", "\\", std::string("\\\\") + kEntry},
    };
    test::WriteBytes(file(), OptionsFile({"0,0,1"}));
    for (const Row& row : rows) {
        list.folder = dir.path().string() + row.folderSuffix;
        const std::string expectedPath = dir.path().string() + row.pathSuffix;
        table.SetCurrentIniPathFromSelection(list);
        EXPECT_EQ(table.currentIniPath(), expectedPath) << row.name;
        table.GiveColour(0, 0);
        table.LoadSelectedFile(list);
        EXPECT_EQ(table.currentIniPath(), expectedPath) << row.name;
        EXPECT_EQ(table.slot(0).colour, 0x00FF0000) << row.name;
    }
}

}  // namespace
}  // namespace orvex
