#include "colour/colour_slots.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "profile/profile.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEntry = "player7_options.ini";

class FakeFileList : public FileListView {
  public:
    std::string folder;
    int index = 0;
    std::vector<std::string> entries{kEntry};

    std::string Path() const override { return folder; }
    int ListIndex() const override { return index; }
    int ListCount() const override { return static_cast<int>(entries.size()); }
    std::string List(int at) const override { return entries.at(at); }
};

std::string sectionName(int slot) {
    const std::string digits = "00" + std::to_string(slot);
    return "VECTOR3-" + digits.substr(digits.size() - 3);
}

// A player options file as the game writes it, with the given OptionValue texts
// for the first slots ("1,1,1" for the rest), surrounded by things a save must
// leave alone: a comment, other sections and keys, and a VECTOR3-024.
std::string optionsFile(const std::vector<std::string>& values) {
    std::string text = "; written by the game\r\n[General]\r\nVersion=3\r\n\r\n";
    for (int slot = 0; slot < 25; ++slot) {
        const std::string value =
            slot < static_cast<int>(values.size()) ? values[slot] : std::string("1,1,1");
        text += "[" + sectionName(slot) + "]\r\nOptionName=Option " + std::to_string(slot) +
                "\r\nOptionValue=" + value + "\r\nOptionType=Color\r\n\r\n";
    }
    return text + "[Other]\r\nOptionValue=0.5\r\n";
}

class ColourSlotTableTest : public ::testing::Test {
  protected:
    ColourSlotTableTest() { list.folder = dir.path().string(); }

    fs::path file() const { return dir.path() / kEntry; }
    std::string storedValue(int slot) const {
        return ReadINI(table.currentIniPath(), sectionName(slot), "OptionValue", "missing");
    }
    void loadFile(const std::string& bytes) {
        test::WriteBytes(file(), bytes);
        table.LoadSelectedFile(list);
    }

    test::TempDir dir;
    test::MessageRecorder messages;
    FakeFileList list;
    ColourSlotTable table;
};

TEST_F(ColourSlotTableTest, FileWithoutColourSectionsLoadsWhiteBadReadSlots) {
    loadFile("[General]\r\nVersion=3\r\n");
    for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
        EXPECT_EQ(table.slot(slot).sectionName, sectionName(slot));
        EXPECT_EQ(table.slot(slot).optionName, "Bad Read");
        EXPECT_EQ(table.slot(slot).toolTipText, "Original Colors: 1,1,1");
        EXPECT_EQ(table.slot(slot).currentColour, kWhite);
    }
    EXPECT_TRUE(messages.messages().empty());

    ASSERT_TRUE(table.SaveColorSlots(list));
    for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
        EXPECT_EQ(storedValue(slot), "1.000000,1.000000,1.000000") << slot;
    }
    EXPECT_EQ(storedValue(24), "missing");
    EXPECT_EQ(test::ReadBytes(file()).rfind("[General]\r\nVersion=3\r\n", 0), 0u);
}

TEST_F(ColourSlotTableTest, LoadsNamesTextsAndColours) {
    struct Row {
        const char* text;
        PackedColor colour;
    };
    const Row rows[] = {{"1,1,1", kWhite},          {"1,1,1,1", kWhite},
                        {"1.5,0,0", 0x000000FF},    {"0.99,0,0", 0x000000FC},
                        {"0.5,0.25,1", 0x00FF4080}, {"0.55,0.55,0.55", 0x008C8C8C}};
    std::vector<std::string> values;
    for (const Row& row : rows) {
        values.push_back(row.text);
    }
    loadFile(optionsFile(values));
    for (int slot = 0; slot < static_cast<int>(std::size(rows)); ++slot) {
        EXPECT_EQ(table.slot(slot).optionName, "Option " + std::to_string(slot));
        EXPECT_EQ(table.slot(slot).toolTipText, std::string("Original Colors: ") + rows[slot].text);
        EXPECT_EQ(table.slot(slot).currentColour, rows[slot].colour) << rows[slot].text;
    }
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ColourSlotTableTest, SaveWithoutEditsLeavesTheFileByteForByte) {
    const std::string bytes =
        optionsFile({"1,1,1,1", "1.5,0,0", "0.99,0,0", "0.55,0.55,0.55", "\"0.5,0.5,0.5\"",
                     " 0.5 , 0.5 , 0.5 ", "0.490000,0.490000,0.490000"});
    loadFile(bytes);
    ASSERT_TRUE(table.SaveColorSlots(list));
    EXPECT_EQ(test::ReadBytes(file()), bytes);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "INI file saved");
    EXPECT_EQ(messages.messages()[0].title, std::string(kApplicationTitle));
}

