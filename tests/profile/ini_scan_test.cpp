// The single-pass reads must give exactly what the line model gives; each row is a
// file where a search that jumps from '[' to '[' could go wrong.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ini_line_model.h"
#include "profile/ini_text.h"

namespace orvex {
namespace {

using namespace std::string_literals;

struct ValueRow {
    const char* name;
    std::string text;
    const char* section;
    const char* key;
    std::optional<std::string> expected;  // nothing: the default applies
};

const std::vector<ValueRow>& valueRows() {
    static const std::vector<ValueRow> rows = {
        {"plain CRLF", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n", "B", "k", "2"},
        {"CR only", "[A]\rk=1\r[B]\rk=2\r", "B", "k", "2"},
        {"LF only, no final break", "[A]\nk=1\n[B]\nk=2", "B", "k", "2"},
        {"bracket inside a value is no header", "[A]\r\nx=[B]\r\nk=1\r\n[B]\r\nk=2\r\n", "B", "k",
         "2"},
        {"bracket inside a key line of the wanted section", "[B]\r\nx=[C]\r\nk=1\r\n[C]\r\nk=3\r\n",
         "B", "k", "1"},
        {"indented header with tab, ^Z, VT and FF", "[A]\r\nk=1\r\n \t\x1a\v\f[B]\r\nk=2\r\n", "B",
         "k", "2"},
        {"header without ']' stays in the section", "[B]\r\n[C\r\nk=2\r\n", "B", "k", "2"},
        {"name runs to the last ']'", "[a]b] tail\r\nk=5\r\n", "a]b", "k", "5"},
        {"blanks and case inside the brackets", "[  vector3-000  ]\r\nk=7\r\n", "VECTOR3-000", "K",
         "7"},
        {"longer name with the wanted one as prefix",
         "[VECTOR3-0001]\r\nk=1\r\n[VECTOR3-000]\r\nk=2\r\n", "VECTOR3-000", "k", "2"},
        {"name cut at a NUL", "[ab\0cd]\r\nk=3\r\n"s, "ab", "k", "3"},
        {"NUL before '[' is no header", "[A]\r\n\0[B]\r\nk=1\r\n[B]\r\nk=2\r\n"s, "B", "k", "2"},
        {"NUL-led line keeps the keys in the section", "[A]\r\n\0[B]\r\nk=1\r\n"s, "A", "k", "1"},
        {"byte order mark before the first header", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", "1"},
        {"lines before the first header", "k=0\r\n[A]\r\nk=1\r\n", "", "k", "0"},
        {"a later empty header is not the first empty section", "[A]\r\nk=1\r\n[]\r\nk=2\r\n", "",
         "k", std::nullopt},
        {"first of two sections wins", "[A]\r\nx=1\r\n[a]\r\nk=2\r\n", "A", "k", std::nullopt},
        {"first key wins", "[A]\r\nk=1\r\nK=2\r\n", "A", "k", "1"},
        {"key without '=' first hides the later one", "[A]\r\nk\r\nk=2\r\n", "A", "k",
         std::nullopt},
        {"empty value", "[A]\r\nk=\r\n", "A", "k", ""},
        {"value trimmed, inner spaces and '=' kept", "[A]\r\n  k  =  a = b  \r\n", "A", "k",
         "a = b"},
        {"value cut at a NUL", "[A]\r\nk=ab\0cd\r\n"s, "A", "k", "ab"},
        {"quotes kept for the caller to strip", "[A]\r\nk=\"q\"\r\n", "A", "k", "\"q\""},
        {"wanted header last, no body", "[A]\r\nk=1\r\n[B]", "B", "k", std::nullopt},
        {"'[' as the last byte", "[A]\r\nk=1\r\n[", "A", "k", "1"},
        {"key not in the wanted section", "[A]\r\nx=1\r\n[B]\r\nk=2\r\n", "A", "k", std::nullopt},
        {"missing section", "[A]\r\nk=1\r\n", "C", "k", std::nullopt},
        {"empty file", "", "A", "k", std::nullopt},
        {"comment line is still a key", "[A]\r\n;k=1\r\n", "A", ";k", "1"},
        {"blank lines and a run of breaks", "[A]\r\n\r\n\n\r\r\nk=4\r\n", "A", "k", "4"},
    };
    return rows;
}

TEST(IniScan, ValueMatchesTheLineModel) {
    for (const ValueRow& row : valueRows()) {
        const IniDocument document(row.text);
        const std::optional<std::string_view> scanned = IniValue(row.text, row.section, row.key);
        const std::optional<std::string_view> modelled = document.rawValue(row.section, row.key);
        EXPECT_EQ(scanned, modelled) << row.name;
        ASSERT_EQ(scanned.has_value(), row.expected.has_value()) << row.name;
        if (scanned) {
            EXPECT_EQ(*scanned, *row.expected) << row.name;
        }
    }
}

struct KeyListRow {
    const char* name;
    std::string text;
    const char* section;
    std::optional<std::vector<std::string>> expected;
};

TEST(IniScan, KeyNamesMatchTheLineModel) {
    const std::vector<KeyListRow> rows = {
        {"comments, lines without '=' and empty names left out",
         "[A]\r\na=1\r\n;c=2\r\nnoequals\r\n=3\r\nB = 4\r\n[B]\r\nz=1\r\n", "A",
         std::vector<std::string>{"a", "", "B"}},
        {"duplicates kept, '#' is a key", "[A]\r\nd=1\r\n#h=2\r\nd=3\r\n", "A",
         std::vector<std::string>{"d", "#h", "d"}},
        {"section without keys", "[A]\r\n[B]\r\nk=1\r\n", "A", std::vector<std::string>{}},
        {"untrimmed name finds nothing", "[A]\r\nk=1\r\n", " A", std::nullopt},
        {"missing section", "[A]\r\nk=1\r\n", "B", std::nullopt},
        {"the nameless first section", "k=1\r\n[A]\r\nj=2\r\n", "", std::vector<std::string>{"k"}},
        {"keys after a '[' line without ']'", "[A]\r\na=1\r\n[x\r\nb=2\r\n", "A",
         std::vector<std::string>{"a", "b"}},
    };
    for (const KeyListRow& row : rows) {
        EXPECT_EQ(IniKeyNames(row.text, row.section), row.expected) << row.name;
        EXPECT_EQ(IniKeyNames(row.text, row.section), IniDocument(row.text).keyNames(row.section))
            << row.name;
    }
}

TEST(IniScan, SectionNamesMatchTheLineModel) {
    const std::string text =
        "\xEF\xBB\xBFk=0\r\n[Sec A]\r\n[sec a]\r\nv=[not]\r\n  [Sec B]  "
        "\r\n[]\r\n[a]b]\r\n[open\r\n"
        "\0[nul]\r\n[last]"s;
    const std::vector<std::string> expected = {"Sec A", "sec a", "Sec B", "a]b", "last"};
    EXPECT_EQ(IniSectionNames(text), expected);
    EXPECT_EQ(IniSectionNames(text), IniDocument(text).sectionNames());
}

TEST(IniScan, SectionNamesStopOnceTheLimitIsReached) {
    const std::string text = "[abc]\r\n[de]\r\n[f]\r\n[g]\r\n";
    struct Row {
        std::size_t limit;
        std::vector<std::string> expected;
    };
    // "abc\0" is 4 characters, "de\0" 3 more: a limit of 5 ends after "de".
    const std::vector<Row> rows = {
        {1, {"abc"}},
        {4, {"abc"}},
        {5, {"abc", "de"}},
        {7, {"abc", "de"}},
        {8, {"abc", "de", "f"}},
        {100, {"abc", "de", "f", "g"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IniSectionNames(text, row.limit), row.expected) << "limit " << row.limit;
    }
}

struct EditRow {
    const char* name;
    std::string text;
    const char* section;
    const char* key;
    const char* value;                    // null: delete the key
    std::optional<std::string> expected;  // nothing: the file stays as it is
};

TEST(IniScan, EditMatchesTheLineModel) {
    const std::vector<EditRow> rows = {
        {"replace keeps spacing and other lines", "; c\r\n[A]\r\n  k =  1  \r\nj=2\r\n", "A", "k",
         "9", "; c\r\n[A]\r\n  k =  9  \r\nj=2\r\n"},
        {"same value changes nothing", "[A]\r\nk=\"v\"\r\n", "a", "K", "v", std::nullopt},
        {"value cut at a NUL is compared cut", "[A]\r\nk=v\0x\r\n"s, "A", "k", "v", std::nullopt},
        {"key without '=' gets one", "[A]\r\nk\r\n", "A", "k", "1", "[A]\r\nk=1\r\n"},
        {"empty value replaced", "[A]\r\nk=\r\nz=0\r\n", "A", "k", "1", "[A]\r\nk=1\r\nz=0\r\n"},
        {"new key after the last line, before blank lines", "[A]\r\na=1\r\n\r\n\r\n[B]\r\n", "A",
         "k", "2", "[A]\r\na=1\r\nk=2\r\n\r\n\r\n[B]\r\n"},
        {"new key in a section that is only a header", "[A]\n[B]\n", "A", "k", "2",
         "[A]\nk=2\n[B]\n"},
        {"new key where the last line has no break", "[A]\ra=1", "A", "k", "2", "[A]\ra=1\rk=2"},
        {"new key in the wanted first of two sections", "[A]\r\nx=1\r\n[a]\r\nk=1\r\n", "A", "k",
         "2", "[A]\r\nx=1\r\nk=2\r\n[a]\r\nk=1\r\n"},
        {"new key in the empty-named first section", "\xEF\xBB\xBF[A]\r\n", "", "k", "1",
         "\xEF\xBB\xBFk=1\r\n[A]\r\n"},
        {"new section at the end, file without final break", "[A]\r\na=1", "B", "k", "2",
         "[A]\r\na=1\r\n[B]\r\nk=2"},
        {"new section in an empty file", "", "B", "k", "2", "[B]\r\nk=2\r\n"},
        {"delete a middle line", "[A]\r\na=1\r\nk=2\r\nz=3\r\n", "A", "k", nullptr,
         "[A]\r\na=1\r\nz=3\r\n"},
        {"delete the last line without a break", "[A]\r\na=1\r\nk=2", "A", "k", nullptr,
         "[A]\r\na=1"},
        {"delete the only line", "k=2", "", "k", nullptr, ""},
        {"delete a missing key changes nothing", "[A]\r\na=1\r\n", "A", "k", nullptr, std::nullopt},
        {"delete from a later section only", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n", "B", "k", nullptr,
         "[A]\r\nk=1\r\n[B]\r\n"},
        {"prefix-named header is not the section", "[AB]\r\nk=1\r\n", "A", "k", "2",
         "[AB]\r\nk=1\r\n[A]\r\nk=2\r\n"},
    };
    for (const EditRow& row : rows) {
        const std::optional<std::string> scanned =
            IniEdited(row.text, {IniEditOf(row.section, row.key, row.value)});
        EXPECT_EQ(scanned, row.expected) << row.name;
        EXPECT_EQ(scanned, IniDocument(row.text).edited(row.section, row.key, row.value))
            << row.name;
    }
}

// Edits made in one call leave exactly what the line model leaves after the same
// edits one by one; each row is a sequence where an edit meets what one before it did.
TEST(IniScan, EditsInOneCallEqualTheEditsOneByOne) {
    struct Row {
        const char* name;
        std::string text;
        std::vector<IniEdit> edits;  // no value: delete
    };
    const std::optional<std::string> del;
    const std::vector<Row> rows = {
        {"a deletion uncovers the second of two equal keys",
         "[s]\r\nk=1\r\nk=2\r\n",
         {{"s", "k", del}, {"s", "k", "3"}}},
        {"a value set and set back is written as given",
         "[s]\r\nk=\"b\"\r\n",
         {{"s", "k", "a"}, {"s", "k", "b"}}},
        {"a key added, then given another value", "[s]\r\n", {{"s", "k", "a"}, {"s", "k", "b"}}},
        {"the last line deleted, then a key added",
         "[s]\r\np=1\r\n\r\nd=2",
         {{"s", "d", del}, {"s", "c", "3"}}},
        {"two keys added where a lone CR would join an LF",
         "[s]\ra=1\r\n\n[t]\r",
         {{"s", "k1", "v"}, {"s", "k2", "v"}}},
        {"a new section, then the only line before it deleted",
         "k=1",
         {{"X", "x", "1"}, {"", "k", del}}},
        {"the only line ending deleted: CRLF from then on",
         "k=1\n[s]",
         {{"", "k", del}, {"s", "a", "1"}}},
        {"the last section grows, then a new one follows",
         "[a]\rx=1",
         {{"a", "k", "v"}, {"b", "k", "v"}, {"a", "j", "w"}}},
    };
    for (const Row& row : rows) {
        std::string expected = row.text;
        for (const IniEdit& edit : row.edits) {
            expected =
                IniDocument(expected)
                    .edited(edit.section, edit.key, edit.value ? edit.value->c_str() : nullptr)
                    .value_or(expected);
        }
        EXPECT_EQ(IniEdited(row.text, row.edits).value_or(row.text), expected) << row.name;
    }
}

}  // namespace
}  // namespace orvex
