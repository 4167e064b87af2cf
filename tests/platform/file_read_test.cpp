// Whole-file reads: exactly the file, never more than the caller's limit, failures
// that say why; and host paths that exist as spelled (found with one look-up).
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <limits>
#include <string>

#include "failing_file_system.h"
#include "platform/host_path.h"
#include "platform/system_file_system.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr const char* kEioText = "";  // an errno means nothing to Windows
#else
constexpr const char* kEioText = "Input/output error";
#endif

std::string patterned(std::size_t size, int seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 + static_cast<std::size_t>(seed));
    }
    return bytes;
}

// Each read gives exactly that file, whatever was read before.
TEST(ReadFile, EachReadGivesExactlyThatFile) {
    struct Row {
        const char* name;
        std::string bytes;
    };
    const Row rows[] = {
        {"a first file", patterned(3000, 1)},
        {"a much longer one", patterned(300000, 2)},
        {"a shorter one after it", patterned(10, 3)},
        {"an empty one", ""},
        {"one of a read chunk's size", patterned(65536, 4)},
        {"one byte", "x"},
    };
    test::TempDir dir;
    for (const Row& row : rows) {
        test::WriteBytes(dir.path() / "file.ini", row.bytes);
        const FileRead read = SystemFileSystem().readFile(dir.file("file.ini"), kLargestIniFile);
        ASSERT_EQ(read.kind, FileRead::Kind::Ok) << row.name;
        EXPECT_EQ(read.bytes, row.bytes) << row.name;
        EXPECT_TRUE(read.reason.empty()) << row.name;
    }
}

TEST(ReadFile, FailuresGiveNoBytesAndSayWhy) {
    test::TempDir dir;
    fs::create_directory(dir.path() / "folder");
    test::WriteBytes(dir.path() / "eleven.ini", "eleven byte");
    SystemFileSystem system;
    test::FailingFileSystem failingRead;
    failingRead.failFrom(test::FailingFileSystem::Step::Read, EIO, 2);
    test::WriteBytes(dir.path() / "big.ini", patterned(200000, 5));
    struct Row {
        const char* name;
        FileSystem& fileSystem;
        std::string path;
        std::uint64_t largest;
        FileRead::Kind kind;
        const char* reasonPart;
    };
    const Row rows[] = {
        {"missing file", system, dir.file("missing.ini"), 100, FileRead::Kind::NotFound, ""},
        {"a folder", system, dir.file("folder"), 100, FileRead::Kind::Failed, ""},
        {"one byte over the limit", system, dir.file("eleven.ini"), 10, FileRead::Kind::Failed,
         "11 bytes long, more than the 10 bytes"},
        {"exactly the limit", system, dir.file("eleven.ini"), 11, FileRead::Kind::Ok, ""},
        {"the disk fails half-way", failingRead, dir.file("big.ini"), kLargestIniFile,
         FileRead::Kind::Failed, kEioText},
    };
    for (const Row& row : rows) {
        const FileRead read = row.fileSystem.readFile(row.path, row.largest);
        EXPECT_EQ(read.kind, row.kind) << row.name;
        EXPECT_EQ(read.reason.empty(), row.kind != FileRead::Kind::Failed) << row.name;
        EXPECT_NE(read.reason.find(row.reasonPart), std::string::npos) << read.reason;
        if (row.kind != FileRead::Kind::Ok) {
            EXPECT_TRUE(read.bytes.empty()) << row.name;
        }
    }
}

// A sparse file of 64 GiB once ended the program with an uncaught std::bad_alloc.
TEST(ReadFile, HugeSparseFileIsRefusedFromItsSize) {
    test::TempDir dir;
    const fs::path file = dir.path() / "huge.ini";
    test::WriteBytes(file, "");
    std::error_code error;
    fs::resize_file(file, std::uint64_t{64} << 30, error);
    if (error) {
        GTEST_SKIP() << "this file system holds no 64 GiB sparse file: " << error.message();
    }
    const FileRead read = SystemFileSystem().readFile(file.string(), kLargestIniFile);
    EXPECT_EQ(read.kind, FileRead::Kind::Failed);
    EXPECT_NE(read.reason.find("68719476736 bytes long, more than the 268435456 bytes"),
              std::string::npos)
        << read.reason;
}

#ifndef _WIN32

TEST(HostPath, PathSpelledExactlyIsTakenAsItIs) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "Out");
    test::WriteBytes(dir.path() / "Out" / "a.ini", "");
    // A twin differing in case only: the exact spelling must win over it.
    test::WriteBytes(dir.path() / "Out" / "A.INI", "");
    const std::string root = dir.path().string();
    struct Row {
        const char* name;
        std::string path;
        std::string expected;
    };
    const Row rows[] = {
        {"exact file beside a twin", root + "\\Out\\A.INI", root + "/Out/A.INI"},
        {"exact file, other twin", root + "\\Out\\a.ini", root + "/Out/a.ini"},
        {"exact folder keeps its final separator", root + "\\Out\\\\", root + "/Out/"},
        {"a '..' step", root + "\\Out\\..\\Out\\a.ini", root + "/Out/../Out/a.ini"},
        {"not exact: resolved ignoring case", root + "\\out\\a.ini", root + "/Out/a.ini"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(HostPath(row.path, ""), row.expected) << row.name;
    }
}

#endif

}  // namespace
}  // namespace orvex
