// Reading into storage kept between reads, as the INI reads do, and host paths that
// exist as spelled (found with one look-up).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/file_io.h"
#include "platform/host_path.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

std::string patterned(std::size_t size, int seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 + static_cast<std::size_t>(seed));
    }
    return bytes;
}

// One buffer read after read: each result is exactly that file, whatever the
// buffer held before.
TEST(ReadFileInto, EachReadGivesExactlyThatFile) {
    struct Row {
        const char* name;
        std::string bytes;
    };
    const Row rows[] = {
        {"a first file", patterned(3000, 1)},
        {"a much longer one grows the storage", patterned(300000, 2)},
        {"a shorter one after it", patterned(10, 3)},
        {"an empty one", ""},
        {"one exactly the storage's old size", patterned(300001, 4)},
        {"one byte", "x"},
    };
    test::TempDir dir;
    std::string buffer;
    for (const Row& row : rows) {
        test::WriteBytes(dir.path() / "file.ini", row.bytes);
        std::size_t length = 12345;
        std::string reason;
        const FileReadResult::Status status =
            ReadFileInto(dir.file("file.ini"), buffer, length, reason);
        ASSERT_EQ(status, FileReadResult::Status::Ok) << row.name;
        ASSERT_EQ(length, row.bytes.size()) << row.name;
        EXPECT_EQ(buffer.compare(0, length, row.bytes), 0) << row.name;
        EXPECT_TRUE(reason.empty()) << row.name;
    }
    EXPECT_GE(buffer.size(), 300001u) << "the storage is never shrunk";
}

TEST(ReadFileInto, FailuresLeaveNoLength) {
    test::TempDir dir;
    fs::create_directory(dir.path() / "folder");
    struct Row {
        const char* name;
        std::string path;
        FileReadResult::Status status;
    };
    const Row rows[] = {
        {"missing file", dir.file("missing.ini"), FileReadResult::Status::NotFound},
        {"empty path", "", FileReadResult::Status::NotFound},
        {"a folder", dir.file("folder"), FileReadResult::Status::Failed},
    };
    std::string buffer = "left over from an earlier read";
    for (const Row& row : rows) {
        std::size_t length = 99;
        std::string reason;
        EXPECT_EQ(ReadFileInto(row.path, buffer, length, reason), row.status) << row.name;
        EXPECT_EQ(length, 0u) << row.name;
        EXPECT_EQ(reason.empty(), row.status != FileReadResult::Status::Failed) << row.name;
    }
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
        EXPECT_EQ(HostPath(row.path), row.expected) << row.name;
    }
}

#endif

}  // namespace
}  // namespace orvex
