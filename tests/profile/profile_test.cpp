#include "profile/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/system_file_system.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

SystemFileSystem files;

std::string readINI(const std::string& file, const std::string& section, const std::string& key,
                    const std::optional<std::string>& defaultValue = std::nullopt) {
    return ReadINIEntry(file, section, key, defaultValue, files).value.text;
}

Status writeINI(const std::string& file, const std::string& section, const std::string& key,
                const std::string& value) {
    return WriteINIValues(file, {{section, key, value}}, {}, files);
}

TEST(ReadINIEntry, CompletesFileNamesWithoutAnyDot) {
    struct Row {
        const char* name;
        const char* folder;  // made inside the temporary folder
        const char* fileOnDisk;
        const char* fileAsked;  // relative to the temporary folder
    };
    const Row rows[] = {
        {"no dot anywhere gets .INI", "plain", "plain/options.INI", "plain/options"},
        {"a dot in the folder keeps the name as given", "v1.2", "v1.2/options", "v1.2/options"},
        {"an extension is kept", "ext", "ext/options.ini", "ext/options.ini"},
    };
    test::TempDir dir;
    for (const Row& row : rows) {
        fs::create_directory(dir.path() / row.folder);
        test::WriteBytes(dir.path() / row.fileOnDisk, "[s]\r\nk=found\r\n");
        const std::string asked = (dir.path() / row.fileAsked).string();
        EXPECT_EQ(readINI(asked, "s", "k", std::string("default")), "found") << row.name;
    }
}

TEST(ReadINIEntry, GivesTheValueOrTheDefault) {
    struct Row {
        const char* name;
        const char* key;
        std::optional<std::string> defaultValue;
        const char* expected;
        bool fromFile;
    };
    const Row rows[] = {
        {"value", "k", std::string("d"), "v", true},
        {"inner spaces unchanged", "words", std::nullopt, "a  b   c", true},
        {"missing key gives the default", "missing", std::string("d"), "d", false},
        {"missing key without default is empty", "missing", std::nullopt, "", false},
        {"empty value is not the default", "empty", std::string("d"), "", true},
        {"value quoted to keep its trailing spaces", "padded", std::nullopt, "x  ", true},
    };
    test::TempDir dir;
    const std::string file = dir.file("read.ini");
    test::WriteBytes(file, "[s]\r\nk=v\r\nwords = a  b   c \r\nempty=\r\npadded=\"x  \"\r\n");
    for (const Row& row : rows) {
        const IniEntry read = ReadINIEntry(file, "s", row.key, row.defaultValue, files).value;
        EXPECT_EQ(read.text, row.expected) << row.name;
        EXPECT_EQ(read.fromFile, row.fromFile) << row.name;
    }
}

TEST(ReadINIEntry, CutsLongValuesTo499Characters) {
    test::TempDir dir;
    const std::string file = dir.file("long.ini");
    std::string value;
    for (int i = 0; i < 600; ++i) {
        value += static_cast<char>('a' + i % 26);
    }
    test::WriteBytes(file, "[s]\r\nk=" + value + "\r\n");
    EXPECT_EQ(readINI(file, "s", "k"), value.substr(0, 499));
}

TEST(ReadINIEntry, EmptyKeyListsTheKeyNames) {
    using namespace std::string_literals;
    test::TempDir dir;
    const std::string file = dir.file("keys.ini");
    test::WriteBytes(file, "[s]\r\nOptionName=Say\r\nOptionValue=1,1,1\r\n");
    EXPECT_EQ(readINI(file, "s", ""), "OptionName\0OptionValue\0"s);
    EXPECT_EQ(readINI(file, "missing", "", std::string("d")), "d");
}

TEST(ReadINIEntry, KeyListIsCutAt500Characters) {
    test::TempDir dir;
    const std::string file = dir.file("many.ini");
    std::string content = "[s]\r\n";
    std::string allNames;
    for (int i = 0; i < 60; ++i) {
        const std::string name = "key_number_" + std::to_string(100 + i);  // 14 characters
        content += name + "=1\r\n";
        allNames += name + '\0';
    }
    test::WriteBytes(file, content);
    const std::string list = readINI(file, "s", "");
    ASSERT_EQ(list.size(), 498u) << "the service returns size - 2 when the list is cut";
    EXPECT_EQ(list, allNames.substr(0, 498)) << "the cut name keeps no NUL";
}

