#include "form/form1_controller.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "form/messages.h"
#include "platform/windows_path.h"
#include "test_host.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

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

class Form1ControllerTest : public ::testing::Test {
  protected:
    Form1ControllerTest() {
        test::WriteBytes(dir.path() / "player7_options.ini", test::OptionsFile({"0.5,0.25,1"}));
        test::WriteBytes(dir.path() / "player8_options.ini", test::OptionsFile({"1,1,1"}));
        test::WriteBytes(dir.path() / "shortcut.ini", "[Shortcut-7]\r\nName=Aeryn\r\n");
        started = controller.start({dir.path().string()});
    }

    Update event(Role role, EventKind kind, int index = -1, PackedColour pixel = -1) {
        return controller.handle({role, kind, index, pixel}, ".");
    }

    test::TempDir dir;
    test::TestHost host;
    Form1Controller controller{host};
    Update started;
};

TEST_F(Form1ControllerTest, StartsOnTheFolderGivenWithNothingSelected) {
    EXPECT_TRUE(started.messages.empty());
    EXPECT_TRUE(started.has(kFileListPart));
    EXPECT_EQ(controller.fileList().entries(),
              (std::vector<std::string>{"player7_options.ini", "player8_options.ini"}));
    EXPECT_EQ(controller.fileList().ListIndex(), -1);
    EXPECT_EQ(controller.startup().ShortcutSections, (std::vector<std::string>{"Shortcut-7"}));
    for (int index = 0; index < 25; ++index) {
        const LabelView slot = controller.label(*FindControl(Role::SlotLabel, index));
        EXPECT_EQ(slot.caption, "Color Setting") << index;
        EXPECT_EQ(slot.colour, kWhite) << index;
        EXPECT_EQ(slot.toolTip, "Original Colors: 1,1,1") << index;
        EXPECT_EQ(slot.tag, "") << index;
    }
    // Nothing to save into: no message, no file touched.
    const std::string before = test::ReadBytes(dir.path() / "player7_options.ini");
    EXPECT_TRUE(event(Role::SaveButton, EventKind::Click).messages.empty());
    EXPECT_EQ(test::ReadBytes(dir.path() / "player7_options.ini"), before);
    EXPECT_EQ(controller.slotTable().currentIniPath(), "");
}

// A button held over the chart keeps the pointer: off the chart the query gives -1.
TEST_F(Form1ControllerTest, PointsOffTheChartChangeNothing) {
    const Update moved = event(Role::ColourChart, EventKind::PointerMoved, -1, Grey(200));
    EXPECT_TRUE(moved.shows(*FindControl(Role::SampleBox)));
    EXPECT_FALSE(moved.shows(*FindControl(Role::SavedBox)));
    EXPECT_TRUE(event(Role::ColourChart, EventKind::ButtonReleased, -1, Grey(128)).has(kSavedPart));
    EXPECT_EQ(controller.slotTable().slot(0).colour, kWhite);  // picking gives no slot a colour
    EXPECT_EQ(event(Role::ColourChart, EventKind::PointerMoved).changed, 0u);
    EXPECT_EQ(event(Role::ColourChart, EventKind::ButtonReleased).changed, 0u);
    EXPECT_EQ(controller.sample().colour, Grey(200));
    EXPECT_EQ(controller.sample().text, "Color Sample Settings R:0.78 G:0.78 B:0.78");
    EXPECT_EQ(controller.savedColour(), Grey(128));
    EXPECT_EQ(controller.saved().text, "Saved Color: R:0.5 G:0.5 B:0.5");
    EXPECT_EQ(&controller.colourBox(*FindControl(Role::SampleBox)), &controller.sample());
    EXPECT_EQ(&controller.colourBox(*FindControl(Role::SavedBox)), &controller.saved());
}

TEST_F(Form1ControllerTest, ClickGivesSavedColourAndDoubleClickRestoresTheFiles) {
    ASSERT_TRUE(event(Role::FileList, EventKind::Selected, 0).messages.empty());
    event(Role::SlotLabel, EventKind::Click, 0);  // nothing picked yet: white
    EXPECT_EQ(controller.slotTable().slot(0).colour, kWhite);
    event(Role::ColourChart, EventKind::ButtonReleased, -1, Grey(128));
    for (const int index : {0, 24}) {
        event(Role::SlotLabel, EventKind::Click, index);
        EXPECT_EQ(controller.slotTable().slot(index).colour, Grey(128)) << index;
        event(Role::SlotLabel, EventKind::DoubleClick, index);
    }
    EXPECT_EQ(controller.slotTable().slot(0).colour, ColorFromText("0.5,0.25,1").colour);
    EXPECT_EQ(controller.slotTable().slot(24).colour, kWhite);  // label 24 belongs to no slot
    for (const int index : {25, -1, 65536 + 3}) {               // no such label: ignored
        EXPECT_EQ(event(Role::SlotLabel, EventKind::Click, index).changed, 0u);
        EXPECT_TRUE(event(Role::SlotLabel, EventKind::DoubleClick, index).messages.empty());
    }
    // Clicks on the other labels mean nothing.
    EXPECT_EQ(event(Role::CharacterName, EventKind::Click).changed, 0u);
    EXPECT_EQ(controller.slotTable().slot(3).colour, kWhite);
}

