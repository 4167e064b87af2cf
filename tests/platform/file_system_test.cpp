#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/system_file_system.h"
#ifndef _WIN32
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <iterator>
#include <new>
#include <string>

#include "failing_file_system.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

TEST(ReadFile, TellsMissingFromUnreadable) {
    struct Row {
        const char* name;
        std::string path;
        FileRead::Kind status;
    };
    test::TempDir dir;
    test::WriteBytes(dir.path() / "file.ini", "x");
    fs::create_directory(dir.path() / "folder");
#ifndef _WIN32
    ::mkfifo(dir.file("fifo.ini").c_str(), 0644);
#endif
    const Row rows[] = {
#ifndef _WIN32
        {"a FIFO is refused, not waited on", dir.file("fifo.ini"), FileRead::Kind::Failed},
#endif
        {"missing file", dir.file("missing.ini"), FileRead::Kind::NotFound},
        {"missing folder", dir.file("nowhere/x.ini"), FileRead::Kind::NotFound},
        {"a file used as a folder", dir.file("file.ini/x.ini"), FileRead::Kind::NotFound},
        {"empty path", "", FileRead::Kind::NotFound},
        {"a folder", dir.file("folder"), FileRead::Kind::Failed},
        {"a file", dir.file("file.ini"), FileRead::Kind::Ok},
    };
    for (const Row& row : rows) {
        const FileRead read = SystemFileSystem().readFile(row.path, kLargestIniFile);
        EXPECT_EQ(read.kind, row.status) << row.name;
        EXPECT_EQ(read.reason.empty(), row.status != FileRead::Kind::Failed) << row.name;
    }
}

TEST(ReadFile, ReadsEveryByte) {
    test::TempDir dir;
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7);
    }
    test::WriteBytes(dir.path() / "big.bin", bytes);
    EXPECT_EQ(SystemFileSystem().readFile(dir.file("big.bin"), kLargestIniFile).bytes, bytes);
}

// Memory running out in the middle of a read or a write once ended the program.
class OutOfMemory : public SystemFileSystem {
  protected:
    Error readSome(Handle, char*, std::size_t, std::size_t&) override { throw std::bad_alloc(); }
    Error writeSome(Handle, const char*, std::size_t, std::size_t&) override {
        throw std::bad_alloc();
    }
};

TEST(FileSystem, RunningOutOfMemoryIsReportedAndLeavesTheFile) {
    test::TempDir dir;
    const std::string file = dir.file("player1_options.ini");
    test::WriteBytes(file, "old");
    OutOfMemory disk;
    const FileRead read = disk.readFile(file, kLargestIniFile);
    EXPECT_EQ(read.kind, FileRead::Kind::Failed);
    EXPECT_NE(read.reason.find("not enough memory"), std::string::npos) << read.reason;
    const Status written = disk.replaceFile(file, "new");
    EXPECT_FALSE(written.ok);
    EXPECT_NE(written.reason.find("not enough memory"), std::string::npos) << written.reason;
    EXPECT_EQ(test::ReadBytes(file), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
        << "a temporary file was left";
}

#ifndef _WIN32  // POSIX modes, owners and symlinks

mode_t modeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

TEST(ReplaceFile, KeepsPermissionBits) {
    const mode_t modes[] = {0640, 0600, 0666, 0755, 0200};
    test::TempDir dir;
    for (const mode_t mode : modes) {
        const std::string file = dir.file("mode" + std::to_string(mode) + ".ini");
        test::WriteBytes(file, "old");
        ::chmod(file.c_str(), mode);
        ASSERT_TRUE(SystemFileSystem().replaceFile(file, "new").ok) << std::oct << mode;
        EXPECT_EQ(modeOf(file), mode) << std::oct << mode;
        EXPECT_EQ(test::ReadBytes(file), "new");
    }
}

TEST(ReplaceFile, KeepsTheOwnerWhenRunAsRoot) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a file to another user";
    }
    test::TempDir dir;
    const std::string file = dir.file("owned.ini");
    test::WriteBytes(file, "old");
    ASSERT_EQ(::chown(file.c_str(), 4321, 4322), 0);
    ASSERT_TRUE(SystemFileSystem().replaceFile(file, "new").ok);
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
}

TEST(ReplaceFile, NewFileGetsTheUsualMode) {
    test::TempDir dir;
    const mode_t mask = ::umask(022);
    const std::string file = dir.file("new.ini");
    ASSERT_TRUE(SystemFileSystem().replaceFile(file, "x").ok);
    ::umask(mask);
    EXPECT_EQ(modeOf(file), 0644u);
}

TEST(ReplaceFile, FollowsSymlinksToTheirTarget) {
    test::TempDir dir;
    fs::create_directory(dir.path() / "real");
    test::WriteBytes(dir.path() / "real" / "target.ini", "old");
    fs::create_symlink("real/target.ini", dir.path() / "link.ini");
    fs::create_symlink("link.ini", dir.path() / "chain.ini");
    ASSERT_TRUE(SystemFileSystem().replaceFile(dir.file("chain.ini"), "new").ok);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "chain.ini"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.ini"));
    EXPECT_EQ(test::ReadBytes(dir.path() / "real" / "target.ini"), "new");
}

TEST(ReplaceFile, DanglingLinkCreatesItsTarget) {
    test::TempDir dir;
    fs::create_symlink("nothere.ini", dir.path() / "dangle.ini");
    ASSERT_TRUE(SystemFileSystem().replaceFile(dir.file("dangle.ini"), "made").ok);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "dangle.ini"));
    EXPECT_EQ(test::ReadBytes(dir.path() / "nothere.ini"), "made");
}

