#include "form/form1_controls.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "form/form1_commands.h"
#include "form/instructions.h"

namespace orvex {
namespace {

TEST(TwipsToPixels, FifteenTwipsAPixelAtStandardDpiAndScalesWithDpi) {
    struct Row {
        int twips;
        int dpi;
        int pixels;
    } const rows[] = {
        {7110, 96, 474}, {7530, 96, 502},  {15, 96, 1},    {7, 96, 0},
        {8, 96, 1},      {7110, 144, 711}, {255, 120, 21}, {4095, 192, 546},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TwipsToPixels(row.twips, row.dpi), row.pixels) << row.twips << " at " << row.dpi;
    }
}

TEST(AvailableFace, IsTheDesignedOneElseTheFirstSimilarOneInstalled) {
    std::set<std::string_view> installed = {"Arimo", "Arial", "MS Sans Serif"};
    const auto has = [&](std::string_view face) { return installed.count(face) > 0; };
    EXPECT_EQ(AvailableFace("MS Sans Serif", has), "MS Sans Serif");
    installed.erase("MS Sans Serif");
    EXPECT_EQ(AvailableFace("MS Sans Serif", has), "Arial");
    installed = {"DejaVu Sans"};
    EXPECT_EQ(AvailableFace("MS Sans Serif", has), "");
}

// Both toolkits chain the focus by tab index: a gap or a repeat breaks the order.
TEST(Form1Controls, TabIndicesRunFromZeroWithoutGapsOrRepeats) {
    std::set<int> seen;
    for (const Control& control : Form1Controls()) {
        if (control.kind != ControlKind::Image) {
            EXPECT_TRUE(seen.insert(control.tabIndex).second) << control.name;
        }
    }
    ASSERT_EQ(seen.size(), 36u);
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), 35);
}

// Tab then visits exactly these, in this order, and wraps to the file list.
TEST(Form1Controls, TheControlsTakingFocusAreTheseInTabOrder) {
    std::map<int, std::string_view> byTabIndex;
    for (const Control& control : Form1Controls()) {
        if (control.has(kTakesFocus)) {
            byTabIndex[control.tabIndex] = control.name;
        }
    }
    std::vector<std::string_view> visited;
    for (const auto& [tabIndex, name] : byTabIndex) {
        visited.push_back(name);
    }
    EXPECT_EQ(visited, (std::vector<std::string_view>{"fileINI", "Picture1", "Text1", "txtSaved",
                                                      "Command1", "slotColumn", "Text2"}));
}

// Where the other controls stand, in pixels at the standard DPI; an auto-sized
// label only by its corner.
TEST(Form1Controls, ControlsStandWhereTheWindowWasDesigned) {
    struct Row {
        const char* name;
        int index;
        std::vector<int> pixels;  // left, top[, width, height]
    } const rows[] = {
        {"fileINI", -1, {0, 16, 185, 71}},
        {"Picture1", -1, {0, 208, 260, 273}},
        {"Text1", -1, {0, 480, 260, 19}},
        {"txtSaved", -1, {0, 192, 260, 19}},
        {"Label1", 0, {0, 0}},
        {"Label1", 1, {24, 176, 159, 13}},
        {"Label1", 2, {272, 72}},
        {"lblName", -1, {192, 16}},
        {"Command1", -1, {392, 72, 81, 17}},
        {"Text2", -1, {0, 88, 257, 89}},
        {"Image1", -1, {264, 96, 210, 403}},
    };
    for (const Row& row : rows) {
        const Control* control = FindControl(row.name, row.index);
        ASSERT_TRUE(control) << row.name;
        EXPECT_EQ(control->has(kAutoSize), row.pixels.size() == 2) << row.name;
        const PixelRect at = TwipsToPixels(control->twips);
        std::vector<int> pixels = {at.left, at.top, at.width, at.height};
        pixels.resize(row.pixels.size());
        EXPECT_EQ(pixels, row.pixels) << row.name << " " << row.index;
    }
}

