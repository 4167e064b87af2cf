#include "platform/windows_path.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace orvex {
namespace {

// Drives are ASCII letters only, whatever the locale ("\xC9:" is a name).
TEST(WindowsPath, RootsAndAbsolutePaths) {
    const std::pair<const char*, std::size_t> rows[] = {
        {"C:\\Games", 3}, {"c:/Games", 3}, {"C:", 2}, {"C:name", 2}, {"\\Games", 1},  {"/Games", 1},
        {"\\\\srv", 1},   {"Games", 0},    {"", 0},   {"1:\\x", 0},  {"\xC9:\\x", 0}, {":\\x", 0},
    };
    for (const auto& [path, root] : rows) {
        EXPECT_EQ(RootLength(path), root) << path;
        EXPECT_EQ(IsAbsolutePath(path), root != 0) << path;
    }
}

TEST(WindowsPath, SplitDropsRootAndEmptyNames) {
    const std::pair<const char*, std::vector<std::string>> rows[] = {
        {"C:\\Games\\X\\", {"Games", "X"}},
        {"C:Data\\\\client//output", {"Data", "client", "output"}},
        {"\\\\a\\b", {"a", "b"}},
        {"Data\\client\\output\\a.ini", {"Data", "client", "output", "a.ini"}},
        {"C:\\", {}},
        {"", {}},
    };
    for (const auto& [path, parts] : rows) {
        EXPECT_EQ(SplitPathComponents(path), parts) << path;
    }
}

TEST(WindowsPath, JoinPutsExactlyOneBackslashBetween) {
    struct Row {
        const char* folder;
        const char* name;
        const char* joined;
    };
    const Row rows[] = {
        {"C:\\Games", "X", "C:\\Games\\X"},
        {"C:\\Games\\", "X", "C:\\Games\\X"},
        {"C:\\Games//", "\\X", "C:\\Games\\X"},
        {"C:\\", "X", "C:\\X"},
        {"C:", "X", "C:\\X"},
        {"\\", "X", "\\X"},
        {"", "X", "X"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(JoinPath(row.folder, row.name), row.joined) << row.folder << " + " << row.name;
    }
}

TEST(WindowsPath, WithoutFinalSeparatorsKeepsTheRoot) {
    const std::pair<const char*, const char*> rows[] = {
        {"C:\\Games\\X\\", "C:\\Games\\X"},
        {"C:\\Games\\X\\/\\", "C:\\Games\\X"},
        {"C:\\Games\\X", "C:\\Games\\X"},
        {"C:\\\\", "C:\\"},
        {"C:", "C:"},
        {"\\\\", "\\"},
        {"", ""},
    };
    for (const auto& [path, expected] : rows) {
        EXPECT_EQ(WithoutFinalSeparators(path), expected) << path;
    }
}

// The folder a file list shows, as the slot table joins its Path with "\" and a name.
TEST(WindowsPath, FolderShownIsAbsoluteWithoutFinalSeparator) {
    const std::string current = CurrentFolder();
    ASSERT_TRUE(IsAbsolutePath(current)) << current;
    EXPECT_EQ(FolderShownFor("Data\\client\\output\\"), JoinPath(current, "Data\\client\\output"));
    EXPECT_EQ(FolderShownFor("C:\\Games\\X\\"), "C:\\Games\\X");
    EXPECT_EQ(FolderShownFor("C:\\"), "C:\\");
}

}  // namespace
}  // namespace orvex