TEST_F(ColourSlotTableTest, SaveWritesEditedSlotsInSixDecimalsAndNothingElse) {
    struct Row {
        const char* name;
        const char* stored;
        PackedColor editedTo;
        const char* written;
    };
    const Row rows[] = {
        {"edited", "1,1,1", 0x00C80080, "0.500000,0.000000,0.780000"},
        {"edited to black", "0.99,0,0", 0, "0.000000,0.000000,0.000000"},
        {"clicked back to its own colour", "0.99,0,0", 0x000000FC, "0.99,0,0"},
        {"clamped value clicked red", "1.5,0,0", 0x000000FF, "1.5,0,0"},
        {"grey 127 picked over 0.49", "0.49,0.49,0.49", 0x007F7F7F, "0.490000,0.490000,0.490000"},
    };
    std::vector<std::string> values;
    for (const Row& row : rows) {
        values.push_back(row.stored);
    }
    std::string expected = optionsFile(values);
    loadFile(expected);
    for (int slot = 0; slot < static_cast<int>(std::size(rows)); ++slot) {
        table.slot(slot).currentColour = rows[slot].editedTo;
        const std::string line = "Option " + std::to_string(slot) + "\r\nOptionValue=";
        expected.replace(expected.find(line) + line.size(), std::string(rows[slot].stored).size(),
                         rows[slot].written);
    }
    table.slot(24).currentColour = 0;  // label 24 belongs to no slot

    ASSERT_TRUE(table.SaveColorSlots(list));
    EXPECT_EQ(test::ReadBytes(file()), expected);
    for (int slot = 0; slot < static_cast<int>(std::size(rows)); ++slot) {
        EXPECT_EQ(table.slot(slot).toolTipText,
                  std::string("Original Colors: ") + rows[slot].stored)
            << rows[slot].name;
    }
}

TEST_F(ColourSlotTableTest, RestoreGivesTheColourReadAtLoadEvenAfterSave) {
    loadFile(optionsFile({"0.5,0.25,1"}));
    table.slot(0).currentColour = 0;
    ASSERT_TRUE(table.SaveColorSlots(list));
    table.RestoreOriginalColor(0);
    EXPECT_EQ(table.slot(0).currentColour, 0x00FF4080);
}

TEST_F(ColourSlotTableTest, RestoreBeforeAnyLoadGivesWhiteAndIgnoresBadIndexes) {
    for (const std::int16_t index : {0, 23, 24}) {
        table.slot(index).currentColour = 0x00123456;
        table.RestoreOriginalColor(index);
        EXPECT_EQ(table.slot(index).currentColour, kWhite) << index;
    }
    for (const std::int16_t index : {-1, 25, INT16_MIN, INT16_MAX}) {
        table.RestoreOriginalColor(index);  // must neither crash nor change anything
    }
    EXPECT_EQ(table.slot(24).optionName, "Color Setting");
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ColourSlotTableTest, Label24IsNeverTouchedByLoadOrSave) {
    table.slot(24).currentColour = 0x00010203;
    loadFile(optionsFile({}));
    ASSERT_TRUE(table.SaveColorSlots(list));
    EXPECT_EQ(table.slot(24).sectionName, "");
    EXPECT_EQ(table.slot(24).optionName, "Color Setting");
    EXPECT_EQ(table.slot(24).toolTipText, "Original Colors: 1,1,1");
    EXPECT_EQ(table.slot(24).currentColour, 0x00010203);
}

