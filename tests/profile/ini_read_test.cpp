#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/ini_engine.h"
#include "test_support.h"

namespace orvex {
namespace {

std::string copyFixture(const test::TempDir& dir, const std::string& name) {
    const std::string path = dir.file(name);
    test::WriteBytes(path, test::ReadBytes(test::DataDir() / "ini" / name));
    return path;
}

std::string readValue(const std::string& file, const char* section, const char* key,
                      const char* defaultValue = nullptr, std::size_t size = 256) {
    std::vector<char> buffer(size + 1, '#');
    const std::size_t length =
        ProfileGetString(section, key, defaultValue, buffer.data(), size, file);
    EXPECT_EQ(length, std::string(buffer.data()).size()) << section << "/" << key;
    return buffer.data();
}

// The first `shown` bytes of the buffer after a list read; '#' marks bytes not written.
struct ListRead {
    std::string bytes;
    std::size_t length;
};

ListRead readList(const std::string& file, const char* section, std::size_t size, std::size_t shown,
                  const char* defaultValue = nullptr) {
    std::vector<char> buffer(std::max(size, shown), '#');
    const std::size_t length =
        ProfileGetString(section, nullptr, defaultValue, buffer.data(), size, file);
    return {std::string(buffer.data(), shown), length};
}

TEST(ProfileGetString, ReadsTheDialectOfTheWindowsService) {
    struct Row {
        const char* name;
        const char* section;
        const char* key;
        const char* expected;
    };
    const Row rows[] = {
        {"plain value", "General", "plain", "value"},
        {"names ignore case", "GENERAL", "PLAIN", "value"},
        {"caller's names are trimmed", "  General ", "\tplain  ", "value"},
        {"spaces and tabs around names and values trimmed", "General", "spaced",
         "value with spaces"},
        {"split at the first equals sign", "General", "equation", "a=b"},
        {"double quotes removed", "General", "dq", "quoted"},
        {"single quotes removed", "General", "sq", "single"},
        {"inner spaces of a quoted value kept", "General", "inner", " inner "},
        {"unbalanced quote kept", "General", "unbalanced", "\"open"},
        {"mixed quotes kept", "General", "mixed", "\"mixed'"},
        {"a lone quote kept", "General", "lone", "\""},
        {"no inline comments", "General", "inline", "val ; inline"},
        {"hash starts an ordinary key", "General", "#hash", "2"},
        {"comment line found by its full name", "General", ";comment", "1"},
        {"empty value is not the default", "General", "empty", ""},
        {"line without equals gives the default", "General", "noequals", "DEF"},
        {"bracket without close is a key line", "General", "[noclose", "DEF"},
        {"first duplicate key wins", "General", "dup", "first"},
        {"header name trimmed, junk after the bracket ignored", "spaced section", "key",
         "in spaced section"},
        {"header name runs to the last bracket", "a]b", "key", "in a]b"},
        {"key only in a duplicate section is invisible", "General", "onlyindup", "DEF"},
        {"lines before the first header", "", "before", "first section"},
        {"later empty-named section not searched", "", "late", "DEF"},
        {"last line without a line ending", "Last", "final", "end"},
        {"missing section gives the default", "Nowhere", "plain", "DEF"},
        {"missing key gives the default", "General", "nowhere", "DEF"},
    };
    test::TempDir dir;
    const std::string file = copyFixture(dir, "reading_rules.ini");
    for (const Row& row : rows) {
        EXPECT_EQ(readValue(file, row.section, row.key, "DEF"), row.expected) << row.name;
    }
}

TEST(ProfileGetString, LineEndingsOfEveryKindEndALine) {
    struct Row {
        const char* name;
        const char* content;
    };
    const Row rows[] = {
        {"CRLF", "[s]\r\na=1\r\nb=2\r\n"},
        {"LF", "[s]\na=1\nb=2\n"},
        {"CR only", "[s]\ra=1\rb=2\r"},
        {"mixed", "[s]\ra=1\nb=2\r\n"},
        {"blank lines between", "[s]\r\n\r\n\n\ra=1\r\n\r\nb=2"},
        {"no final line ending", "[s]\r\na=1\r\nb=2"},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF[s]\r\na=1\r\nb=2\r\n"},
        {"form feed and ^Z are white space", "\f[s]\x1a\r\n\x1a a = 1\f\r\nb=2\x1a"},
    };
    test::TempDir dir;
    const std::string file = dir.file("endings.ini");
    for (const Row& row : rows) {
        test::WriteBytes(file, row.content);
        EXPECT_EQ(readValue(file, "s", "a"), "1") << row.name;
        EXPECT_EQ(readValue(file, "s", "b"), "2") << row.name;
    }
}

TEST(ProfileGetString, NulCutsNamesAndValues) {
    test::TempDir dir;
    const std::string file = dir.file("zero_bytes.ini");
    test::WriteBytes(file, std::string("[s]\r\nk=ab\0cd\r\nn\0ul=2\r\n\0[t]\r\nafter=3\r\n", 36));
    EXPECT_EQ(readValue(file, "s", "k"), "ab");
    EXPECT_EQ(readValue(file, "s", "n"), "2");
    EXPECT_EQ(readValue(file, "s", "after"), "3") << "a NUL before '[' is no header";
}

TEST(ProfileGetString, CutsAValueToTheBuffer) {
    struct Row {
        const char* name;
        const char* value;
        std::size_t size;
        const char* expected;
    };
    const Row rows[] = {
        {"long value cut to size - 1", "0123456789abcdef", 10, "012345678"},
        {"exact fit", "012345678", 10, "012345678"},
        {"size one gives the empty text", "abc", 1, ""},
        {"cut quoted value keeps its opening quote stripped", "\"quoted\"", 4, "quo"},
        {"quoted value one short loses the last letter", "\"quoted\"", 7, "quote"},
        {"quoted value that fits", "\"quoted\"", 8, "quoted"},
    };
    test::TempDir dir;
    const std::string file = dir.file("cut.ini");
    for (const Row& row : rows) {
        test::WriteBytes(file, std::string("[s]\r\nk=") + row.value + "\r\n");
        EXPECT_EQ(readValue(file, "s", "k", nullptr, row.size), row.expected) << row.name;
    }
}

TEST(ProfileGetString, SizeZeroLeavesTheBufferAlone) {
    test::TempDir dir;
    const std::string file = dir.file("zero.ini");
    test::WriteBytes(file, "[s]\r\nk=v\r\n");
    char buffer[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(ProfileGetString("s", "k", "d", buffer, 0, file), 0u);
    EXPECT_EQ(ProfileGetString(nullptr, nullptr, "d", buffer, 0, file), 0u);
    EXPECT_EQ(std::string(buffer, 4), "####");
}

TEST(ProfileGetString, PreparesTheDefaultLikeTheService) {
    struct Row {
        const char* name;
        const char* defaultValue;
        const char* expected;
    };
    const Row rows[] = {
        {"null default is empty", nullptr, ""},
        {"trailing spaces dropped", "dflt   ", "dflt"},
        {"leading spaces kept", "   dflt", "   dflt"},
        {"quotes removed", "\"quoted\"", "quoted"},
        {"tabs are not spaces here", "dflt\t", "dflt\t"},
    };
    test::TempDir dir;
    const std::string missing = dir.file("missing.ini");
    for (const Row& row : rows) {
        EXPECT_EQ(readValue(missing, "s", "k", row.defaultValue), row.expected) << row.name;
    }
}

const char kSections[] = "[Sec A]\r\nk=1\r\n[sec a]\r\n[Sec B]\r\n[]\r\n[a]b]\r\n";

TEST(ProfileGetString, ListsSectionNamesWithTheServiceBufferRules) {
    using namespace std::string_literals;
    struct Row {
        const char* name;
        std::size_t size;
        std::size_t shown;
        std::string expected;
        std::size_t length;
    };
    const Row rows[] = {
        {"all fit, empty name left out", 24, 24, "Sec A\0sec a\0Sec B\0a]b\0\0#"s, 22},
        {"one short of fitting counts as cut", 23, 23, "Sec A\0sec a\0Sec B\0a]b\0\0"s, 21},
        {"last name cut, two NULs", 12, 12, "Sec A\0sec \0\0"s, 10},
        {"size three", 3, 4, "S\0\0#"s, 1},
        {"size two", 2, 3, "\0\0#"s, 0},
        {"size one", 1, 2, "\0#"s, 0},
    };
    test::TempDir dir;
    const std::string file = dir.file("sections.ini");
    test::WriteBytes(file, kSections);
    for (const Row& row : rows) {
        const ListRead read = readList(file, nullptr, row.size, row.shown);
        EXPECT_EQ(read.bytes, row.expected) << row.name;
        EXPECT_EQ(read.length, row.length) << row.name;
    }
}

TEST(ProfileGetString, SectionListOfAMissingOrEmptyFileIsEmpty) {
    using namespace std::string_literals;
    test::TempDir dir;
    EXPECT_EQ(readList(dir.file("missing.ini"), nullptr, 10, 2, "DEF").bytes, "\0#"s);
    test::WriteBytes(dir.file("plain.ini"), "before=1\r\n; nothing else\r\n");
    const ListRead read = readList(dir.file("plain.ini"), nullptr, 10, 2, "DEF");
    EXPECT_EQ(read.bytes, "\0#"s);
    EXPECT_EQ(read.length, 0u);
}

TEST(ProfileGetString, ListsKeyNamesOfTheFirstMatchingSection) {
    using namespace std::string_literals;
    struct Row {
        const char* name;
        const char* section;
        std::size_t size;
        std::size_t shown;
        std::string expected;
        std::size_t length;
    };
    const Row rows[] = {
        {"comments and lines without '=' left out, hash and duplicates kept", "s", 64, 23,
         "key1\0#h\0Dup\0dup\0key2\0\0#"s, 21},
        {"last name cut, two NULs", "s", 10, 11, "key1\0#h\0\0\0#"s, 8},
        {"a name that just fits still counts as cut", "s", 9, 10, "key1\0#h\0\0#"s, 7},
        {"size three", "s", 3, 4, "k\0\0#"s, 1},
        {"size two gives the default", "s", 2, 3, "D\0#"s, 1},
        {"missing section gives the default", "nowhere", 64, 5, "DEF\0#"s, 3},
        {"section without keys gives the default", "empty", 64, 5, "DEF\0#"s, 3},
        {"section with only comments gives the default", "comments", 64, 5, "DEF\0#"s, 3},
        {"no lines before the first header: the default", "", 64, 5, "DEF\0#"s, 3},
        {"only the first of two equal sections is listed", "S", 64, 23,
         "key1\0#h\0Dup\0dup\0key2\0\0#"s, 21},
    };
    test::TempDir dir;
    const std::string file = dir.file("keys.ini");
    test::WriteBytes(file,
                     "[s]\r\nkey1=1\r\n;comment=1\r\nnoequals\r\n#h=2\r\nDup=3\r\ndup=4\r\n"
                     "key2=\r\n[S]\r\nhidden=5\r\n[empty]\r\n[comments]\r\n;c=1\r\nnoeq\r\n");
    for (const Row& row : rows) {
        const char* defaultValue = row.size == 2 ? "D" : "DEF";
        const ListRead read = readList(file, row.section, row.size, row.shown, defaultValue);
        EXPECT_EQ(read.bytes, row.expected) << row.name;
        EXPECT_EQ(read.length, row.length) << row.name;
    }
}

TEST(ProfileGetString, KeyListOfAMissingFileIsTheDefault) {
    using namespace std::string_literals;
    test::TempDir dir;
    EXPECT_EQ(readList(dir.file("missing.ini"), "s", 64, 5, "DEF").bytes, "DEF\0#"s);
    EXPECT_EQ(readList(dir.file("missing.ini"), "s", 64, 2, nullptr).bytes, "\0#"s);
    EXPECT_EQ(readList(dir.file("missing.ini"), "s", 64, 6, "'DEF'").bytes, "DEF\0##"s)
        << "quotes removed";
    EXPECT_EQ(readList(dir.file("missing.ini"), "s", 64, 7, "DEF  ").bytes, "DEF  \0#"s)
        << "trailing spaces kept, unlike a value's default";
}

TEST(ProfileGetString, UnreadableFileReadsAsMissingAndSaysWhy) {
    test::TempDir dir;
    const std::string folder = dir.file("folder.ini");
    std::filesystem::create_directory(folder);
    char buffer[16];
    Status status;
    EXPECT_EQ(ProfileGetString("s", "k", "DEF", buffer, sizeof buffer, folder, &status), 3u);
    EXPECT_STREQ(buffer, "DEF");
    EXPECT_FALSE(status.ok);
    const std::string prefix = "Cannot read " + folder + ": ";
    EXPECT_EQ(status.reason.rfind(prefix, 0), 0u) << status.reason;
    EXPECT_GT(status.reason.size(), prefix.size()) << "the operating system's reason";
}

TEST(ProfileGetString, FoundTellsValueFromDefault) {
    struct Row {
        const char* name;
        const char* key;
        bool found;
    };
    const Row rows[] = {
        {"value in the file", "k", true},
        {"empty value in the file", "empty", true},
        {"line without '='", "noequals", false},
        {"missing key", "missing", false},
    };
    test::TempDir dir;
    const std::string file = dir.file("found.ini");
    test::WriteBytes(file, "[s]\r\nk=v\r\nempty=\r\nnoequals\r\n");
    for (const Row& row : rows) {
        char buffer[16];
        bool found = !row.found;
        ProfileGetString("s", row.key, "DEF", buffer, sizeof buffer, file, nullptr, &found);
        EXPECT_EQ(found, row.found) << row.name;
    }
}

}  // namespace
}  // namespace orvex
