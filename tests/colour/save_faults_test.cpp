// Saves of the slot table under every failure the disk or other programs can cause:
// the old file stays byte-identical (or, where a save may go on, the new file is
// complete), one message names the file and the reason, and none claims success.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "colour/colour_slots.h"
#include "failing_file_system.h"
#include "platform/system_file_system.h"
#include "profile/profile.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;
using Step = test::FailingFileSystem::Step;

constexpr const char* kEntry = "player3_options.ini";
constexpr PackedColour kRed = 0x000000FF;

// The game's file with LF endings, a comment, foreign keys and sections, so that any
// byte a save must not touch is there to be touched.
std::string gameFile() {
    return test::OptionsFile(std::vector<std::string>(24, "0.5,0.5,0.5"), "1,1,1", "\n");
}

std::size_t entriesIn(const fs::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

class SaveFaultTest : public ::testing::Test, protected test::SlotTableScene {
  protected:
    SaveFaultTest() : SlotTableScene(kEntry) {
        test::WriteBytes(file(), gameFile());
        messages.record(table.LoadSelectedFile(list));
        messages.clear();
    }

    // Edits the slots from `first` on, so that the first file write of the save is
    // the one for slot `first` (unchanged slots write nothing).
    static void editFrom(ColourSlotTable& slots, int first) {
        for (int slot = first; slot < ColourSlotTable::kSlotCount; ++slot) {
            slots.GiveColour(slot, kRed);
        }
    }
    void editFrom(int first) { editFrom(table, first); }
    void expectOneFailureMessage(const std::string& reasonPart, const std::string& row) {
        ASSERT_EQ(messages.messages().size(), 1u) << row;
        const std::string& text = messages.messages()[0].text;
        EXPECT_NE(text.find(table.currentIniPath()), std::string::npos) << row << ": " << text;
        EXPECT_NE(text.find(reasonPart), std::string::npos) << row << ": " << text;
        EXPECT_EQ(text.find("INI file saved"), std::string::npos) << row;
    }

    SystemFileSystem files;
    ColourSlotTable table{files};
};

TEST_F(SaveFaultTest, InjectedFailureAtEveryStepOfEveryWriteKeepsTheOldFile) {
    struct Row {
        const char* name;
        Step step;
        int error;
        const char* reason;
    };
    const Row rows[] = {
        {"no space for the temporary file", Step::CreateTemporary, ENOSPC,
         "No space left on device (creating a temporary file)"},
        {"read-only folder", Step::CreateTemporary, EACCES,
         "Permission denied (creating a temporary file)"},
        {"disk full while writing", Step::Write, ENOSPC, "No space left on device (writing)"},
        {"quota exceeded while writing", Step::Write, EDQUOT, "(writing)"},
        {"device gone while writing", Step::Write, EIO, "Input/output error (writing)"},
        {"permissions cannot be copied", Step::SetMode, EPERM,
         "Operation not permitted (setting permissions)"},
        {"flush fails", Step::Flush, EIO, "Input/output error (flushing to disk)"},
        {"flush finds the disk full", Step::Flush, ENOSPC,
         "No space left on device (flushing to disk)"},
        {"rename across devices", Step::Rename, EXDEV,
         "Invalid cross-device link (replacing the file)"},
        {"rename refused", Step::Rename, EACCES, "Permission denied (replacing the file)"},
    };
    const std::string before = test::ReadBytes(file());
    for (const Row& row : rows) {
        for (const int first : {0, 11, 23}) {
            const std::string name = std::string(row.name) + ", slot " + std::to_string(first);
            test::FailingFileSystem disk;
            ColourSlotTable failing(disk);
            messages.record(failing.LoadSelectedFile(list));
            editFrom(failing, first);
            messages.clear();
            disk.failFrom(row.step, row.error);

            EXPECT_FALSE(messages.record(failing.SaveColorSlots(list))) << name;
            expectOneFailureMessage(row.reason, name);
            EXPECT_EQ(test::ReadBytes(file()), before) << name;
            EXPECT_EQ(entriesIn(dir.path()), 1u) << name << ": a temporary file was left";
        }
    }
}

TEST_F(SaveFaultTest, ShortWritesStillSaveTheWholeFile) {
    test::FailingFileSystem disk;
    disk.limitWrites(1);
    ColourSlotTable shortWrites(disk);
    messages.record(shortWrites.LoadSelectedFile(list));
    editFrom(shortWrites, 0);
    messages.clear();
    EXPECT_TRUE(messages.record(shortWrites.SaveColorSlots(list)));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "INI file saved");
    std::string expected = gameFile();
    for (std::size_t at = expected.find("0.5,0.5,0.5"); at != std::string::npos;
         at = expected.find("0.5,0.5,0.5", at)) {
        expected.replace(at, 11, "1.000000,0.000000,0.000000");
    }
    EXPECT_EQ(test::ReadBytes(file()), expected);
}

