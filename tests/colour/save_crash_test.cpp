// A save killed at any moment leaves a whole file: a child process saves the slot
// table in a loop, alternating two colours, and is killed with SIGKILL at random
// moments. After every kill each value is one of the texts a save can write, and
// every other byte is the game's. Killed saves once left a hidden temporary file
// each in the game's folder (71 of 240); content is now written to an unnamed
// file that gets a name only just before the rename.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "colour/colour_slots.h"
#include "platform/messages.h"
#include "profile/profile.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEntry = "player9_options.ini";
constexpr int kKills = 240;
constexpr const char* kRedText = "1.000000,0.000000,0.000000";
constexpr const char* kBlueText = "0.000000,0.000000,1.000000";

class OneFileList : public FileListView {
  public:
    std::string folder;
    std::string Path() const override { return folder; }
    int ListIndex() const override { return 0; }
    int ListCount() const override { return 1; }
    std::string List(int) const override { return kEntry; }
};

std::string gameFile() {
    std::string text = "; game settings\r\n[General]\r\nVersion=3\r\n";
    for (int slot = 0; slot < 24; ++slot) {
        const std::string digits = "00" + std::to_string(slot);
        text += "[VECTOR3-" + digits.substr(digits.size() - 3) + "]\r\nOptionName=Chat " +
                std::to_string(slot) + "\r\nOptionValue=0.5,0.5,0.5\r\nOptionType=Color\r\n";
    }
    return text + "[Window]\r\nX=10\r\n";
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos;
         end = text.find("\r\n", from)) {
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    lines.push_back(text.substr(from));
    return lines;
}

// Empty when `text` is the game file with each OptionValue one of `allowed`;
// otherwise what is wrong.
std::string wholeFileProblem(const std::string& text, const std::set<std::string>& allowed) {
    const std::vector<std::string> expected = linesOf(gameFile());
    const std::vector<std::string> actual = linesOf(text);
    if (actual.size() != expected.size()) {
        return "the file has " + std::to_string(actual.size()) + " lines";
    }
    const std::string valueKey = "OptionValue=";
    for (std::size_t at = 0; at < actual.size(); ++at) {
        if (expected[at].rfind(valueKey, 0) == 0) {
            if (actual[at].rfind(valueKey, 0) != 0 ||
                allowed.count(actual[at].substr(valueKey.size())) == 0) {
                return "line " + std::to_string(at + 1) + " is \"" + actual[at] + "\"";
            }
        } else if (actual[at] != expected[at]) {
            return "line " + std::to_string(at + 1) + " is \"" + actual[at] + "\"";
        }
    }
    return {};
}

[[noreturn]] void saveForever(const std::string& folder) {
    SetMessageHandler([](const std::string&, const std::string&) {});
    OneFileList list;
    list.folder = folder;
    ColourSlotTable table;
    for (unsigned round = 0;; ++round) {
        table.LoadSelectedFile(list);
        for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
            table.slot(slot).currentColour = round % 2 == 0 ? 0x000000FF : 0x00FF0000;
        }
        table.SaveColorSlots(list);
    }
}

TEST(SaveCrash, KilledSavesLeaveAWholeFileAndNoTemporaryFiles) {
    test::TempDir dir;
    const fs::path file = dir.path() / kEntry;
    test::WriteBytes(file, gameFile());
    const std::set<std::string> allowed{"0.5,0.5,0.5", kRedText, kBlueText};
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> delayMicroseconds(0, 40000);
    int changedKills = 0;
    std::string previous = gameFile();

    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            saveForever(dir.path().string());
        }
        ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended by itself";

        const std::string now = test::ReadBytes(file);
        ASSERT_EQ(wholeFileProblem(now, allowed), "") << "after kill " << kill + 1;
        for (int slot = 0; slot < 24; ++slot) {
            const std::string digits = "00" + std::to_string(slot);
            ASSERT_TRUE(
                allowed.count(ReadINI(file.string(), "VECTOR3-" + digits.substr(digits.size() - 3),
                                      "OptionValue")) == 1);
        }
        changedKills += now != previous ? 1 : 0;
        previous = now;
    }
    // Most kills must have met a save at work, or the test proves nothing.
    EXPECT_GT(changedKills, kKills / 4);
    const auto leftovers =
        std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()) - 1;
    // A kill in the short step between naming the finished file and the rename can
    // still leave one (0 to 4 seen); before the fix about every third kill did.
    EXPECT_LE(leftovers, kKills / 20);
    std::cout << "[ SUMMARY  ] " << kKills << " kills, " << changedKills
              << " of them after the file had changed; leftover temporary files: " << leftovers
              << "\n";
}

}  // namespace
}  // namespace orvex
