// The machine registry as an installer leaves it: the values are made by
// `wine reg add` in both registry views when the test prefix is created.
#include <gtest/gtest.h>

#include <string>

#include "../install/install_test_support.h"
#include "install/registry.h"

namespace orvex {
namespace {

using namespace std::string_literals;

TEST(MachineRegistryViews, ThirtyTwoBitViewFirstThenSixtyFour) {
    struct Row {
        const char* name;
        const char* key;
        const char* value;
        RegistryValue expected;
    };
    const char* const key =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OrvexViewTest";
    const Row rows[] = {
        {"only in the 32-bit view", key, "Only32", "C:\\32\\icon.exe"s},
        {"only in the 64-bit view", key, "Only64", "C:\\64\\icon.exe"s},
        {"in both views the 32-bit one wins", key, "Both", "from 32"s},
        {"a DWORD read as signed", key, "Number", -1},
        {"value names ignore case", key, "ONLY64", "C:\\64\\icon.exe"s},
        {"key names ignore case",
         "SOFTWARE\\microsoft\\WINDOWS\\CurrentVersion\\Uninstall\\orvexviewtest", "Only32",
         "C:\\32\\icon.exe"s},
        {"missing value", key, "Nothing", "<default>"s},
        {"missing key", "Software\\OrvexNoSuchKey", "Only32", "<default>"s},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(
            describe(
                RegistryGetKeyValue(kHkeyLocalMachine, row.key, row.value, "<default>"s).value),
            describe(row.expected))
            << row.name;
    }
}

}  // namespace
}  // namespace orvex
