#include "profile/paths.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

struct OutputFolderRow {
    const char* registered;
    const char* outputFolder;
};

TEST(GetParentFolder, OutputFolderOfRegisteredIconPaths) {
    const OutputFolderRow rows[] = {
        {"C:\\Games\\X\\game.exe", "C:\\Games\\X\\Data\\client\\output\\"},
        {"C:\\Games\\X\\game.exe,0", "C:\\Games\\X\\Data\\client\\output\\"},
        {"C:\\Games\\X\\game.exe   ", "C:\\Games\\X\\Data\\client\\output\\"},
        {"   C:\\Games\\X\\game.exe", "C:\\Games\\X\\Data\\client\\output\\"},
        {"C:\\Games\\X\\", "C:\\Games\\X\\Data\\client\\output\\"},
        {"C:\\game.exe", "C:\\Data\\client\\output\\"},
        {"\\game.exe", "\\Data\\client\\output\\"},
        {"C:/Games/X/game.exe", "C\\Data\\client\\output\\"},
        {"game.exe", "Data\\client\\output\\"},
        {"42", "Data\\client\\output\\"},
        {"", "Data\\client\\output\\"},
        {"\"C:\\Games\\X\\game.exe\"", "\"C:\\Games\\X\\Data\\client\\output\\"},
        {"C:\\Games\\X\\\\game.exe", "C:\\Games\\X\\Data\\client\\output\\"},
        {"C:name", "C\\Data\\client\\output\\"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(GetParentFolder(row.registered) + "Data\\client\\output\\", row.outputFolder)
            << "registered: [" << row.registered << "]";
    }
}

TEST(GetParentFolder, PathTooLongForTheFolderWalkCountsAsEmpty) {
    const std::string longest = "C:\\" + std::string(32767 - 3, 'a');
    EXPECT_EQ(GetParentFolder(longest), "C:\\");
    EXPECT_EQ(GetParentFolder(longest + "b"), "");
}

TEST(AddTrailingBackslash, TrimsSpacesAndEndsInOneBackslash) {
    const std::pair<const char*, const char*> rows[] = {
        {"C:\\Games\\X", "C:\\Games\\X\\"},
        {"C:\\Games\\X\\", "C:\\Games\\X\\"},
        {"C:\\Games\\X\\ ", "C:\\Games\\X\\"},
        {"  C:\\Games\\X  ", "C:\\Games\\X\\"},
        {"C:\\Games\\X\\\\\\", "C:\\Games\\X\\"},
        {"", "\\"},
        {"   ", "\\"},
        {"\\", "\\"},
    };
    for (const auto& [path, expected] : rows) {
        EXPECT_EQ(AddTrailingBackslash(path), expected) << "path: [" << path << "]";
    }
}

}  // namespace
}  // namespace orvex