TEST_F(Form1ControllerTest, SelectionShowsCharacterNameAndLoadsSlotsOncePerChange) {
    EXPECT_EQ(event(Role::FileList, EventKind::Selected, 2).changed, 0u);  // no such row
    const Update selected = event(Role::FileList, EventKind::Selected, 0);
    EXPECT_TRUE(selected.has(kCharacterNamePart) && selected.has(kSlotsPart));
    EXPECT_EQ(controller.characterName(), "Aeryn");
    const LabelView slot = controller.label(*FindControl(Role::SlotLabel, 0));
    EXPECT_EQ(slot.caption, "Option 0");
    EXPECT_EQ(slot.colour, ColorFromText("0.5,0.25,1").colour);
    EXPECT_EQ(slot.toolTip, "Original Colors: 0.5,0.25,1");
    EXPECT_EQ(slot.tag, "VECTOR3-000");
    EXPECT_EQ(controller.label(*FindControl(Role::CharacterName)).caption, "Aeryn");
    const LabelView heading = controller.label(*FindControl(Role::Heading, 0));
    EXPECT_EQ(heading.caption, "Select a Player INI file:");
    EXPECT_FALSE(heading.colour);
    EXPECT_EQ(event(Role::FileList, EventKind::Selected, 0).changed, 0u);  // already selected
    event(Role::FileList, EventKind::Selected, 1);
    EXPECT_EQ(controller.characterName(), "");
    EXPECT_EQ(controller.slotTable().slot(0).toolTipText(), "Original Colors: 1,1,1");
}

TEST_F(Form1ControllerTest, InstructionLabelDoubleClickSetsPathOnlyWithASelection) {
    event(Role::Heading, EventKind::DoubleClick, 1);
    EXPECT_EQ(controller.slotTable().currentIniPath(), "");
    event(Role::FileList, EventKind::Selected, 0);
    event(Role::Heading, EventKind::DoubleClick, 2);
    EXPECT_EQ(controller.slotTable().currentIniPath(),
              controller.fileList().Path() + "\\player7_options.ini");
}

// Whatever a file holds, selecting it shows what can be read and reports the rest,
// and a save without edits leaves it byte for byte.
TEST_F(Form1ControllerTest, AFileNoGameWritesIsShownAsFarAsItCanBeAndLeftAlone) {
    std::string junk(1 << 16, '\0');
    for (std::size_t at = 0; at < junk.size(); ++at) {
        junk[at] = static_cast<char>((at * 7919 + 13) % 251);
    }
    struct Row {
        const char* name;
        std::string bytes;
        bool readable;
        const char* slot0Caption;
        std::size_t reported;
    } const rows[] = {
        {"binary junk", junk, true, "Bad Read", 1},
        {"10 MB single line", test::OptionsFile() + "[Big]\r\nx=" + std::string(10 << 20, 'x'),
         true, "Option 0", 0},
        {"unreadable", test::OptionsFile(), false, "Bad Read", 1},
    };
    const fs::path file = dir.path() / "player7_options.ini";
    for (const Row& row : rows) {
        test::WriteBytes(file, row.bytes);
        if (!row.readable) {
            fs::permissions(file, fs::perms::none);
            if (std::ifstream(file)) {
                continue;  // root reads every file
            }
        }
        event(Role::FileList, EventKind::Selected, 1);
        EXPECT_EQ(event(Role::FileList, EventKind::Selected, 0).messages.size(), row.reported)
            << row.name;
        EXPECT_EQ(controller.slotTable().slot(0).optionName, row.slot0Caption) << row.name;
        EXPECT_EQ(event(Role::SaveButton, EventKind::Click).messages.size(), 1u) << row.name;
        fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(test::ReadBytes(file), row.bytes) << row.name;
    }
}

TEST(LabelClicks, AClickIsAReleaseOverThePressedLabelAndEndsNoDoubleClick) {
    const Control* slot = FindControl(Role::SlotLabel, 3);
    const Control* other = FindControl(Role::Heading, 1);
    LabelClicks clicks;
    const auto feed = [&](LabelClicks::Input input, const Control* under) {
        const std::optional<ControlEvent> event = clicks.feed(input, under);
        return !event ? "-" : event->kind == EventKind::Click ? "click" : "double";
    };
    const std::vector<std::string> felt = {
        feed(LabelClicks::Press, slot),        feed(LabelClicks::Release, slot),
        feed(LabelClicks::DoubleClick, slot),  feed(LabelClicks::Release, slot),
        feed(LabelClicks::Press, slot),        feed(LabelClicks::Release, other),
        feed(LabelClicks::Press, slot),        feed(LabelClicks::Release, nullptr),
        feed(LabelClicks::Press, nullptr),     feed(LabelClicks::Release, slot),
        feed(LabelClicks::DoubleClick, other), feed(LabelClicks::Release, other)};
    EXPECT_EQ(felt, (std::vector<std::string>{"-", "click", "double", "-", "-", "-", "-", "-", "-",
                                              "-", "double", "-"}));
    EXPECT_EQ(clicks.feed(LabelClicks::DoubleClick, slot)->index, 3);
}

