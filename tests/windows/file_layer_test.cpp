// The Win32 file layer for real (under Wine in CI): replace through a temporary
// file and MoveFileExA, and the failures a player's machine can show.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/system_file_system.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

HANDLE openShared(const std::string& path, DWORD share) {
    return CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(Win32FileLayer, ReplacesAgainAndAgainLeavingNoTemporaryFile) {
    test::TempDir dir;
    const std::string file = dir.file("player1_options.ini");
    for (int round = 0; round < 5; ++round) {
        const std::string bytes = "[s]\r\nround=" + std::to_string(round) + "\r\n";
        ASSERT_TRUE(SystemFileSystem().replaceFile(file, bytes).ok) << round;
        EXPECT_EQ(test::ReadBytes(file), bytes) << round;
    }
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"player1_options.ini"});
}

TEST(Win32FileLayer, HiddenAttributeStaysOnTheNewContent) {
    test::TempDir dir;
    const std::string file = dir.file("hidden.ini");
    test::WriteBytes(file, "old");
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(SystemFileSystem().replaceFile(file, "new").ok);
    EXPECT_NE(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(test::ReadBytes(file), "new");
}

// The temporary name once added 26 characters to the file's own, so a file whose
// path was 234 to 259 characters long (Windows' limit) loaded but was not saved.
TEST(Win32FileLayer, AFileWhosePathIsAtTheLimitIsSaved) {
    test::TempDir dir;
    const std::string name = "player1_options.ini";
    const std::size_t folderLength = 259 - 1 - name.size();
    const fs::path folder =
        dir.path() / std::string(folderLength - dir.path().string().size() - 1, 'f');
    fs::create_directory(folder);
    const std::string file = (folder / name).string();
    ASSERT_EQ(file.size(), 259u);
    test::WriteBytes(file, "old");
    ASSERT_EQ(SystemFileSystem().readFile(file, kLargestIniFile).bytes, "old");
    const Status saved = SystemFileSystem().replaceFile(file, "new");
    EXPECT_TRUE(saved.ok) << saved.reason;
    EXPECT_EQ(test::ReadBytes(file), "new");
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{name});
}

TEST(Win32FileLayer, FailedReplaceSaysWhyAndLeavesEverythingAsItWas) {
    enum class Setup { ReadOnly, None, Folder, HeldExclusively, HeldSharingAll };
    struct Row {
        const char* name;
        Setup setup;
        const char* target;  // inside the test folder, which holds "x.ini" = "old"
        const char* reasonPart;
        std::vector<std::string> namesAfter;
    };
    const Row rows[] = {
        {"read-only file", Setup::ReadOnly, "x.ini", "read-only", {"x.ini"}},
        {"missing folder", Setup::None, "nowhere\\x.ini", "not found", {"x.ini"}},
        {"a folder in the file's place",
         Setup::Folder,
         "folder.ini",
         "replacing",
         {"folder.ini", "x.ini"}},
        // Windows replaces no file that is open, whatever its sharing: the game
        // holding it makes the save fail, never half-write it.
        {"file held open without delete sharing",
         Setup::HeldExclusively,
         "x.ini",
         "replacing",
         {"x.ini"}},
        {"file held open sharing everything",
         Setup::HeldSharingAll,
         "x.ini",
         "replacing",
         {"x.ini"}},
    };
    for (const Row& row : rows) {
        test::TempDir dir;
        const std::string old = dir.file("x.ini");
        test::WriteBytes(old, "old");
        HANDLE holder = INVALID_HANDLE_VALUE;
        if (row.setup == Setup::ReadOnly) {
            SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_READONLY);
        } else if (row.setup == Setup::Folder) {
            fs::create_directory(dir.path() / "folder.ini");
        } else if (row.setup == Setup::HeldExclusively) {
            holder = openShared(old, FILE_SHARE_READ | FILE_SHARE_WRITE);
        } else if (row.setup == Setup::HeldSharingAll) {
            holder = openShared(old, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        }
        const Status written = SystemFileSystem().replaceFile(dir.file(row.target), "new");
        if (holder != INVALID_HANDLE_VALUE) {
            CloseHandle(holder);
        }
        SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_FALSE(written.ok) << row.name;
        EXPECT_NE(written.reason.find(row.reasonPart), std::string::npos)
            << row.name << ": " << written.reason;
        EXPECT_EQ(test::ReadBytes(old), "old") << row.name;
        EXPECT_EQ(namesIn(dir.path()), row.namesAfter) << row.name << ": no temporary file left";
    }
}

}  // namespace
}  // namespace orvex