TEST(ReadINIEntry, MissingFileIsNoFailure) {
    test::TempDir dir;
    const Result<IniEntry> read =
        ReadINIEntry(dir.file("missing.ini"), "s", "k", std::string("d"), files);
    EXPECT_EQ(read.value.text, "d");
    EXPECT_TRUE(read.status.ok);
}

TEST(WriteINIValues, EmptyValueDeletesTheKey) {
    test::TempDir dir;
    const std::string file = dir.file("delete.ini");
    test::WriteBytes(file, "[s]\r\nk=v\r\nother=1\r\n");
    EXPECT_TRUE(writeINI(file, "s", "k", "").ok);
    EXPECT_EQ(readINI(file, "s", "k", std::string("gone")), "gone");
    EXPECT_EQ(test::ReadBytes(file), "[s]\r\nother=1\r\n");
}

TEST(WriteINIValues, CreatesAMissingFileWithSectionAndKey) {
    test::TempDir dir;
    const std::string file = dir.file("created");
    EXPECT_TRUE(writeINI(file, "VECTOR3-000", "OptionValue", "1,1,1").ok);
    EXPECT_EQ(test::ReadBytes(file + ".INI"), "[VECTOR3-000]\r\nOptionValue=1,1,1\r\n");
    EXPECT_EQ(readINI(file, "VECTOR3-000", "OptionValue"), "1,1,1");
}

TEST(WriteINIValues, RefusesNulCharacters) {
    using namespace std::string_literals;
    test::TempDir dir;
    const std::string file = dir.file("zero_bytes.ini");
    test::WriteBytes(file, "[s]\r\nk=v\r\n");
    const Status status = writeINI(file, "s", "k", "a\0b"s);
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.reason.find("NUL"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(file), "[s]\r\nk=v\r\n");
}

TEST(WriteINIValues, ReportsAFailedWrite) {
    test::TempDir dir;
    const std::string file = dir.file("nowhere/player1_options.ini");
    const Status status = writeINI(file, "s", "k", "v");
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.reason.rfind("Cannot write " + file + ": ", 0), 0u) << status.reason;
    EXPECT_FALSE(fs::exists(dir.path() / "nowhere"));
}

TEST(GetINISectionNames, FillsTheArrayInFileOrder) {
    struct Row {
        const char* name;
        const char* content;  // null: no file
        std::int16_t result;
        std::vector<std::string> names;
    };
    const Row rows[] = {
        {"three sections", "[A]\r\nk=1\r\n[B]\r\n[C]\r\n", 2, {"A", "B", "C"}},
        {"one section", "[Only]\r\n", 0, {"Only"}},
        {"duplicates kept", "[A]\r\n[a]\r\n", 1, {"A", "a"}},
        {"missing file", nullptr, -1, {"", ""}},
        {"no sections", "k=1\r\n; [A]\r\n", -1, {"", ""}},
        {"only an empty-named section", "[]\r\nk=1\r\n", -1, {"", ""}},
    };
    test::TempDir dir;
    for (const Row& row : rows) {
        const std::string file = dir.file(std::string(row.name) + ".ini");
        if (row.content != nullptr) {
            test::WriteBytes(file, row.content);
        }
        std::vector<std::string> names = {"stale", "stale", "stale", "stale"};
        EXPECT_EQ(GetINISectionNames(file, names, files), row.result) << row.name;
        EXPECT_EQ(names, row.names) << row.name;
    }
}

TEST(GetINISectionNames, DropsTheNameCutByTheListSize) {
    test::TempDir dir;
    const std::string file = dir.file("huge.ini");
    std::string content;
    std::vector<std::string> expected;
    for (int i = 0; i < 4000; ++i) {
        const std::string name = "Section" + std::to_string(10000 + i);  // 12 + NUL = 13
        content += "[" + name + "]\r\n";
        if ((i + 1) * 13 <= 32765) {
            expected.push_back(name);
        }
    }
    test::WriteBytes(file, content);
    std::vector<std::string> names;
    const std::int16_t last = GetINISectionNames(file, names, files);
    ASSERT_EQ(names.size(), expected.size());
    EXPECT_EQ(last, static_cast<std::int16_t>(expected.size() - 1));
    EXPECT_EQ(names, expected);
}

}  // namespace
}  // namespace orvex
