#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <tuple>
#include <utility>

#include "form/form1_controller.h"
#include "profile/ini_text.h"
#include "scripted_dialogs.h"
#include "test_host.h"
#include "test_support.h"

namespace orvex {
namespace {

constexpr PackedColour kGrey = 0x00808080;

class PlayerFeatures : public ::testing::Test {
  protected:
    PlayerFeatures() {
        test::WriteBytes(dir.path() / "player7_options.ini",
                         test::OptionsFile({"0.5,0.25,1", "0,0,1"}));
        test::WriteBytes(dir.path() / "player8_options.ini", test::OptionsFile({"1,1,1"}));
        test::WriteBytes(dir.path() / "shortcut.ini", "[Shortcut-7]\r\nName=Aeryn\r\n");
        restart();
    }
    // A fresh window on player7 with grey as the saved colour.
    void restart() {
        dialogs = std::make_unique<test::ScriptedDialogs>();
        controller = std::make_unique<Form1Controller>(host, *dialogs);
        controller->start({dir.path().string()});
        on(Role::FileList, EventKind::Selected, 0);
        on(Role::ColourChart, EventKind::ButtonReleased, -1, kGrey);
    }
    Update on(Role role, EventKind kind, int index = -1, PackedColour pixel = -1) {
        return controller->handle({role, kind, index, pixel}, ".");
    }
    Update key(Role role, Key pressed, bool shift = false) {
        return controller->handle({role, EventKind::KeyPressed, -1, -1, pressed, shift}, ".");
    }
    Update run(Command command, int index = -1) {
        return controller->handle({Role::Window, EventKind::Command, index, -1, {}, false, command},
                                  ".");
    }
    PackedColour shown(int slot) const { return controller->slotTable().slot(slot).colour; }
    std::string value(const char* file, int slot) const {
        return std::string(Unquoted(
            *IniValue(test::ReadBytes(dir.path() / file), test::SlotSection(slot), "OptionValue")));
    }
    void write7(const std::vector<std::string>& values) {
        test::WriteBytes(dir.path() / "player7_options.ini", test::OptionsFile(values));
    }

