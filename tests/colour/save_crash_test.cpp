// A save killed at any moment leaves a whole file: a child process saves the slot
// table in a loop, alternating two colours, and is killed with SIGKILL, half the
// time stopped at a given write step of its saves, half the time at a random moment
// after one, so that every kill meets a save at work however fast the machine is
// and however slow a fresh process's first save. After every kill each value is one of the texts a
// save can write, and every other byte is the game's. Killed saves once left a hidden temporary
// file each in the game's folder (71 of 240); now the content goes to an unnamed file that is named
// just before the rename, and a save removes what killed ones left once it is old enough to be
// abandoned.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "colour/colour_slots.h"
#include "failing_file_system.h"
#include "platform/system_file_system.h"
#include "profile/ini_text.h"
#include "profile/profile.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEntry = "player9_options.ini";
constexpr int kKills = 240;
constexpr const char* kRedText = "1.000000,0.000000,0.000000";
constexpr const char* kBlueText = "0.000000,0.000000,1.000000";

// The game's file: every colour grey 0.5, the spare section VECTOR3-024 too.
std::string gameFile() {
    return test::OptionsFile({}, "0.5,0.5,0.5");
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

// A folder in memory when the system has one: a kill tests what the process
// leaves behind, not the disk, and the rounds stay short enough for many kills.
class ScratchDir {
  public:
    explicit ScratchDir(const std::string& name) {
        const fs::path shm = "/dev/shm";
        m_path = (::access(shm.c_str(), W_OK) == 0 ? shm : fs::temp_directory_path()) /
                 (name + "-" + std::to_string(::getpid()));
        fs::create_directories(m_path);
    }
    ~ScratchDir() { fs::remove_all(m_path); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const fs::path& path() const { return m_path; }

  private:
    fs::path m_path;
};

// Loads the file and saves it with every slot changed: one round of the child.
void saveRound(ColourSlotTable& table, const test::FakeFileList& list, unsigned round) {
    table.LoadSelectedFile(list);  // what it tells the user does not matter here
    for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
        table.GiveColour(slot, round % 2 == 0 ? 0x000000FF : 0x00FF0000);
    }
    table.SaveColorSlots(list);
}

using Step = test::FailingFileSystem::Step;

// Content goes to the disk in pieces this large, so that a kill can find the
// temporary file half written.
constexpr std::size_t kPiece = 512;
// A child whose saves reach no write step in this many rounds gives up.
constexpr unsigned kRoundsWithoutWrite = 50;

bool writesToDisk(Step step) {
    return step != Step::Read;
}

// How many write steps one save of the slot table makes (counted, not timed).
int writeStepsPerSave() {
    ScratchDir scratch("orvex-crash-steps");
    test::WriteBytes(scratch.path() / kEntry, gameFile());
    test::FakeFileList list{kEntry};
    list.folder = scratch.path().string();
    test::FailingFileSystem disk;
    disk.limitWrites(kPiece);
    int steps = 0;
    disk.beforeEachStep([&steps](Step step) { steps += writesToDisk(step) ? 1 : 0; });
    ColourSlotTable table(disk);
    saveRound(table, list, 0);
    return steps;
}

// Where a child is killed: at its `step`-th write step (counting from 1 over its
// saves). A child that `stops` waits there for the kill; one that does not goes on,
// and the kill finds it wherever it has got to, inside a system call or between.
struct KillPoint {
    int step = 1;
    bool stops = true;
};

// Saves in a loop, alternating two colours from `firstRound` on, and writes one
// byte to `report` when it reaches the write step of `at`.
[[noreturn]] void saveUntilKilled(const std::string& folder, int report, KillPoint at,
                                  unsigned firstRound) {
    test::FailingFileSystem disk;
    disk.limitWrites(kPiece);
    int steps = 0;
    bool reported = false;
    disk.beforeEachStep([&](Step step) {
        if (!writesToDisk(step) || ++steps != at.step) {
            return;
        }
        [[maybe_unused]] const ssize_t sent = ::write(report, "s", 1);
        reported = true;
        while (at.stops) {
            ::pause();
        }
    });
    test::FakeFileList list{kEntry};
    list.folder = folder;
    ColourSlotTable table(disk);
    // Once it has reported, it saves until the kill comes, however long that takes.
    for (unsigned round = firstRound; reported || round < firstRound + kRoundsWithoutWrite;
         ++round) {
        saveRound(table, list, round);
    }
    ::_exit(1);  // the parent reads no byte and says why
}

TEST(SaveCrash, KilledSavesLeaveAWholeFileAndNoTemporaryFiles) {
    ScratchDir dir("orvex-crash");
    const fs::path file = dir.path() / kEntry;
    test::WriteBytes(file, gameFile());
    // "0.5" is the [Other] section's own OptionValue, which no save touches.
    const std::set<std::string> allowed{"0.5,0.5,0.5", kRedText, kBlueText, "0.5"};
    const int stepsPerSave = writeStepsPerSave();
    ASSERT_GT(stepsPerSave, 4) << "a save no longer writes in pieces";
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> anyStep(1, 2 * stepsPerSave);
    int changedKills = 0;
    std::string previous = gameFile();
    SystemFileSystem files;

    for (int kill = 0; kill < kKills; ++kill) {
        // Every other child stops at each write step of its first two saves in turn,
        // so that every moment between two steps meets a kill whatever the
        // machine's speed; the others are killed at a random moment after one.
        const KillPoint at = kill % 2 == 0 ? KillPoint{kill / 2 % (2 * stepsPerSave) + 1, true}
                                           : KillPoint{anyStep(random), false};
        int report[2];
        ASSERT_EQ(::pipe(report), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(report[0]);
            // Each child starts with the colour the file does not hold, so that its
            // first save changes the file.
            const bool red = previous.find(kRedText) != std::string::npos;
            saveUntilKilled(dir.path().string(), report[1], at, red ? 1u : 0u);
        }
        ::close(report[1]);
        char reached = 0;
        const ssize_t got = ::read(report[0], &reached, 1);
        ::close(report[0]);
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_EQ(got, 1) << "the saving child reached no write step of its saves";
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended by itself";

        const std::string now = test::ReadBytes(file);
        ASSERT_EQ(wholeFileProblem(now, allowed), "")
            << "after kill " << kill + 1 << " at write step " << at.step
            << (at.stops ? "" : " or later");
        for (int slot = 0; slot < 24; ++slot) {
            const Result<IniEntry> read = ReadINIEntry(file.string(), test::SlotSection(slot),
                                                       "OptionValue", std::nullopt, files);
            ASSERT_EQ(allowed.count(read.value.text), 1u);
        }
        changedKills += now != previous ? 1 : 0;
        previous = now;
    }
    // A kill between naming the temporary file and the rename leaves it; once it is
    // old enough to be abandoned, the next save removes it. Before the fix about
    // every third kill left one for good.
    std::vector<fs::path> leftovers;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        if (entry.path() != file) {
            EXPECT_TRUE(SystemFileSystem::IsTemporaryName(entry.path().filename().string(), kEntry))
                << entry.path();
            leftovers.push_back(entry.path());
            fs::last_write_time(entry.path(),
                                fs::file_time_type::clock::now() - std::chrono::hours(1));
        }
    }
    ColourSlotTable table(files);
    test::FakeFileList list{kEntry};
    list.folder = dir.path().string();
    saveRound(table, list, 0);
    saveRound(table, list, 1);  // one of the two changes the file and so replaces it
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    std::cout << "[ SUMMARY  ] " << stepsPerSave << " write steps a save; " << kKills
              << " kills, half of them stopped at a step; " << changedKills
              << " after the file had changed; temporary files left: " << leftovers.size() << "\n";
}