// Options 0..17 run down the column, the spare label comes next, then 23 up to 18.
TEST(Form1Controls, SlotLabelsStandInOneColumnWithTheSpareBetween17And23) {
    std::vector<int> topTwips(25);
    for (int index = 0; index <= 17; ++index) {
        topTwips[index] = 1440 + 240 * index;
    }
    topTwips[24] = 5760;
    for (int row = 0; row < 6; ++row) {
        topTwips[23 - row] = 6000 + 240 * row;
    }
    for (int index = 0; index < 25; ++index) {
        const Control* label = FindControl(Role::SlotLabel, index);
        ASSERT_TRUE(label) << index;
        const PixelRect pixels = TwipsToPixels(label->twips);
        EXPECT_EQ((std::vector<int>{pixels.left, pixels.top, pixels.width, pixels.height}),
                  (std::vector<int>{272, topTwips[index] / 15, 201, 17}))
            << index;
        EXPECT_TRUE(label->has(kTransparent)) << index;  // the texture shows behind
    }
}

// Text2 shows these bytes as they are: the line breaks, the blanks ending lines and
// the two blanks after every sentence inside a line.
TEST(Instructions, TwentyCrLfLinesKeepTheirBlanks) {
    const std::string text = kInstructionsText;
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos;
         at = end + 2) {
        lines.push_back(text.substr(at, end - at));
    }
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(text.rfind("\r\n"), text.size() - 2);  // nothing after the last break
    EXPECT_EQ(lines[0],
              "First, select a player INI file from the listing on the left.  If you don't see any "
              "INI files listed, then you may not have Orvex properly installed.");
    EXPECT_EQ(lines[17], "the \"Save Changes\" button and they will be written ");
    EXPECT_EQ(lines[19], "changes.");
    const std::set<int> empty = {2, 5, 14, 16};
    const std::set<int> oneBlank = {3, 6, 7, 8, 10, 11, 12, 17, 18, 19};
    for (int number = 1; number <= 20; ++number) {
        const std::string& line = lines[static_cast<std::size_t>(number - 1)];
        EXPECT_EQ(line.empty(), empty.count(number) > 0) << number;
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << number;  // no lone CR or LF
        const std::size_t kept = line.find_last_not_of(' ') + 1;
        const std::size_t blanks = line.empty() ? 0 : line.size() - kept;
        EXPECT_EQ(blanks, number == 9 ? 2u : oneBlank.count(number)) << number;
        const std::string inner = line.substr(0, kept);
        for (std::size_t end = inner.find_first_of(".!?"); end != std::string::npos;
             end = inner.find_first_of(".!?", end + 1)) {
            if (end + 1 < inner.size() && inner[end + 1] == ' ') {
                EXPECT_EQ(inner.compare(end + 1, 2, "  "), 0) << number << ": " << inner;
            }
        }
    }
}

// Toolkits create the controls in drawing order and take the tab order from it.
TEST(Form1Controls, DrawingOrderStacksImageThenLabelsThenTheRestInTabOrder) {
    const auto layer = [](const Control* control) {
        return control->kind == ControlKind::Image   ? 0
               : control->kind == ControlKind::Label ? 1
                                                     : 2;
    };
    const std::vector<const Control*>& order = Form1DrawingOrder();
    ASSERT_EQ(order.size(), Form1Controls().size());
    for (std::size_t at = 1; at < order.size(); ++at) {
        EXPECT_LE(layer(order[at - 1]), layer(order[at])) << order[at]->name;
        if (layer(order[at - 1]) == layer(order[at])) {
            EXPECT_LT(order[at - 1]->tabIndex, order[at]->tabIndex) << order[at]->name;
        }
    }
}

// A shortcut on two items would run only one of them; the menus show these texts.
TEST(Form1Menus, EachShortcutRunsItsOwnItemAndReadsAsTheMenusShowIt) {
    std::set<std::string> seen;
    for (const Menu& menu : Form1MenuBar()) {
        for (const MenuItem& item : menu.items) {
            for (const Shortcut& shortcut : item.shortcuts) {
                EXPECT_TRUE(seen.insert(shortcut.text()).second) << shortcut.text();
                EXPECT_EQ(CommandFor(shortcut), item.command) << shortcut.text();
            }
        }
    }
    EXPECT_EQ(seen, (std::set<std::string>{"Ctrl+S", "F5", "Ctrl+Z", "Ctrl+Y", "Ctrl+Shift+Z"}));
    EXPECT_EQ(CommandFor({'s', 0, true, false}), Command::Save);
    EXPECT_FALSE(CommandFor({'S', 0, false, false}));
}

}  // namespace
}  // namespace orvex
