#include "form/form1_controls.h"

#include <gtest/gtest.h>

#include <set>

#include "form/form1_commands.h"

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