TEST_F(SaveFaultTest, FileSystemStatesBetweenLoadAndSave) {
    struct Row {
        const char* name;
        std::function<void(const fs::path& file)> breakIt;
        const char* reason;
    };
    const Row rows[] = {
        {"read-only file", [](const fs::path& f) { ::chmod(f.c_str(), 0444); },
         "the file is read-only"},
        {"file replaced by a folder",
         [](const fs::path& f) {
             fs::remove(f);
             fs::create_directory(f);
         },
         "Is a directory"},
        {"folder removed", [](const fs::path& f) { fs::remove_all(f.parent_path()); },
         "No such file or directory"},
        {"file became a link to itself",
         [](const fs::path& f) {
             fs::remove(f);
             fs::create_symlink(f.filename(), f);
         },
         "Too many levels of symbolic links"},
    };
    for (const Row& row : rows) {
        test::TempDir rowDir;
        list.folder = rowDir.path().string();
        const fs::path rowFile = rowDir.path() / kEntry;
        test::WriteBytes(rowFile, gameFile());
        messages.record(table.LoadSelectedFile(list));
        editFrom(0);
        row.breakIt(rowFile);
        const bool wasFile = fs::is_regular_file(fs::symlink_status(rowFile));
        messages.clear();

        EXPECT_FALSE(messages.record(table.SaveColorSlots(list))) << row.name;
        expectOneFailureMessage(row.reason, row.name);
        if (wasFile) {
            EXPECT_EQ(test::ReadBytes(rowFile), gameFile()) << row.name;
        }
        if (fs::exists(rowDir.path())) {
            EXPECT_EQ(entriesIn(rowDir.path()), 1u) << row.name;
        }
    }
}

TEST_F(SaveFaultTest, ReadOnlyFolderForAnOrdinaryUser) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders; the injected case covers it";
    }
    editFrom(0);
    ::chmod(dir.path().c_str(), 0555);
    const bool saved = messages.record(table.SaveColorSlots(list));
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_FALSE(saved);
    expectOneFailureMessage("Permission denied", "read-only folder");
    EXPECT_EQ(test::ReadBytes(file()), gameFile());
}

// Written anew, it would hold the 24 colours and nothing else of what the game kept.
TEST_F(SaveFaultTest, FileDeletedAfterLoadIsNotCreatedAnew) {
    editFrom(0);
    fs::remove(file());
    EXPECT_FALSE(messages.record(table.SaveColorSlots(list)));
    expectOneFailureMessage("The file is gone", "deleted");
    EXPECT_FALSE(fs::exists(file()));
}

TEST_F(SaveFaultTest, ChangesOfAnotherProgramBetweenLoadAndSaveSurvive) {
    editFrom(12);
    std::string changed = gameFile();
    changed.replace(changed.find("Version=3"), 9, "Version=4\nPatched=yes");
    changed.replace(changed.find("OptionName=Option 20"), 20, "OptionName=Renamed");
    changed.replace(changed.find("[Other]"), 7, "[Others]");
    test::WriteBytes(file(), changed);

    EXPECT_TRUE(messages.record(table.SaveColorSlots(list)));
    const std::string after = test::ReadBytes(file());
    std::string expected = changed;
    std::size_t at = 0;
    for (int slot = 0; slot < 24; ++slot) {
        at = expected.find("OptionValue=0.5,0.5,0.5", at) + 12;
        if (slot >= 12) {
            expected.replace(at, 11, "1.000000,0.000000,0.000000");
        }
    }
    EXPECT_EQ(after, expected);
}

// Saves killed between naming and renaming leave their temporary files; the next
// save removes those, in the form older versions named them too, and only those: a
// user's ".player3_options.ini.backup" and the live temporary file of another save
// once went with them.
TEST_F(SaveFaultTest, TemporaryFilesOfKilledSavesAreRemovedByTheNextSave) {
    const std::vector<std::string> left{SystemFileSystem::TemporaryName(),
                                        SystemFileSystem::TemporaryName(),
                                        ".player3_options.ini.orvexcolors-Ab12Cd34.tmp"};
    const std::vector<std::string> notOurs{".player3_options.ini.backup",
                                           ".player3_options.ini.Ab12Cd",
                                           ".orvex-Ab12Cd.ini",
                                           ".orvex-Ab12C.tmp",
                                           ".player4_options.ini.orvexcolors-Ab12Cd34.tmp",
                                           "notes.txt"};
    const std::string live = SystemFileSystem::TemporaryName();
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(2);
    for (const auto& name : left) {
        test::WriteBytes(dir.path() / name, "half a file");
        fs::last_write_time(dir.path() / name, longAgo);
    }
    for (const auto& name : notOurs) {
        test::WriteBytes(dir.path() / name, "not ours");
        fs::last_write_time(dir.path() / name, longAgo);
    }
    test::WriteBytes(dir.path() / live, "not ours");
    editFrom(23);
    ASSERT_TRUE(messages.record(table.SaveColorSlots(list)));
    for (const auto& name : left) {
        EXPECT_FALSE(fs::exists(dir.path() / name)) << name;
    }
    for (const auto& name : notOurs) {
        EXPECT_EQ(test::ReadBytes(dir.path() / name), "not ours") << name;
    }
    EXPECT_EQ(test::ReadBytes(dir.path() / live), "not ours") << "a live save's file went";
}

}  // namespace
}  // namespace orvex