// Keeps every content a save hands to the disk.
class RecordingFiles : public SystemFileSystem {
  public:
    Status replaceFile(const std::string& path, std::string_view bytes) override {
        written.emplace_back(bytes);
        return SystemFileSystem::replaceFile(path, bytes);
    }
    std::vector<std::string> written;
};

// Rewrites the file in place forever, as Windows' own service does: truncate, then
// write in two pieces, so that a reader can find it empty or half written.
[[noreturn]] void rewriteForever(const fs::path& file, const std::string& bytes) {
    for (;;) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        [[maybe_unused]] ssize_t written = ::write(fd, bytes.data(), bytes.size() / 3);
        written = ::write(fd, bytes.data() + bytes.size() / 3, bytes.size() - bytes.size() / 3);
        ::close(fd);
    }
}

// A file another program is rewriting in place may be caught empty or half written,
// at a load as at a save; a save that finds sections the load saw gone, or none of
// the colour sections, must not write. Before, 918-999 of 1 000 saves in such a loop
// wrote the file back with the colour sections alone; and with loads beside the
// writer too, about 45 in 1 000 filled a file caught empty with bare sections.
TEST(ConcurrentWriter, SavesNeverWriteAFileCaughtHalfRewritten) {
    ScratchDir dir("orvex-rewriter");
    const fs::path file = dir.path() / kEntry;
    const std::string bytes = gameFile();
    test::WriteBytes(file, bytes);
    RecordingFiles files;
    ColourSlotTable table(files);
    test::FakeFileList list{kEntry};
    list.folder = dir.path().string();
    table.LoadSelectedFile(list);
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        rewriteForever(file, bytes);
    }
    // 400 saves after the load of the whole file, then 400 each after a load of its own.
    int refused = 0;
    std::size_t afterWholeLoad = 0;
    for (int save = 0; save < 800; ++save) {
        if (save >= 400) {
            afterWholeLoad = save == 400 ? files.written.size() : afterWholeLoad;
            table.LoadSelectedFile(list);
        }
        table.GiveColour(save % 24, save % 2 == 0 ? 0x000000FF : 0x00FF0000);
        const UserMessages told = table.SaveColorSlots(list);
        refused += told.size() == 1 && told[0].text != "INI file saved" ? 1 : 0;
    }
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    std::size_t halfFiles = 0;
    for (std::size_t at = 0; at < files.written.size(); ++at) {
        const std::string& content = files.written[at];
        ASSERT_TRUE(IniValue(content, "General", "Version")) << "a save lost [General]";
        for (int slot = 0; at < afterWholeLoad && slot < 24; ++slot) {
            ASSERT_TRUE(IniValue(content, test::SlotSection(slot), "OptionName"))
                << "a save wrote a file without " << test::SlotSection(slot);
        }
        halfFiles += IniValue(content, "Other", "OptionValue") ? 0 : 1;
    }
    std::cout << "[ SUMMARY  ] 800 saves beside a writer: " << files.written.size() << " written ("
              << halfFiles << " of them without the file's last section), " << refused
              << " refused\n";
}

}  // namespace
}  // namespace orvex
