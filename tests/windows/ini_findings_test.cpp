// What comparing with the Windows service under Wine taught the engine, each
// pinned down where it was found.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ini_cases.h"
#include "profile/ini_engine.h"
#include "test_support.h"

namespace orvex {
namespace {

using namespace std::string_literals;

std::string read(const std::string& file, const char* section, const char* key) {
    std::vector<char> buffer(64, '#');
    const std::size_t count =
        ProfileGetString(section, key, "DEF", buffer.data(), buffer.size(), file);
    return std::string(buffer.data(), count + 1);
}

TEST(ServiceFindings, KeyListMatchesTheSectionNameUntrimmedUnlikeAValueRead) {
    struct Row {
        const char* name;
        const char* section;
        const char* key;
        std::string expected;
    };
    const Row rows[] = {
        {"key list, exact name", "Sec A", nullptr, "k\0z\0\0"s},
        {"key list, other case", "sec a", nullptr, "k\0z\0\0"s},
        {"key list, trailing tab", "Sec A\t", nullptr, "DEF\0"s},
        {"key list, leading space", " Sec A", nullptr, "DEF\0"s},
        {"value, trailing tab", "Sec A\t", "k", "1\0"s},
        {"value, leading space and padded key", " Sec A", " k\t", "1\0"s},
    };
    test::TempDir dir;
    const std::string file = dir.file("padded.ini");
    test::WriteBytes(file, "[ Sec A\t]\r\nk=1\r\nz=2\r\n");
    for (const Row& row : rows) {
        EXPECT_EQ(test::Printable(read(file, row.section, row.key)), test::Printable(row.expected))
            << row.name;
    }
}

}  // namespace
}  // namespace orvex
