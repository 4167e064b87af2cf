#include "form/form1_state.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace orvex {
namespace {

constexpr PackedColour Grey(int value) {
    return value | (value << 8) | (value << 16);
}

TEST(ColourBoxTexts, ShowFractionsRedFirstWithTheSeparatorGiven) {
    struct Row {
        PackedColour colour;
        const char* separator;
        const char* sample;
    } const rows[] = {
        {kWhite, ".", "Color Sample Settings R:1 G:1 B:1"},
        {Grey(128), ".", "Color Sample Settings R:0.5 G:0.5 B:0.5"},
        {Grey(128), ",", "Color Sample Settings R:0,5 G:0,5 B:0,5"},
        {Grey(200), ".", "Color Sample Settings R:0.78 G:0.78 B:0.78"},
        {Grey(2), ".", "Color Sample Settings R:0 G:0 B:0"},
        {0x000080FF, ".", "Color Sample Settings R:1 G:0.5 B:0"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SampleText(row.colour, row.separator), row.sample);
    }
    EXPECT_EQ(SavedText(Grey(200), "."), "Saved Color: R:0.78 G:0.78 B:0.78");
}

class Form1StateTest : public ::testing::Test {
  protected:
    Form1StateTest() {
        list.folder = dir.path().string();
        list.index = -1;
        test::WriteBytes(dir.path() / "player7_options.ini", test::OptionsFile({"0.5,0.25,1"}));
        test::WriteBytes(dir.path() / "shortcut.ini", "[Shortcut-7]\r\nName=Aeryn\r\n");
        StartupState startup;
        startup.OutputFolder = list.folder + "/";
        startup.ShortcutSections = {"Shortcut-7"};
        state.start(startup);
    }

    test::TempDir dir;
    test::FakeFileList list;
    Form1State state;
};

// A button held over the chart keeps the pointer: off the chart the query gives -1.
TEST_F(Form1StateTest, PointsOffTheChartChangeNothing) {
    ASSERT_TRUE(state.pointerMoved(Grey(200), "."));
    ASSERT_TRUE(state.buttonReleased(Grey(128), "."));
    EXPECT_FALSE(state.pointerMoved(-1, "."));
    EXPECT_FALSE(state.buttonReleased(-1, "."));
    EXPECT_EQ(state.sample().colour, Grey(200));
    EXPECT_EQ(state.sample().text, "Color Sample Settings R:0.78 G:0.78 B:0.78");
    EXPECT_EQ(state.savedColour(), Grey(128));
    EXPECT_EQ(state.saved().text, "Saved Color: R:0.5 G:0.5 B:0.5");
}

TEST_F(Form1StateTest, ClickGivesSavedColourAndDoubleClickRestoresTheFiles) {
    list.index = 0;
    ASSERT_TRUE(state.selectionChanged(list).empty());
    state.buttonReleased(Grey(128), ".");
    for (const int index : {0, 24}) {
        state.slotClicked(index);
        EXPECT_EQ(state.slotTable().slot(index).colour, Grey(128)) << index;
        state.slotDoubleClicked(index);
    }
    EXPECT_EQ(state.slotTable().slot(0).colour, ColorFromText("0.5,0.25,1").colour);
    EXPECT_EQ(state.slotTable().slot(24).colour, kWhite);  // label 24 belongs to no slot
    for (const int index : {25, -1, 65536 + 3}) {          // no such label: ignored
        state.slotClicked(index);
        EXPECT_TRUE(state.slotDoubleClicked(index).empty());
    }
    EXPECT_EQ(state.slotTable().slot(3).colour, kWhite);
}

TEST_F(Form1StateTest, SelectionShowsCharacterNameAndLoadsSlots) {
    EXPECT_TRUE(state.selectionChanged(list).empty());
    EXPECT_EQ(state.characterName(), "");
    list.index = 0;
    EXPECT_TRUE(state.selectionChanged(list).empty());
    EXPECT_EQ(state.characterName(), "Aeryn");
    EXPECT_EQ(state.slotTable().slot(0).toolTipText(), "Original Colors: 0.5,0.25,1");
}

TEST_F(Form1StateTest, InstructionLabelDoubleClickSetsPathOnlyWithASelection) {
    state.instructionLabelDoubleClicked(list);
    EXPECT_EQ(state.slotTable().currentIniPath(), "");
    list.index = 0;
    state.instructionLabelDoubleClicked(list);
    EXPECT_EQ(state.slotTable().currentIniPath(), list.folder + "\\player7_options.ini");
}

}  // namespace
}  // namespace orvex