TEST_F(ColourSlotTableTest, BadColourTextsAreReportedOnceAndKeepTheirColour) {
    loadFile(optionsFile({"0,1,0", "0,0,1", "0,0,1"}));
    loadFile(optionsFile({"1,x,1", "", "-0.5,0,0", "0,0,1"}));

    ASSERT_EQ(messages.messages().size(), 1u);
    const std::string& text = messages.messages()[0].text;
    EXPECT_EQ(messages.messages()[0].title, std::string(kApplicationTitle));
    EXPECT_NE(text.find(table.currentIniPath()), std::string::npos) << text;
    for (const char* part : {"VECTOR3-000 (Option 0): \"1,x,1\"", "VECTOR3-001 (Option 1): \"\"",
                             "VECTOR3-002 (Option 2): \"-0.5,0,0\"", "not a number", "negative"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << " in " << text;
    }
    EXPECT_EQ(text.find("VECTOR3-003"), std::string::npos);

    EXPECT_EQ(table.slot(0).currentColour, 0x0000FF00);  // from the first file
    EXPECT_EQ(table.slot(1).currentColour, 0x00FF0000);
    EXPECT_EQ(table.slot(0).optionName, "Option 0");
    EXPECT_EQ(table.slot(0).toolTipText, "Original Colors: 1,x,1");
    EXPECT_EQ(table.slot(3).currentColour, 0x00FF0000);
    EXPECT_EQ(table.slot(23).currentColour, kWhite);

    messages.clear();
    table.slot(0).currentColour = 0x00123456;
    table.RestoreOriginalColor(0);
    EXPECT_EQ(table.slot(0).currentColour, 0x00123456);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_NE(messages.messages()[0].text.find("\"1,x,1\""), std::string::npos);
}

TEST_F(ColourSlotTableTest, UnreadableFileIsReportedOnceNotPerKey) {
    fs::create_directory(file());  // exists, but no file can be read from it
    table.LoadSelectedFile(list);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].title, "ReadINI");
    EXPECT_EQ(table.slot(5).optionName, "Bad Read");
    EXPECT_EQ(table.slot(5).currentColour, kWhite);
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
    const std::string bytes = optionsFile({"0.99,0,0"});
    test::WriteBytes(file(), bytes);
    bool hookRan = false;
    table.setSelectionHook([&hookRan](const std::string&) { hookRan = true; });
    for (const Row& row : rows) {
        list.index = row.index;
        list.entries = row.entries;
        table.LoadSelectedFile(list);
        EXPECT_FALSE(table.SaveColorSlots(list)) << row.name;
        table.SetCurrentIniPathFromSelection(list);
        EXPECT_EQ(table.currentIniPath(), "") << row.name;
        EXPECT_EQ(table.slot(0).sectionName, "") << row.name;
    }
    EXPECT_FALSE(hookRan);
    EXPECT_EQ(test::ReadBytes(file()), bytes);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ColourSlotTableTest, SaveBeforeAnyLoadWritesNothing) {
    const std::string bytes = optionsFile({});
    test::WriteBytes(file(), bytes);
    EXPECT_FALSE(table.SaveColorSlots(list));
    EXPECT_EQ(test::ReadBytes(file()), bytes);
    EXPECT_TRUE(messages.messages().empty());
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
        test::WriteBytes(rowFile, optionsFile({}));
        table.LoadSelectedFile(list);
        table.slot(0).currentColour = 0;
        row.breakIt(rowFile);
        const std::string before = fs::is_regular_file(rowFile) ? test::ReadBytes(rowFile) : "";
        messages.clear();

        EXPECT_FALSE(table.SaveColorSlots(list)) << row.name;
        ASSERT_EQ(messages.messages().size(), 1u) << row.name;
        const std::string& text = messages.messages()[0].text;
        EXPECT_EQ(text.find("INI file saved"), std::string::npos) << row.name;
        EXPECT_EQ(text.rfind("The colours could not be saved to " + table.currentIniPath(), 0), 0u)
            << row.name << ": " << text;
        if (fs::is_regular_file(rowFile)) {
            EXPECT_EQ(test::ReadBytes(rowFile), before) << row.name;
        }
    }
}

TEST_F(ColourSlotTableTest, SelectionSetsThePathAndRunsTheHookFirst) {
    struct Row {
        const char* name;
        std::string folderSuffix;
        std::string pathSuffix;
    };
    const Row rows[] = {
        {"plain folder", "", std::string("\\") + kEntry},
        {"folder ending in a backslash", "\\", std::string("\\\\") + kEntry},
    };
    test::WriteBytes(file(), optionsFile({"0,0,1"}));
    for (const Row& row : rows) {
        PackedColor colourSeenByHook = -1;
        table.setSelectionHook([&](const std::string& entryText) {
            EXPECT_EQ(entryText, kEntry);
            colourSeenByHook = table.slot(0).currentColour;
        });
        list.folder = dir.path().string() + row.folderSuffix;
        const std::string expectedPath = dir.path().string() + row.pathSuffix;
        table.SetCurrentIniPathFromSelection(list);
        EXPECT_EQ(table.currentIniPath(), expectedPath) << row.name;
        table.slot(0).currentColour = 0;
        table.LoadSelectedFile(list);
        EXPECT_EQ(colourSeenByHook, 0) << row.name << ": the hook runs before the load";
        EXPECT_EQ(table.currentIniPath(), expectedPath) << row.name;
        EXPECT_EQ(table.slot(0).currentColour, 0x00FF0000) << row.name;
    }
}

}  // namespace
}  // namespace orvex