TEST(ReplaceFile, RefusesWhatItMustNotReplace) {
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
        const Status result = SystemFileSystem().replaceFile(row.path, "new");
        EXPECT_FALSE(result.ok) << row.name;
        EXPECT_NE(result.reason.find(row.reasonPart), std::string::npos)
            << row.name << ": " << result.reason;
    }
    EXPECT_EQ(test::ReadBytes(dir.path() / "readonly.ini"), "old");
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder.ini"));
}

// Saves a second time, as another copy of the tool would, while its own named
// temporary file waits for the rename.
class InterruptedByAnotherSave : public SystemFileSystem {
  protected:
    Error renameOver(const std::string& from, const std::string& to) override {
        SystemFileSystem().replaceFile(to, "other tool");
        return SystemFileSystem::renameOver(from, to);
    }
};

TEST(ReplaceFile, TwoSavesInOneFolderKeepEachOthersTemporaries) {
    test::TempDir dir;
    const std::string file = dir.file("player5_options.ini");
    test::WriteBytes(file, "old");
    InterruptedByAnotherSave first;
    const Status saved = first.replaceFile(file, "first tool");
    EXPECT_TRUE(saved.ok) << saved.reason;
    EXPECT_EQ(test::ReadBytes(file), "first tool");
}

// Without /proc an unnamed temporary file cannot be named; the content was then
// written and flushed twice, once to the unnamed file and again to a named one.
TEST(ReplaceFile, WithoutProcTheContentIsWrittenAndFlushedOnce) {
    using Step = test::FailingFileSystem::Step;
    test::TempDir dir;
    const std::string file = dir.file("player2_options.ini");
    test::WriteBytes(file, "old");
    test::FailingFileSystem noProc;
    noProc.failFrom(Step::UnnamedLink, ENOENT);
    const Status saved = noProc.replaceFile(file, "new");
    ASSERT_TRUE(saved.ok) << saved.reason;
    EXPECT_EQ(test::ReadBytes(file), "new");
    EXPECT_EQ(noProc.calls(Step::Write), 1);
    EXPECT_EQ(noProc.calls(Step::Flush), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
        << "a temporary file was left";
}

// The temporary name once added 26 characters to the file's own: a file whose path
// or name was near the system's limit loaded but could not be saved.
TEST(ReplaceFile, TheTemporaryPathIsNoLongerThanTheFilesOwn) {
    const std::string names[] = {"player_options.ini",  // the shortest an options file has
                                 "player" + std::string(237, 'x') + "_options.ini",  // NAME_MAX
                                 "a.ini"};  // shorter than the temporary's: saved all the same
    for (const std::string& name : names) {
        test::TempDir dir;
        const std::string file = dir.file(name);
        test::FailingFileSystem disk;
        std::string temporary;  // the new file is not there yet: the folder holds only it
        disk.beforeEachStep([&](test::FailingFileSystem::Step step) {
            if (step == test::FailingFileSystem::Step::Rename) {
                temporary = fs::directory_iterator(dir.path())->path().string();
            }
        });
        const Status saved = disk.replaceFile(file, "new");
        ASSERT_TRUE(saved.ok) << name.size() << ": " << saved.reason;
        EXPECT_EQ(test::ReadBytes(file), "new");
        EXPECT_TRUE(!temporary.empty() && (temporary.size() <= file.size() || name == "a.ini"))
            << temporary;
    }
}

// A tmpfs of our own, so that it can be made read-only; root only.
class ScratchMount {
  public:
    ScratchMount() : m_path(m_dir.path() / "mnt") {
        fs::create_directory(m_path);
        m_mounted = ::mount("tmpfs", m_path.c_str(), "tmpfs", 0, "size=1m") == 0;
    }
    ~ScratchMount() {
        if (m_mounted) {
            ::umount2(m_path.c_str(), MNT_DETACH);
        }
    }
    bool mounted() const { return m_mounted; }
    bool makeReadOnly() {
        return ::mount(nullptr, m_path.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

  private:
    test::TempDir m_dir;
    fs::path m_path;
    bool m_mounted = false;
};

bool setImmutable(const std::string& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

// Both were once reported as "Permission denied (the file is read-only)".
TEST(ReplaceFile, ReportsTheReasonTheSystemGives) {
    struct Row {
        const char* name;
        bool (*breakIt)(ScratchMount& mount, const std::string& file);
        const char* reason;
    };
    const Row rows[] = {
        {"read-only mount", [](ScratchMount& m, const std::string&) { return m.makeReadOnly(); },
         "Read-only file system (the file cannot be written)"},
        {"immutable file",
         [](ScratchMount&, const std::string& f) { return setImmutable(f, true); },
         "Operation not permitted (the file cannot be written)"},
        {"no write bits, even for root",
         [](ScratchMount&, const std::string& f) { return ::chmod(f.c_str(), 0444) == 0; },
         "Permission denied (the file is read-only)"},
    };
    for (const Row& row : rows) {
        ScratchMount mount;
        if (!mount.mounted()) {
            GTEST_SKIP() << "mounting a tmpfs needs root";
        }
        const std::string file = mount.file("player1_options.ini");
        test::WriteBytes(file, "old");
        ASSERT_TRUE(row.breakIt(mount, file)) << row.name;
        const Status result = SystemFileSystem().replaceFile(file, "new");
        setImmutable(file, false);
        EXPECT_FALSE(result.ok) << row.name;
        EXPECT_NE(result.reason.find(row.reason), std::string::npos)
            << row.name << ": " << result.reason;
        EXPECT_EQ(test::ReadBytes(file), "old") << row.name;
    }
}

#endif

}  // namespace
}  // namespace orvex
