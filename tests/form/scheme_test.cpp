#include "form/scheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "failing_file_system.h"
#include "form/command_line.h"
#include "test_support.h"

namespace orvex {
namespace {

// Components that survive ColorToText and ColorFromText unchanged, as a colour read
// from a two-decimal text does.
constexpr int kComponents[] = {0, 3, 64, 128, 199, 255};

Scheme TestScheme() {
    Scheme scheme;
    for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
        const int red = kComponents[slot % 6], green = kComponents[(slot / 6) % 6];
        const int blue = kComponents[5 - slot % 6];
        scheme[static_cast<std::size_t>(slot)] =
            SchemeOption{"Channel " + std::to_string(slot), red | green << 8 | blue << 16, {}};
    }
    return scheme;
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size() - 1) + 1;
        lines.push_back(bytes.substr(at, end - at));
        at = end;
    }
    return lines;
}

class SchemeTest : public ::testing::Test {
  protected:
    std::string file(const std::string& name) const { return dir.file(name); }
    std::string put(const std::string& name, const std::string& bytes) const {
        test::WriteBytes(file(name), bytes);
        return file(name);
    }
    test::TempDir dir;
    test::FailingFileSystem files;
};

TEST_F(SchemeTest, ExportThenImportGivesTheSameColoursInTheGamesFormat) {
    Scheme scheme = TestScheme();
    scheme[5].reset();  // a scheme may hold only some options
    ASSERT_TRUE(WriteScheme(file("dark"), scheme, files));
    const SchemeRead read = ReadScheme(file("dark"), files);
    ASSERT_TRUE(read.status) << read.status.reason;
    for (auto& option : scheme) {
        if (option) {
            option->text = ColorToText(option->colour);  // what a reader sees
        }
    }
    EXPECT_EQ(read.scheme, scheme);
    const std::string bytes = test::ReadBytes(file("dark"));
    EXPECT_EQ(bytes.rfind("; Orvex chat colour scheme, written by orvexcolors 1.0.0 on 20", 0), 0u);
    // A comment and 23 sections of 4 lines (blank, header, name, value), all CRLF.
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 93);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 93);
}

TEST_F(SchemeTest, ANonSchemeIsRefusedWithTheReason) {
    const struct Row {
        const char* name;
        std::optional<std::string> bytes;
        const char* reason;
    } rows[] = {
        {"missing.ini", std::nullopt, "the file does not exist"},
        {"empty.ini", "", "not a colour scheme"},
        {"other.ini", "[General]\r\nOptionValue=1,1,1\r\n", "not a colour scheme"},
        {"bad.ini", test::OptionsFile({"1,1,1", "a,b,c", " 0.5 "}),
         "colour texts that cannot be read: VECTOR3-001 (Option 1) \"a,b,c\": one of its values is "
         "not a number; VECTOR3-002 (Option 2) \"0.5\": it does not have three values"},
    };
    for (const Row& row : rows) {
        const std::string path = row.bytes ? put(row.name, *row.bytes) : file(row.name);
        const SchemeRead read = ReadScheme(path, files);
        EXPECT_FALSE(read.status) << row.name;
        EXPECT_NE(read.status.reason.find(row.reason), std::string::npos) << read.status.reason;
        EXPECT_EQ(read.scheme, Scheme{}) << row.name;
    }
}

TEST_F(SchemeTest, ApplyRewritesOnlyTheOptionValuesThatDiffer) {
    const std::string target = put(
        "player2_options.ini", test::OptionsFile({"1,1,1", "  0.5,0.25,1 ", "\"0,1,0\"", "abc"}));
    Scheme scheme = TestScheme();
    scheme[0]->colour = kWhite;                     // already held as "1,1,1"
    scheme[1]->colour = 128 | 64 << 8 | 255 << 16;  // already held, spacing and all
    scheme[9]->colour = 80;                         // "0.31" in a file, which reads as 79
    const std::string before = test::ReadBytes(target);
    const ApplyResult result = ApplyScheme(scheme, target, files);
    ASSERT_EQ(result.outcome, ApplyOutcome::Written) << result.reason;
    const std::vector<std::string> was = Lines(before), now = Lines(test::ReadBytes(target));
    ASSERT_EQ(now.size(), was.size());
    int changed = 0;
    for (std::size_t line = 0; line < was.size(); ++line) {
        if (now[line] != was[line]) {
            ++changed;
            EXPECT_EQ(was[line].rfind("OptionValue=", 0), 0u) << was[line];
            EXPECT_EQ(now[line].rfind("OptionValue=", 0), 0u) << now[line];
        }
    }
    EXPECT_EQ(changed, 22);  // neither held slot, nor VECTOR3-024, nor [Other]
    EXPECT_EQ(ReadScheme(target, files).scheme[9]->text, ColorToText(80));
    EXPECT_EQ(ApplyScheme(scheme, target, files).outcome, ApplyOutcome::AlreadyHeld);
}