// A mistyped folder must not look like an empty game folder.
TEST(Form1ControllerStart, AFolderThatDoesNotExistIsNamedAndTheCurrentFolderShown) {
    test::TestHost host;
    Form1Controller controller(host);
    const Update started = controller.start({"/no/such/folder"});
    ASSERT_EQ(started.messages.size(), 1u);
    EXPECT_EQ(started.messages[0].text.find("The folder /no/such/folder does not exist."), 0u);
    EXPECT_EQ(started.messages[0].title, kApplicationTitle);
    EXPECT_EQ(controller.fileList().Path(), FolderShownFor(CurrentFolder()));
}

TEST(Form1ControllerStart, WithoutArgumentsTheRegistryDecidesAndItsReportIsShown) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Data" / "client" / "output");
    test::WriteBytes(dir.path() / "Data" / "client" / "output" / "player1_options.ini", "");
    test::TestHost host;
    host.found.InstallIconPath = test::WindowsForm(dir.path()) + "\\game.exe";
    host.found.messages = {{"Error: 7. Out of memory", "RegistryGetKeyValue"}};
    Form1Controller controller(host);
    const Update started = controller.start({});
    EXPECT_EQ(started.messages, host.found.messages);
    EXPECT_EQ(controller.fileList().entries(), (std::vector<std::string>{"player1_options.ini"}));
}

#ifndef _WIN32
// The game in a Proton prefix: the prefix's registry names it, the list shows its
// output folder whatever the case of the names on disk, and a save goes into the
// file listed.
TEST(Form1ControllerStart, TheGameInAWinePrefixIsListedNamedAndSavedInPlace) {
    test::TempDir home;
    const fs::path prefix = home.path() / ".local/share/Steam/steamapps/compatdata/4242/pfx";
    fs::create_directories(prefix / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
    fs::copy_file(test::DataDir() / "registry" / "wine8_system.reg", prefix / "system.reg");
    const fs::path output = prefix / "drive_c/games/x/DATA/client/output";
    fs::create_directories(output);
    test::WriteBytes(output / "Player1_Options.ini", test::OptionsFile());
    test::WriteBytes(output / "PLAYER2_OPTIONS.INI",
                     test::OptionsFile({}, "1,1,1", "\r\n", "Tell "));
    test::WriteBytes(output / "Shortcut.INI",
                     "[Shortcut-1]\r\nName=Mira Quell\r\n[Shortcut-2]\r\nName=Oskar Venn\r\n");
    SystemHost host({"", home.path().string()});
    Form1Controller controller(host);
    EXPECT_TRUE(controller.start({}).messages.empty());
    EXPECT_EQ(controller.fileList().Path(), "C:\\Games\\X\\Data\\client\\output");
    EXPECT_EQ(controller.fileList().entries(),
              (std::vector<std::string>{"Player1_Options.ini", "PLAYER2_OPTIONS.INI"}));
    const auto handle = [&](Role role, EventKind kind, int index = -1, PackedColour pixel = -1) {
        return controller.handle({role, kind, index, pixel}, ".");
    };
    handle(Role::FileList, EventKind::Selected, 1);
    EXPECT_EQ(controller.characterName(), "Oskar Venn");
    EXPECT_EQ(controller.slotTable().slot(0).optionName, "Tell 0");
    handle(Role::ColourChart, EventKind::ButtonReleased, -1, Grey(128));
    handle(Role::SlotLabel, EventKind::Click, 0);
    const Update saved = handle(Role::SaveButton, EventKind::Click);
    ASSERT_EQ(saved.messages.size(), 1u);
    EXPECT_EQ(saved.messages[0].text, "INI file saved");
    EXPECT_NE(test::ReadBytes(output / "PLAYER2_OPTIONS.INI")
                  .find("OptionName=Tell 0\r\nOptionValue=0.500000,0.500000,0.500000\r\n"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(output / "player2_options.ini"));
}
#endif

TEST(MessagesAsShown, LongQuotesAreCutAndLongRunsBroken) {
    const std::string digits(3000, '7');
    const std::string path =
        "C:\\" + std::string(40, 'a') + "\\" + std::string(40, 'b') + "\\x.ini";
    struct Row {
        std::string text;
        std::string fitted;
    } const rows[] = {
        {"VECTOR3-000: \"" + digits + "\": too large",
         "VECTOR3-000: \"" + std::string(57, '7') + "...\": too large"},
        {"saved to " + path + ".",
         "saved to C:\\" + std::string(40, 'a') + "\\\n" + std::string(40, 'b') + "\\x.ini."},
        {std::string(70, 'z'), std::string(64, 'z') + "\n" + std::string(6, 'z')},
        {"short \"quote\" stays", "short \"quote\" stays"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(AsShown({row.text, {}}).text, row.fitted);
    }
}

}  // namespace
}  // namespace orvex
