#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/system_file_system.h"
#include "profile/profile.h"
#include "test_support.h"

namespace orvex {
namespace {

using namespace std::string_literals;

std::string copyFixture(const test::TempDir& dir, const std::string& name) {
    const std::string path = dir.file(name);
    test::WriteBytes(path, test::ReadBytes(test::DataDir() / "ini" / name));
    return path;
}

class IniRead : public ::testing::Test {
  protected:
    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     const std::optional<std::string>& defaultValue = "DEF") {
        return ReadINIEntry(file, section, key, defaultValue, files).value.text;
    }

    SystemFileSystem files;
    test::TempDir dir;
};

TEST_F(IniRead, ReadsTheDialectOfTheWindowsService) {
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
    const std::string file = copyFixture(dir, "reading_rules.ini");
    for (const Row& row : rows) {
        EXPECT_EQ(read(file, row.section, row.key), row.expected) << row.name;
    }
}

TEST_F(IniRead, LineEndingsOfEveryKindEndALine) {
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
    const std::string file = dir.file("endings.ini");
    for (const Row& row : rows) {
        test::WriteBytes(file, row.content);
        EXPECT_EQ(read(file, "s", "a"), "1") << row.name;
        EXPECT_EQ(read(file, "s", "b"), "2") << row.name;
    }
}

TEST_F(IniRead, NulCutsNamesAndValues) {
    const std::string file = dir.file("zero_bytes.ini");
    test::WriteBytes(file, "[s]\r\nk=ab\0cd\r\nn\0ul=2\r\n\0[t]\r\nafter=3\r\n"s);
    EXPECT_EQ(read(file, "s", "k"), "ab");
    EXPECT_EQ(read(file, "s", "n"), "2");
    EXPECT_EQ(read(file, "s", "after"), "3") << "a NUL before '[' is no header";
}

// ReadINI's buffer of 500 characters, cut as the service cuts it.
TEST_F(IniRead, CutsAValueAt499CharactersAsTheServiceDoes) {
    const std::string x498(498, 'x');
    struct Row {
        const char* name;
        std::string value;
        std::string expected;
    };
    const Row rows[] = {
        {"long value", std::string(600, 'v'), std::string(499, 'v')},
        {"exact fit", std::string(499, 'v'), std::string(499, 'v')},
        {"quoted value that fits", "\"" + x498 + "\"", x498},
        {"quoted, the closing quote just fits: one character more goes", "\"" + x498 + "y\"", x498},
        {"quoted, the closing quote past the end: kept out", "\"" + x498 + "yz\"", x498 + "y"},
    };
    const std::string file = dir.file("cut.ini");
    for (const Row& row : rows) {
        test::WriteBytes(file, "[s]\r\nk=" + row.value + "\r\n");
        EXPECT_EQ(read(file, "s", "k"), row.expected) << row.name;
    }
}

TEST_F(IniRead, PreparesTheDefaultLikeTheService) {
    struct Row {
        const char* name;
        std::optional<std::string> defaultValue;
        const char* key;  // "": the key list of a missing section
        const char* expected;
    };
    const Row rows[] = {
        {"no default is empty", std::nullopt, "k", ""},
        {"trailing spaces dropped", "dflt   ", "k", "dflt"},
        {"leading spaces kept", "   dflt", "k", "   dflt"},
        {"a blank default comes back as one blank", "   ", "k", " "},
        {"quotes removed", "\"quoted\"", "k", "quoted"},
        {"tabs are not spaces here", "dflt\t", "k", "dflt\t"},
        {"key list: quotes removed", "'DEF'", "", "DEF"},
        {"key list: trailing spaces kept", "DEF  ", "", "DEF  "},
    };
    const std::string missing = dir.file("missing.ini");
    for (const Row& row : rows) {
        EXPECT_EQ(read(missing, "s", row.key, row.defaultValue), row.expected) << row.name;
    }
}

TEST_F(IniRead, ListsKeyNamesOfTheFirstMatchingSection) {
    struct Row {
        const char* name;
        const char* section;
        std::string expected;
    };
    const Row rows[] = {
        {"comments and lines without '=' left out, hash and duplicates kept", "s",
         "key1\0#h\0Dup\0dup\0key2\0"s},
        {"only the first of two equal sections is listed", "S", "key1\0#h\0Dup\0dup\0key2\0"s},
        {"missing section gives the default", "nowhere", "DEF"},
        {"section without keys gives the default", "empty", "DEF"},
        {"section with only comments gives the default", "comments", "DEF"},
        {"no lines before the first header: the default", "", "DEF"},
        {"an empty first name gives the default", "empty first", "DEF"},
        {"an empty name right after an empty name is left out", "empty names", "a\0\0b\0\0\0c\0"s},
        {"the section name is matched untrimmed", " s", "DEF"},
    };
    const std::string file = dir.file("keys.ini");
    test::WriteBytes(file,
                     "[s]\r\nkey1=1\r\n;comment=1\r\nnoequals\r\n#h=2\r\nDup=3\r\ndup=4\r\n"
                     "key2=\r\n[S]\r\nhidden=5\r\n[empty]\r\n[comments]\r\n;c=1\r\nnoeq\r\n"
                     "[empty first]\r\n=x\r\na=1\r\n"
                     "[empty names]\r\na=1\r\n=x\r\n\r\n =y\r\nb=2\r\n=z\r\n;c\r\n=w\r\nc=3\r\n");
    for (const Row& row : rows) {
        EXPECT_EQ(read(file, row.section, ""), row.expected) << row.name;
    }
}

TEST_F(IniRead, UnreadableFileReadsAsMissingAndSaysWhy) {
    const std::string folder = dir.file("folder.ini");
    std::filesystem::create_directory(folder);
    const Result<IniEntry> read = ReadINIEntry(folder, "s", "k", "DEF", files);
    EXPECT_EQ(read.value.text, "DEF");
    EXPECT_FALSE(read.status.ok);
    const std::string prefix = "Cannot read " + folder + ": ";
    EXPECT_EQ(read.status.reason.rfind(prefix, 0), 0u) << read.status.reason;
    EXPECT_GT(read.status.reason.size(), prefix.size()) << "the operating system's reason";
}

TEST_F(IniRead, TellsValueFromDefaultAndWhetherTheSectionIsThere) {
    struct Row {
        const char* name;
        const char* section;
        const char* key;
        bool fromFile;
        bool sectionFound;
    };
    const Row rows[] = {
        {"value in the file", "s", "k", true, true},
        {"empty value in the file", "s", "empty", true, true},
        {"line without '='", "s", "noequals", false, true},
        {"missing key", "s", "missing", false, true},
        {"section that is only a header", "bare", "k", false, true},
        {"missing section", "t", "k", false, false},
    };
    const std::string file = dir.file("found.ini");
    test::WriteBytes(file, "[s]\r\nk=v\r\nempty=\r\nnoequals\r\n[bare]\r\n");
    for (const Row& row : rows) {
        const IniEntry entry = ReadINIEntry(file, row.section, row.key, "DEF", files).value;
        EXPECT_EQ(entry.fromFile, row.fromFile) << row.name;
        EXPECT_EQ(entry.sectionFound, row.sectionFound) << row.name;
    }
}

}  // namespace
}  // namespace orvex