TEST_F(SchemeTest, ApplyRefusesAFileItCannotWriteWholeAndLeavesItAsItWas) {
    const struct Row {
        const char* name;
        std::optional<std::string> bytes;
        bool diskFull;
        const char* reason;
    } rows[] = {
        {"empty.ini", "", false, "none of the 24 colour options"},
        {"general.ini", "[General]\r\nVersion=3\r\n", false, "none of the 24"},
        {"gone.ini", std::nullopt, false, "missing"},
        {"full.ini", test::OptionsFile(), true, "not written: "},
    };
    for (const Row& row : rows) {
        test::FailingFileSystem failing;
        if (row.diskFull) {
            failing.failFrom(test::FailingFileSystem::Step::Write, ENOSPC);
        }
        const std::string path = row.bytes ? put(row.name, *row.bytes) : file(row.name);
        const ApplyResult result = ApplyScheme(TestScheme(), path, failing);
        EXPECT_EQ(result.outcome, ApplyOutcome::Failed) << row.name;
        EXPECT_NE(result.reason.find(row.reason), std::string::npos) << result.reason;
        EXPECT_EQ(row.bytes ? test::ReadBytes(path) : "", row.bytes.value_or("")) << row.name;
    }
    EXPECT_FALSE(std::filesystem::exists(file("gone.ini")));
}

TEST_F(SchemeTest, CommandLineExitsZeroOneOrTwoAndDoesEveryFileItCan) {
    const std::string p1 = put("player1_options.ini", test::OptionsFile({"0,1,0", "0.3,0.3,0.3"}));
    const std::string p2 = put("player2_options.ini", test::OptionsFile());
    const std::string empty = put("player3_options.ini", ""), p1Bytes = test::ReadBytes(p1);
    const std::string bad = put("bad.ini", test::OptionsFile({"x"})), scheme = file("scheme.ini");
    const struct Row {
        std::vector<std::string> arguments;
        int exit;
        std::string out, err;  // err: its first line
    } rows[] = {
        {{"--version"}, 0, "orvexcolors 1.0.0\n", ""},
        {{"--help"}, 0, UsageText(), ""},
        {{"--export", p1}, 2, "", "orvexcolors: --export takes an options file and a scheme file"},
        {{"--apply", scheme}, 2, "", "orvexcolors: --apply takes a scheme file and at least one"},
        {{"--colours", p1}, 2, "", "orvexcolors: unknown option --colours\n"},
        {{"--export", p1, scheme}, 0, scheme + ": written\n", ""},
        {{"--apply", bad, p1}, 1, "", bad + ": colour texts that cannot be read: VECTOR3-000"},
        {{"--apply", scheme, p2, empty, p1},
         1,
         p2 + ": written\n" + p1 + ": already held the scheme\n",
         empty + ": not written: it is missing or empty, or holds none of the 24 colour options "
                 "(VECTOR3-000 to VECTOR3-023)\n"},
    };
    for (const Row& row : rows) {
        const CommandOutcome outcome = RunCommand(ParseCommandLine(row.arguments), files);
        EXPECT_EQ(outcome.exitStatus, row.exit) << row.arguments.front();
        EXPECT_EQ(outcome.out, row.out);
        EXPECT_EQ(outcome.err.substr(0, row.err.size()), row.err);
        EXPECT_EQ(outcome.err.find(UsageText()) != std::string::npos, row.exit == 2);
    }
    EXPECT_EQ(test::ReadBytes(p1), p1Bytes);
    EXPECT_EQ(ReadScheme(p2, files).scheme[1]->text, "0.3,0.3,0.3");  // not ColorToText's 0.29
    for (const std::vector<std::string>& window :
         {std::vector<std::string>{}, {dir.path().string()}, {"-platform", "xcb"}}) {
        EXPECT_EQ(ParseCommandLine(window).action, CommandLine::Action::Window);
        EXPECT_EQ(ParseCommandLine(window).files, window);
    }
}

}  // namespace
}  // namespace orvex