    test::TempDir dir;
    test::TestHost host;
    std::unique_ptr<test::ScriptedDialogs> dialogs;
    std::unique_ptr<Form1Controller> controller;
};

TEST_F(PlayerFeatures, EveryKindOfEditIsOneUndoStepUntilTheNextLoad) {
    dialogs->clipboard = "#ff8000";  // each answer waits for its question
    dialogs->colourAnswers = {0x123456};
    dialogs->saveAnswers = {SaveChoice::DontSave};
    dialogs->importAnswers = {dir.file("player8_options.ini")};  // any options file is a scheme
    const std::vector<std::function<void()>> edits = {
        [&] { on(Role::SlotLabel, EventKind::Click, 2); },
        [&] { run(Command::GiveSavedColour, 3); },
        [&] { key(Role::SlotColumn, Key::Enter); },
        [&] { on(Role::SlotLabel, EventKind::DoubleClick, 2); },
        [&] { key(Role::SlotColumn, Key::Delete); },
        [&] { run(Command::RestoreFileColour, 3); },
        [&] { run(Command::PasteColour, 4); },
        [&] { run(Command::ChooseColour, 5); },
        [&] { run(Command::ImportScheme); },
        [&] { run(Command::RestoreAllFileColours); },
    };
    for (std::size_t at = 0; at < edits.size(); ++at) {
        const SlotStates before = StatesOf(controller->slotTable());
        edits[at]();
        const SlotStates after = StatesOf(controller->slotTable());
        EXPECT_NE(before, after) << at;
        EXPECT_TRUE(run(Command::Undo).has(kSlotsPart)) << at;
        EXPECT_EQ(StatesOf(controller->slotTable()), before) << at;
        run(Command::Redo);
        EXPECT_EQ(StatesOf(controller->slotTable()), after) << at;
    }
    EXPECT_TRUE(run(Command::Reload).has(kMenusPart));
    EXPECT_FALSE(controller->enabled(Command::Undo) || controller->enabled(Command::Redo));
}

TEST_F(PlayerFeatures, EditsAreSavedDroppedOrKeptAsTheUserAnswers) {
    const std::pair<std::function<Update()>, std::function<bool(const Update&)>> actions[] = {
        {[&] { return on(Role::FileList, EventKind::Selected, 1); },
         [&](const Update&) { return controller->fileList().ListIndex() == 1; }},
        {[&] { return run(Command::Reload); },
         [&](const Update&) { return !controller->enabled(Command::Undo); }},
        {[&] { return run(Command::ImportScheme); },
         [&](const Update&) { return dialogs->asked.back() == "schemeToImport"; }},
        {[&] { return on(Role::Window, EventKind::CloseRequested); },
         [&](const Update& update) { return update.closeWindow; }},
        {[&] { return run(Command::Exit); },
         [&](const Update& update) { return update.closeWindow; }},
    };
    for (const auto& [act, done] : actions) {
        for (const SaveChoice answer :
             {SaveChoice::Save, SaveChoice::DontSave, SaveChoice::Cancel}) {
            write7({"0.5,0.25,1", "0,0,1"});
            restart();
            EXPECT_TRUE(done(act())) << "without edits nothing asks";
            restart();
            dialogs->importAnswers = {dir.file("player8_options.ini")};
            on(Role::SlotLabel, EventKind::Click, 2);
            dialogs->saveAnswers = {answer};
            const Update update = act();
            EXPECT_EQ(dialogs->asked[0],
                      "askToSave: Save the colours you changed in player7_options.ini?");
            EXPECT_EQ(done(update), answer != SaveChoice::Cancel);
            EXPECT_EQ(value("player7_options.ini", 2) != "1,1,1", answer == SaveChoice::Save);
            if (answer == SaveChoice::Cancel) {
                EXPECT_EQ(update.has(kFileListPart), &act == &actions[0].first);  // old selection
                EXPECT_TRUE(controller->fileList().ListIndex() == 0 && shown(2) == kGrey);
            }
        }
    }
    std::filesystem::remove(dir.path() / "player7_options.ini");  // the save fails: all stays
    dialogs->saveAnswers = {SaveChoice::Save};
    const Update failed = on(Role::FileList, EventKind::Selected, 1);
    EXPECT_EQ(failed.messages.size(), 1u);
    EXPECT_FALSE(failed.closeWindow || controller->fileList().ListIndex() != 0 ||
                 shown(2) != kGrey);
}

TEST_F(PlayerFeatures, ApplyToOthersWritesOnlyOptionValuesAndSaysHowEachFileWent) {
    test::WriteBytes(dir.path() / "player9_options.ini", "");
    restart();  // listed
    on(Role::SlotLabel, EventKind::Click, 2);
    const std::string before = test::ReadBytes(dir.path() / "player8_options.ini");
    dialogs->applyAnswers = {std::vector<int>{0, 1}};
    const Update update = run(Command::ApplyToOthers);
    EXPECT_EQ(dialogs->asked[0],
              "charactersToApply: player8_options.ini (), player9_options.ini ()");
    EXPECT_EQ(value("player8_options.ini", 0), "0.5,0.25,1");  // the file's text, as it stood
    EXPECT_EQ(ColorFromText(value("player8_options.ini", 2)).colour, kGrey);
    std::istringstream was(before);
    std::istringstream now(test::ReadBytes(dir.path() / "player8_options.ini"));
    int changed = 0;
    for (std::string line, old; std::getline(was, old) && std::getline(now, line);) {
        changed += line != old;
        EXPECT_TRUE(line == old || line.rfind("OptionValue=", 0) == 0) << line;
    }
    EXPECT_EQ(changed, 3);
    EXPECT_EQ(update.messages.at(0).text.find(
                  "player8_options.ini: written\nplayer9_options.ini: not written"),
              0u);
}

TEST_F(PlayerFeatures, TextThatIsNoColourChangesNothing) {
    dialogs->importAnswers = {dir.file("shortcut.ini")};
    dialogs->clipboard = "red";
    for (const Update& update : {run(Command::ImportScheme), run(Command::PasteColour, 0)}) {
        ASSERT_EQ(update.messages.size(), 1u);
        EXPECT_EQ(update.changed & kSlotsPart, 0u);
    }
    EXPECT_FALSE(controller->enabled(Command::Undo) || controller->hasUnsavedEdits());
    run(Command::CopyColour, 0);
    run(Command::PasteColour, 6);
    EXPECT_EQ(shown(6), shown(0));
    dialogs->clipboard = " #FF8000\n";
    run(Command::PasteColour, 7);
    EXPECT_EQ(shown(7), 0x000080FF);
}

TEST_F(PlayerFeatures, ChartKeysMoveTheCrossWithinThePictureAndSampleUnderIt) {
    const RgbPicture chart = ColourChartPicture();
    const std::tuple<Key, bool, int, ChartPoint> rows[] = {
        {Key::Left, false, 1, {128, 123}}, {Key::Down, true, 2, {128, 143}},
        {Key::Up, true, 30, {128, 0}},     {Key::Right, true, 30, {255, 0}},
        {Key::Down, true, 40, {255, 268}}, {Key::Left, true, 40, {0, 268}}};
    for (const auto& [pressed, shift, times, cross] : rows) {
        for (int time = 0; time < times; ++time) {
            EXPECT_TRUE(key(Role::ColourChart, pressed, shift).has(kChartCrossPart));
        }
        EXPECT_EQ(controller->chartCross(), cross);
        EXPECT_EQ(controller->sample().colour, PixelQuery(chart, cross.x, cross.y));
    }
    key(Role::ColourChart, Key::Space);
    EXPECT_EQ(controller->savedColour(), PixelQuery(chart, 0, 268));
    // A click leaves the cross where it was released, so the keys go on from there.
    ControlEvent released{Role::ColourChart, EventKind::ButtonReleased, -1,
                          PixelQuery(chart, 40, 50)};
    released.at = ChartPoint{40, 50};
    EXPECT_TRUE(controller->handle(released, ".").has(kChartCrossPart));
    key(Role::ColourChart, Key::Right);
    EXPECT_EQ(controller->chartCross(), (ChartPoint{41, 50}));
}

TEST_F(PlayerFeatures, TheSlotColumnKeysAndRightClicksMoveOneFocus) {
    const auto column = [](Key pressed) {
        return ControlEvent{Role::SlotColumn, EventKind::KeyPressed, -1, -1, pressed};
    };
    const std::tuple<ControlEvent, int, std::optional<int>> rows[] = {
        {column(Key::Up), 0, {}},
        {column(Key::End), 23, {}},
        {column(Key::Down), 23, {}},
        {column(Key::ContextMenu), 23, 23},
        {{Role::SlotLabel, EventKind::ContextMenu, 5}, 5, 5},
        {{Role::SlotLabel, EventKind::ContextMenu, 24}, 5, {}},  // the spare label has no menu
        {column(Key::Home), 0, {}},
    };
    for (const auto& [event, focus, menu] : rows) {
        EXPECT_EQ(controller->handle(event, ".").slotMenu, menu);
        EXPECT_EQ(controller->focusedSlot(), focus);
    }
    EXPECT_EQ(controller->accessibleName(*FindControl(Role::SlotColumn)),
              "Option 0, red 128 green 64 blue 255");
}

TEST_F(PlayerFeatures, AFileChangedOnDiskIsShownUnlessEditedAndSavedColoursReplacedAreTold) {
    write7({"0,1,0"});
    EXPECT_TRUE(on(Role::Window, EventKind::Tick).messages.empty());
    EXPECT_EQ(shown(0), 0x0000FF00);
    EXPECT_EQ(controller->savedColour(), kGrey);
    on(Role::SlotLabel, EventKind::Click, 2);
    write7({"1,0,0"});
    EXPECT_TRUE(on(Role::Window, EventKind::Tick).has(kNoticePart));
    EXPECT_EQ(controller->notice(),
              "player7_options.ini was changed by another program. Save keeps its changes, except "
              "the options you edited.");
    EXPECT_EQ(shown(0), 0x0000FF00);
    EXPECT_TRUE(on(Role::SaveButton, EventKind::Click).has(kNoticePart));
    EXPECT_EQ(controller->notice(), "");
    EXPECT_EQ(on(Role::Window, EventKind::Tick).changed, 0u);
    write7({"1,0,0"});  // the game closes and writes the colours it had
    const Update replaced = on(Role::Window, EventKind::Tick);
    ASSERT_EQ(replaced.messages.size(), 1u);
    EXPECT_EQ(replaced.messages[0].text,
              "The colours you saved in player7_options.ini were replaced by another program. The "
              "game writes its options when it closes: close the game, then save again.");
    EXPECT_TRUE(controller->hasUnsavedEdits());
    run(Command::Save);
    EXPECT_EQ(ColorFromText(value("player7_options.ini", 2)).colour, kGrey);
    run(Command::Undo);  // no longer the file's colour: the next save writes it
    run(Command::Save);
    EXPECT_EQ(value("player7_options.ini", 2), ColorToText(kWhite));
}

}  // namespace
}  // namespace orvex
