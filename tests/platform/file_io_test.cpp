#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <string>

#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

TEST(ReadFileBytes, TellsMissingFromUnreadable) {
    struct Row {
        const char* name;
        std::string path;
        FileReadResult::Status status;
    };
    test::TempDir dir;
    test::WriteBytes(dir.path() / "file.ini", "x");
    fs::create_directory(dir.path() / "folder");
#ifndef _WIN32
    ::mkfifo(dir.file("fifo.ini").c_str(), 0644);
#endif
    const Row rows[] = {
#ifndef _WIN32
        {"a FIFO is refused, not waited on", dir.file("fifo.ini"), FileReadResult::Status::Failed},
#endif
        {"missing file", dir.file("missing.ini"), FileReadResult::Status::NotFound},
        {"missing folder", dir.file("nowhere/x.ini"), FileReadResult::Status::NotFound},
        {"a file used as a folder", dir.file("file.ini/x.ini"), FileReadResult::Status::NotFound},
        {"empty path", "", FileReadResult::Status::NotFound},
        {"a folder", dir.file("folder"), FileReadResult::Status::Failed},
        {"a file", dir.file("file.ini"), FileReadResult::Status::Ok},
    };
    for (const Row& row : rows) {
        const FileReadResult read = ReadFileBytes(row.path);
        EXPECT_EQ(read.status, row.status) << row.name;
        EXPECT_EQ(read.reason.empty(), row.status != FileReadResult::Status::Failed) << row.name;
    }
}

TEST(ReadFileBytes, ReadsEveryByte) {
    test::TempDir dir;
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7);
    }
    test::WriteBytes(dir.path() / "big.bin", bytes);
    EXPECT_EQ(ReadFileBytes(dir.file("big.bin")).bytes, bytes);
}

#ifndef _WIN32  // POSIX modes, owners and symlinks

mode_t modeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

TEST(ReplaceFileBytes, KeepsPermissionBits) {
    const mode_t modes[] = {0640, 0600, 0666, 0755, 0200};
    test::TempDir dir;
    for (const mode_t mode : modes) {
        const std::string file = dir.file("mode" + std::to_string(mode) + ".ini");
        test::WriteBytes(file, "old");
        ::chmod(file.c_str(), mode);
        ASSERT_TRUE(ReplaceFileBytes(file, "new").ok) << std::oct << mode;
        EXPECT_EQ(modeOf(file), mode) << std::oct << mode;
        EXPECT_EQ(test::ReadBytes(file), "new");
    }
}

TEST(ReplaceFileBytes, KeepsTheOwnerWhenRunAsRoot) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a file to another user";
    }
    test::TempDir dir;
    const std::string file = dir.file("owned.ini");
    test::WriteBytes(file, "old");
    ASSERT_EQ(::chown(file.c_str(), 4321, 4322), 0);
    ASSERT_TRUE(ReplaceFileBytes(file, "new").ok);
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
}

TEST(ReplaceFileBytes, NewFileGetsTheUsualMode) {
    test::TempDir dir;
    const mode_t mask = ::umask(022);
    const std::string file = dir.file("new.ini");
    ASSERT_TRUE(ReplaceFileBytes(file, "x").ok);
    ::umask(mask);
    EXPECT_EQ(modeOf(file), 0644u);
}

TEST(ReplaceFileBytes, FollowsSymlinksToTheirTarget) {
    test::TempDir dir;
    fs::create_directory(dir.path() / "real");
    test::WriteBytes(dir.path() / "real" / "target.ini", "old");
    fs::create_symlink("real/target.ini", dir.path() / "link.ini");
    fs::create_symlink("link.ini", dir.path() / "chain.ini");
    ASSERT_TRUE(ReplaceFileBytes(dir.file("chain.ini"), "new").ok);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "chain.ini"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.ini"));
    EXPECT_EQ(test::ReadBytes(dir.path() / "real" / "target.ini"), "new");
}

TEST(ReplaceFileBytes, DanglingLinkCreatesItsTarget) {
    test::TempDir dir;
    fs::create_symlink("nothere.ini", dir.path() / "dangle.ini");
    ASSERT_TRUE(ReplaceFileBytes(dir.file("dangle.ini"), "made").ok);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "dangle.ini"));
    EXPECT_EQ(test::ReadBytes(dir.path() / "nothere.ini"), "made");
}

TEST(ReplaceFileBytes, RefusesWhatItMustNotReplace) {
    struct Row {
        const char* name;
        std::string path;
        const char* reasonPart;
    };
    test::TempDir dir;
    test::WriteBytes(dir.path() / "readonly.ini", "old");
    ::chmod(dir.file("readonly.ini").c_str(), 0444);
    fs::create_directory(dir.path() / "folder.ini");
    fs::create_symlink("loop.ini", dir.path() / "loop.ini");
    const Row rows[] = {
        {"read-only file", dir.file("readonly.ini"), "Permission denied (the file is read-only)"},
        {"a folder", dir.file("folder.ini"), "(not a regular file)"},
        {"a link to itself", dir.file("loop.ini"), "(following a link)"},
        {"missing folder", dir.file("nowhere/x.ini"), "No such file or directory"},
        {"empty path", "", "No such file or directory"},
    };
    for (const Row& row : rows) {
        const FileWriteResult result = ReplaceFileBytes(row.path, "new");
        EXPECT_FALSE(result.ok) << row.name;
        EXPECT_NE(result.reason.find(row.reasonPart), std::string::npos)
            << row.name << ": " << result.reason;
    }
    EXPECT_EQ(test::ReadBytes(dir.path() / "readonly.ini"), "old");
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder.ini"));
}

#endif

}  // namespace
}  // namespace orvex
