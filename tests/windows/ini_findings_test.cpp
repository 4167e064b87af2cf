// What comparing with the Windows service under Wine taught the engine, each
// pinned down where it was found.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ini_cases.h"
#include "platform/system_file_system.h"
#include "profile/profile.h"
#include "test_support.h"

namespace orvex {
namespace {

using namespace std::string_literals;

TEST(ServiceFindings, KeyListMatchesTheSectionNameUntrimmedUnlikeAValueRead) {
    struct Row {
        const char* name;
        const char* section;
        const char* key;
        std::string expected;
    };
    const Row rows[] = {
        {"key list, exact name", "Sec A", "", "k\0z\0"s},
        {"key list, other case", "sec a", "", "k\0z\0"s},
        {"key list, trailing tab", "Sec A\t", "", "DEF"},
        {"key list, leading space", " Sec A", "", "DEF"},
        {"value, trailing tab", "Sec A\t", "k", "1"},
        {"value, leading space and padded key", " Sec A", " k\t", "1"},
    };
    test::TempDir dir;
    SystemFileSystem files;
    const std::string file = dir.file("padded.ini");
    test::WriteBytes(file, "[ Sec A\t]\r\nk=1\r\nz=2\r\n");
    for (const Row& row : rows) {
        const std::string read = ReadINIEntry(file, row.section, row.key, "DEF", files).value.text;
        EXPECT_EQ(test::Printable(read), test::Printable(row.expected)) << row.name;
    }
}

}  // namespace
}  // namespace orvex
