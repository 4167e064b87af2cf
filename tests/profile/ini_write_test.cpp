#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>

#include "failing_file_system.h"
#include "ini_line_model.h"
#include "profile/profile.h"
#include "test_support.h"

namespace orvex {
namespace {

using Step = test::FailingFileSystem::Step;

namespace fs = std::filesystem;

// One write as the single-key service takes it; a null value deletes the key.
Status writeOne(const char* section, const char* key, const char* value, const std::string& file,
                FileSystem& files) {
    return WriteINIValues(file, {IniEditOf(section, key, value)}, {}, files);
}

Status writeOne(const char* section, const char* key, const char* value, const std::string& file) {
    SystemFileSystem files;
    return writeOne(section, key, value, file, files);
}

struct EditRow {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;  // null deletes
    std::string after;
};

void expectEdits(const EditRow* rows, std::size_t count) {
    test::TempDir dir;
    const std::string file = dir.file("edit.ini");
    for (std::size_t i = 0; i < count; ++i) {
        const EditRow& row = rows[i];
        test::WriteBytes(file, row.before);
        const Status status = writeOne(row.section, row.key, row.value, file);
        EXPECT_TRUE(status.ok) << row.name << ": " << status.reason;
        EXPECT_EQ(test::ReadBytes(file), row.after) << row.name;
    }
}

TEST(WriteINIValues, ReplacesOnlyTheBytesOfTheValue) {
    const EditRow rows[] = {
        {"plain CRLF", "[s]\r\nk=old\r\nz=1\r\n", "s", "k", "new", "[s]\r\nk=new\r\nz=1\r\n"},
        {"spacing around '=' kept", "[s]\r\n  k  =   old   \r\n", "s", "k", "new",
         "[s]\r\n  k  =   new   \r\n"},
        {"tab spacing kept", "[s]\n\tk\t=\told\t\n", "s", "k", "x", "[s]\n\tk\t=\tx\t\n"},
        {"quotes replaced with the value", "[s]\r\nk=\"old\"\r\n", "s", "k", "new",
         "[s]\r\nk=new\r\n"},
        {"empty value filled in place", "[s]\r\nk=\r\n", "s", "k", "v", "[s]\r\nk=v\r\n"},
        {"empty value with trailing blanks", "[s]\r\nk=   \r\n", "s", "k", "v",
         "[s]\r\nk=v   \r\n"},
        {"line without '=' gets one", "[s]\r\nk\r\n", "s", "k", "v", "[s]\r\nk=v\r\n"},
        {"CR-only file", "[s]\rk=old\rz=1", "s", "k", "new", "[s]\rk=new\rz=1"},
        {"LF file without final newline", "[s]\nk=old", "s", "k", "new", "[s]\nk=new"},
        {"names matched ignoring case", "[Sec]\r\nKey=old\r\n", "SEC", "KEY", "new",
         "[Sec]\r\nKey=new\r\n"},
        {"first duplicate key written", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "3",
         "[s]\r\nk=3\r\nk=2\r\n"},
        {"first duplicate section written", "[s]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "k", "3",
         "[s]\r\nk=3\r\n[S]\r\nk=2\r\n"},
        {"value with a NUL replaced whole", std::string("[s]\r\nk=ab\0cd\r\n", 14), "s", "k", "x",
         "[s]\r\nk=x\r\n"},
        {"byte order mark kept", "\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", "k", "2",
         "\xEF\xBB\xBF[s]\r\nk=2\r\n"},
        {"comments and blank lines kept", "; top\r\n\r\n[s]\r\n; c\r\nk = 1 ; x\r\n\r\n", "s", "k",
         "2", "; top\r\n\r\n[s]\r\n; c\r\nk = 2\r\n\r\n"},
    };
    expectEdits(rows, std::size(rows));
}

TEST(WriteINIValues, AddsKeysAndSectionsWithTheFileOwnLineEnding) {
    const EditRow rows[] = {
        {"new key after the last line of its section, blank lines stay",
         "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "a", "k", "v",
         "[a]\r\nx=1\r\nk=v\r\n\r\n[b]\r\ny=2\r\n"},
        {"new key after trailing comments", "[a]\nx=1\n; c\n[b]\n", "a", "k", "v",
         "[a]\nx=1\n; c\nk=v\n[b]\n"},
        {"new key in the first of two equal sections", "[a]\rx=1\r[A]\ry=2\r", "A", "k", "v",
         "[a]\rx=1\rk=v\r[A]\ry=2\r"},
        {"new key at the end without final newline", "[a]\r\nx=1", "a", "k", "v",
         "[a]\r\nx=1\r\nk=v"},
        {"new key in a section that is only a header", "[a]\n[b]\n", "a", "k", "v",
         "[a]\nk=v\n[b]\n"},
        {"new section at the end", "[a]\nx=1\n", "b", "k", "v", "[a]\nx=1\n[b]\nk=v\n"},
        {"new section after blank lines", "[a]\r\nx=1\r\n\r\n", "b", "k", "v",
         "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n"},
        {"new section without final newline", "[a]\rx=1", "b", "k", "v", "[a]\rx=1\r[b]\rk=v"},
        {"new section in a file without line endings", "; only", "b", "k", "v",
         "; only\r\n[b]\r\nk=v"},
        {"empty file gets CRLF", "", "s", "k", "v", "[s]\r\nk=v\r\n"},
        {"byte order mark only", "\xEF\xBB\xBF", "s", "k", "v", "\xEF\xBB\xBF[s]\r\nk=v\r\n"},
        {"caller's names trimmed", "[s]\r\n", "  s ", " k\t", "v", "[s]\r\nk=v\r\n"},
        {"empty section name means the lines before the first header", "; top\r\n[a]\r\n", "", "k",
         "v", "; top\r\nk=v\r\n[a]\r\n"},
    };
    expectEdits(rows, std::size(rows));
}

TEST(WriteINIValues, DeletesTheWholeLineOfTheFirstMatch) {
    const EditRow rows[] = {
        {"line and its ending removed", "[s]\r\na=1\r\nk=2\r\nb=3\r\n", "s", "k", nullptr,
         "[s]\r\na=1\r\nb=3\r\n"},
        {"blank line after it stays", "[s]\r\nk=2\r\n\r\n[t]\r\n", "s", "k", nullptr,
         "[s]\r\n\r\n[t]\r\n"},
        {"first duplicate only", "[s]\nk=1\nk=2\n", "s", "k", nullptr, "[s]\nk=2\n"},
        {"last line without ending", "[s]\r\na=1\r\nk=2", "s", "k", nullptr, "[s]\r\na=1"},
        {"line without '='", "[s]\r\nk\r\n", "s", "k", nullptr, "[s]\r\n"},
        {"missing key changes nothing", "[s]\r\na=1", "s", "k", nullptr, "[s]\r\na=1"},
        {"missing section changes nothing", "[s]\r\nk=1\r\n", "t", "k", nullptr, "[s]\r\nk=1\r\n"},
        {"key in a later duplicate section is not found", "[s]\r\n[S]\r\nk=1\r\n", "s", "k",
         nullptr, "[s]\r\n[S]\r\nk=1\r\n"},
    };
    expectEdits(rows, std::size(rows));
}

TEST(WriteINIValues, KeepsEveryOtherByteOfARealFile) {
    struct Row {
        const char* name;
        const char* fixture;
        const char* section;
        const char* key;
        const char* oldText;  // the value's bytes as they stand in the file
        const char* newText;
    };
    const Row rows[] = {
        {"plain", "player1_options.ini", "VECTOR3-000", "OptionValue", "1,1,1", "0.2,0.3,0.4"},
        {"odd spacing", "player1_options.ini", "VECTOR3-001", "OptionValue", "0.5,0.25,1", "0,0,0"},
        {"quoted", "player1_options.ini", "VECTOR3-002", "OptionValue", "\"0.1,0.2,0.3\"", "1,0,0"},
        {"CR-only line", "mixed_endings.ini", "A", "k1", "one", "uno"},
        {"CRLF line", "mixed_endings.ini", "A", "k2", "two", "dos"},
        {"last line without ending", "mixed_endings.ini", "B", "k3", "three", "tres"},
    };
    test::TempDir dir;
    for (const Row& row : rows) {
        const std::string before = test::ReadBytes(test::DataDir() / "ini" / row.fixture);
        const std::string file = dir.file(row.fixture);
        test::WriteBytes(file, before);
        ASSERT_TRUE(writeOne(row.section, row.key, row.newText, file).ok) << row.name;
        std::string expected = before;
        const std::size_t header = expected.find(std::string("[") + row.section + "]");
        const std::size_t at = expected.find(row.oldText, expected.find(row.key, header));
        ASSERT_NE(at, std::string::npos) << row.name;
        expected.replace(at, std::strlen(row.oldText), row.newText);
        EXPECT_EQ(test::ReadBytes(file), expected) << row.name;
    }
}

TEST(WriteINIValues, UnchangedValueDoesNotTouchTheFile) {
    struct Row {
        const char* name;
        const char* content;
        const char* section;
        const char* key;
        const char* value;
    };
    const Row rows[] = {
        {"same value", "[s]\r\nk=v\r\n", "s", "k", "v"},
        {"same value, other case of names", "[S]\r\nK = v\r\n", "s", "k", "v"},
        {"value read without its quotes", "[s]\r\nk=\"v\"\r\n", "s", "k", "v"},
        {"delete of a missing key", "[s]\r\nk=v", "s", "x", nullptr},
    };
    test::TempDir dir;
    for (const Row& row : rows) {
        // A read-only file fails any real write, so success proves nothing was written.
        const std::string file = dir.file(std::string(row.name) + ".ini");
        test::WriteBytes(file, row.content);
        fs::permissions(file, fs::perms::owner_read);
        EXPECT_TRUE(writeOne(row.section, row.key, row.value, file).ok) << row.name;
        EXPECT_EQ(test::ReadBytes(file), row.content) << row.name;
    }
}

TEST(WriteINIValues, MissingFileIsCreatedButNotByADelete) {
    test::TempDir dir;
    const std::string file = dir.file("new.ini");
    EXPECT_TRUE(writeOne("s", "k", nullptr, file).ok);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(writeOne("s", "k", "v", file).ok);
    EXPECT_EQ(test::ReadBytes(file), "[s]\r\nk=v\r\n");
}

TEST(WriteINIValues, RefusesWritesThatWouldCorruptTheFile) {
    struct Row {
        const char* name;
        const char* section;
        const char* key;
        const char* value;
        const char* reasonPart;
    };
    const Row rows[] = {
        {"line break in the value", "s", "k", "a\r\nb=c", "line break"},
        {"CR in the value", "s", "k", "a\rb", "line break"},
        {"line break in the section", "s\n[t", "k", "v", "line break"},
        {"line break in the key", "s", "k\nx", "v", "cannot be stored"},
        {"equals sign in the key", "s", "k=y", "v", "cannot be stored"},
        {"key looks like a header", "s", "[t]", "v", "cannot be stored"},
        {"key looks like a comment", "s", ";k", "v", "cannot be stored"},
        {"empty key", "s", "  ", "v", "empty"},
        {"empty key of a deletion", "s", "", nullptr, "empty"},
    };
    test::TempDir dir;
    const std::string file = dir.file("safe.ini");
    const std::string content = "[s]\r\nk=1\r\n";
    for (const Row& row : rows) {
        test::WriteBytes(file, content);
        const Status status = writeOne(row.section, row.key, row.value, file);
        EXPECT_FALSE(status.ok) << row.name;
        EXPECT_NE(status.reason.find("Cannot write " + file + ": "), std::string::npos)
            << row.name << ": " << status.reason;
        EXPECT_NE(status.reason.find(row.reasonPart), std::string::npos)
            << row.name << ": " << status.reason;
        EXPECT_EQ(test::ReadBytes(file), content) << row.name;
    }
}

std::size_t entriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// The reason names the file, the operating system's message and the step that failed.
void expectReason(const std::string& reason, const std::string& file, const char* osMessage,
                  const char* step, const std::string& label) {
    EXPECT_EQ(reason.rfind("Cannot write " + file + ": ", 0), 0u) << label << ": " << reason;
    if (step != nullptr) {
        const std::string suffix = std::string(" (") + step + ")";
        EXPECT_TRUE(reason.size() > suffix.size() &&
                    reason.compare(reason.size() - suffix.size(), suffix.size(), suffix) == 0)
            << label << ": " << reason;
    }
#ifndef _WIN32  // Windows words its messages differently
    EXPECT_NE(reason.find(osMessage), std::string::npos) << label << ": " << reason;
#else
    (void)osMessage;
#endif
}

TEST(WriteINIValues, FailedWriteKeepsTheOldFileAndSaysWhy) {
    struct Row {
        const char* name;
        Step step;
        int error;
        const char* osMessage;
        const char* operation;
    };
    const Row rows[] = {
        {"temporary file cannot be made", Step::CreateTemporary, ENOSPC, "No space left on device",
         "creating a temporary file"},
        {"disk full while writing", Step::Write, ENOSPC, "No space left on device", "writing"},
        {"permissions cannot be set", Step::SetMode, EPERM, "Operation not permitted",
         "setting permissions"},
        {"flush fails", Step::Flush, EIO, "Input/output error", "flushing to disk"},
        {"rename fails", Step::Rename, EXDEV, "Invalid cross-device link", "replacing the file"},
    };
    test::TempDir dir;
    const std::string file = dir.file("player1_options.ini");
    const std::string content = "[s]\r\nk=old\r\n";
    for (const Row& row : rows) {
        test::WriteBytes(file, content);
        test::FailingFileSystem disk;
        disk.failFrom(row.step, row.error);
        const Status status = writeOne("s", "k", "new", file, disk);
        EXPECT_FALSE(status.ok) << row.name;
        expectReason(status.reason, file, row.osMessage, row.operation, row.name);
        EXPECT_EQ(test::ReadBytes(file), content) << row.name;
        EXPECT_EQ(entriesIn(dir.path()), 1u) << row.name << ": a temporary file was left behind";
    }
}

TEST(WriteINIValues, ReadOnlyFileIsRefusedEvenForRoot) {
    test::TempDir dir;
    const std::string file = dir.file("readonly.ini");
    test::WriteBytes(file, "[s]\r\nk=old\r\n");
    ::chmod(file.c_str(), 0444);
    const Status status = writeOne("s", "k", "new", file);
    EXPECT_FALSE(status.ok);
    expectReason(status.reason, file, "Permission denied", "the file is read-only", "read-only");
    EXPECT_EQ(test::ReadBytes(file), "[s]\r\nk=old\r\n");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(WriteINIValues, MissingFolderFailsAndCreatesNothing) {
    test::TempDir dir;
    const std::string file = (dir.path() / "nowhere" / "new.ini").string();
    const Status status = writeOne("s", "k", "v", file);
    EXPECT_FALSE(status.ok);
    expectReason(status.reason, file, "No such file or directory", nullptr, "missing folder");
    EXPECT_EQ(entriesIn(dir.path()), 0u);
}

TEST(WriteINIValues, ShortWritesStillWriteEverything) {
    test::TempDir dir;
    const std::string file = dir.file("short.ini");
    test::WriteBytes(file, "[s]\r\nk=old\r\n");
    test::FailingFileSystem disk;
    disk.limitWrites(3);
    ASSERT_TRUE(writeOne("s", "k", "a longer new value", file, disk).ok);
    EXPECT_EQ(test::ReadBytes(file), "[s]\r\nk=a longer new value\r\n");
}

// A file another program rewrites in place can be caught empty or half written; a
// write guarded by what the caller read leaves such a file as it is. An empty file
// was once filled with the written sections alone.
TEST(WriteINIValues, GuardedWriteLeavesAFileCaughtBeingRewrittenAlone) {
    struct Row {
        const char* name;
        const char* content;  // null: no file
        Status::Kind kind;
        const char* reason;
    };
    const Row rows[] = {
        {"empty file", "", Status::Kind::Unrecognised, ""},
        {"none of the sections", "[General]\r\nVersion=3\r\n", Status::Kind::Unrecognised, ""},
        {"a key gone", "[a]\r\nk=1\r\n", Status::Kind::Changed, "[b] k"},
        {"file gone", nullptr, Status::Kind::Vanished, "No such file or directory"},
        {"all there", "[b]\r\nk=2\r\n[a]\r\nk=1\r\n", Status::Kind::None, ""},
    };
    const IniGuard guard{{{"a", "k"}, {"b", "k"}}, {"a", "b"}};
    test::TempDir dir;
    SystemFileSystem files;
    for (const Row& row : rows) {
        const std::string file = dir.file(std::string(row.name) + ".ini");
        if (row.content != nullptr) {
            test::WriteBytes(file, row.content);
        }
        const Status status = WriteINIValues(file, {{"a", "k", "9"}}, guard, files);
        EXPECT_EQ(status.kind, row.kind) << row.name;
        EXPECT_NE(status.reason.find(row.reason), std::string::npos) << row.name;
        if (row.kind == Status::Kind::None) {
            EXPECT_EQ(test::ReadBytes(file), "[b]\r\nk=2\r\n[a]\r\nk=9\r\n");
        } else if (row.content != nullptr) {
            EXPECT_EQ(test::ReadBytes(file), row.content) << row.name;
        } else {
            EXPECT_FALSE(fs::exists(file)) << row.name;
        }
    }
}

}  // namespace
}  // namespace orvex
