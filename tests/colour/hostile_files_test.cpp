// Files no game writes, loaded and saved through the slot table: whatever can be
// shown is shown, what cannot is reported, and a save never makes a file worse.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "colour/colour_slots.h"
#include "platform/system_file_system.h"
#include "platform/text.h"
#include "profile/profile.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr const char* kEntry = "player5_options.ini";

// The 24 colour sections with slot 0's value given, the others a plain grey.
// An options file whose slot 0 holds `firstValue`, the others grey 0.5.
std::string colourSections(const std::string& firstValue) {
    std::vector<std::string> values(24, "0.5,0.5,0.5");
    values[0] = firstValue;
    return test::OptionsFile(values);
}

std::string randomJunk(std::size_t size) {
    std::mt19937 random(7);
    std::string junk(size, '\0');
    for (char& c : junk) {
        c = static_cast<char>(random() & 0xFF);
        if (c == '[') {
            c = '{';  // no header can appear by chance
        }
    }
    return junk;
}

std::string utf16le(const std::string& ascii) {
    std::string text = "\xFF\xFE";
    for (char c : ascii) {
        text += c;
        text += '\0';
    }
    return text;
}

class HostileFileTest : public ::testing::Test, protected test::SlotTableScene {
  protected:
    HostileFileTest() : SlotTableScene(kEntry) {}

    SystemFileSystem files;
    ColourSlotTable table{files};
};

TEST_F(HostileFileTest, StrangeContentLoadsWhatItCanAndSavesWithoutHarm) {
    struct Row {
        const char* name;
        std::string bytes;
        const char* slot0Name;     // the option name slot 0 shows
        PackedColour slot0Colour;  // its colour after the load
        bool reported;             // a message tells of something that could not be read
    };
    const Row rows[] = {
        {"binary junk", randomJunk(4096), "Bad Read", kWhite, true},
        {"NUL in a key", "[VECTOR3-000]\r\nOption\0Name=x\r\nOptionValue=1,0,0\r\n"s, "Bad Read",
         0x0000FF, false},
        {"NUL in a value", "[VECTOR3-000]\r\nOptionName=a\0b\r\nOptionValue=0,1\0,1\r\n"s, "a",
         kWhite, true},
        {"10 MB single line", colourSections("0,1,0") + "[Big]\r\nx=" + std::string(10 << 20, 'x'),
         "Option 0", 0x00FF00, false},
        {"UTF-8 byte order mark", "\xEF\xBB\xBF" + colourSections("0,0,1"), "Option 0", 0xFF0000,
         false},
        {"UTF-16 text", utf16le(colourSections("0,0,1")), "Bad Read", kWhite, true},
    };
    for (const Row& row : rows) {
        test::WriteBytes(file(), row.bytes);
        ColourSlotTable table(files);  // fresh: colours from the row before would hide faults
        messages.clear();
        messages.record(table.LoadSelectedFile(list));
        EXPECT_EQ(table.slot(0).optionName, row.slot0Name) << row.name;
        EXPECT_EQ(table.slot(0).colour, row.slot0Colour) << row.name;
        EXPECT_EQ(messages.messages().size(), row.reported ? 1u : 0u) << row.name;

        std::vector<std::string> loaded;
        for (int slot = 0; slot < 24; ++slot) {
            loaded.push_back(value(slot));
        }
        messages.clear();
        const bool saved = messages.record(table.SaveColorSlots(list));
        const std::string after = test::ReadBytes(file());
        if (!saved) {
            EXPECT_EQ(after, row.bytes) << row.name << ": a refused save changed the file";
            ASSERT_EQ(messages.messages().size(), 1u) << row.name;
            EXPECT_NE(messages.messages()[0].text.find(table.currentIniPath()), std::string::npos);
            continue;
        }
        // Nothing of the file is lost: what was there before is still there, in order,
        // each colour reads back as the slot shows it, and one it could not read as it was.
        EXPECT_EQ(after.compare(0, 3, row.bytes, 0, 3), 0) << row.name;
        EXPECT_GE(after.size(), row.bytes.size()) << row.name;
        for (int slot = 0; slot < 24; ++slot) {
            const ColourTextResult colour = ColorFromText(value(slot));
            const std::string& before = loaded[static_cast<std::size_t>(slot)];
            const bool unreadable = before != "missing" && !ColorFromText(before);
            EXPECT_TRUE(unreadable ? value(slot) == before
                                   : colour && colour.colour == table.slot(slot).colour)
                << row.name << ", slot " << slot << ": " << value(slot);
        }
    }
}

TEST_F(HostileFileTest, JunkBeforeTheAddedSectionsIsKeptByteForByte) {
    const std::string junk = randomJunk(4096) + "\r\n[VECTOR3-005]\r\nOptionValue=1,0,0\r\n";
    test::WriteBytes(file(), junk);
    messages.record(table.LoadSelectedFile(list));
    ASSERT_TRUE(messages.record(table.SaveColorSlots(list)));
    EXPECT_EQ(test::ReadBytes(file()).substr(0, junk.size()), junk);
}

TEST_F(HostileFileTest, UnusualColourTextsAreReadOrReported) {
    struct Row {
        std::string text;
        bool readable;
        PackedColour colour;
    };
    const Row rows[] = {
        {"nan", false, 0},
        {"inf", false, 0},
        {"1e308", false, 0},
        {"-0", false, 0},
        {"0x1", false, 0},
        {"nan,nan,nan", false, 0},
        {"inf,0,0", false, 0},
        {"1e308,0,0", false, 0},
        {"0x1,0,0", false, 0},
        {"-0,-0,-0", true, 0x000000},
        {" 1 , 1 , 1 ", true, kWhite},
        {"1e-308,1,1", true, 0xFFFF00},
    };
    for (const Row& row : rows) {
        test::WriteBytes(file(), colourSections(row.text));
        table.GiveColour(0, 0x123456);
        messages.clear();
        messages.record(table.LoadSelectedFile(list));
        if (row.readable) {
            EXPECT_EQ(table.slot(0).colour, row.colour) << row.text;
            EXPECT_TRUE(messages.messages().empty()) << row.text;
        } else {
            EXPECT_EQ(table.slot(0).colour, 0x123456) << row.text << ": colour kept";
            ASSERT_EQ(messages.messages().size(), 1u) << row.text;
            EXPECT_NE(messages.messages()[0].text.find(row.text), std::string::npos)
                << messages.messages()[0].text;
        }
        // A value the user did not touch keeps its text, readable or not.
        ASSERT_TRUE(messages.record(table.SaveColorSlots(list))) << row.text;
        EXPECT_EQ(value(0), TrimIniBlanks(row.text)) << row.text;
    }
}

TEST_F(HostileFileTest, ManySectionsLoadAndSave) {
    std::string text;
    for (int extra = 0; extra < 100000; ++extra) {
        text += "[S" + std::to_string(extra) + "]\r\nk=v\r\n";
    }
    text += colourSections("1,0,0");
    test::WriteBytes(file(), text);
    messages.record(table.LoadSelectedFile(list));
    EXPECT_EQ(table.slot(23).optionName, "Option 23");
    EXPECT_EQ(table.slot(0).colour, 0x0000FF);
    table.GiveColour(0, 0xFF0000);
    ASSERT_TRUE(messages.record(table.SaveColorSlots(list)));
    std::string expected = text;
    expected.replace(expected.find("OptionValue=1,0,0") + 12, 5, "0.000000,0.000000,1.000000");
    EXPECT_EQ(test::ReadBytes(file()), expected);
}

TEST_F(HostileFileTest, SomethingOtherThanAFileIsReportedAndLeftAlone) {
    struct Row {
        const char* name;
        std::function<void(const fs::path&)> make;
        bool needsNonRoot;
    };
    const Row rows[] = {
        {"a FIFO", [](const fs::path& f) { ::mkfifo(f.c_str(), 0644); }, false},
        {"a folder", [](const fs::path& f) { fs::create_directory(f); }, false},
        // Once ended the program with an uncaught std::bad_alloc.
        {"a 64 GiB sparse file",
         [](const fs::path& f) {
             test::WriteBytes(f, "");
             fs::resize_file(f, std::uint64_t{64} << 30);
         },
         false},
        {"an unreadable file",
         [](const fs::path& f) {
             test::WriteBytes(f, colourSections("1,0,0"));
             ::chmod(f.c_str(), 0);
         },
         true},
    };
    for (const Row& row : rows) {
        if (row.needsNonRoot && ::geteuid() == 0) {
            continue;  // root reads every file
        }
        fs::remove_all(file());
        row.make(file());
        const auto type = fs::status(file()).type();
        messages.clear();
        messages.record(table.LoadSelectedFile(list));
        ASSERT_EQ(messages.messages().size(), 1u) << row.name;
        EXPECT_EQ(messages.messages()[0].title, "ReadINI") << row.name;
        EXPECT_EQ(table.slot(5).optionName, "Bad Read") << row.name;

        messages.clear();
        EXPECT_FALSE(messages.record(table.SaveColorSlots(list))) << row.name;
        ASSERT_EQ(messages.messages().size(), 1u) << row.name;
        EXPECT_NE(messages.messages()[0].text.find(table.currentIniPath()), std::string::npos);
        EXPECT_EQ(fs::status(file()).type(), type) << row.name;
        ::chmod(file().c_str(), 0644);
    }
}

// 8-bit lines appended to a UTF-16 file once made it unreadable for the game.
TEST(ProfileService, Utf16FileIsReportedAndNeverAppendedTo) {
    test::TempDir dir;
    const std::string file = dir.file("player1_options.ini");
    for (const std::string& bom : {"\xFF\xFE"s, "\xFE\xFF"s}) {
        const std::string bytes = bom + utf16le("[VECTOR3-000]\r\nOptionValue=1,1,1\r\n").substr(2);
        test::WriteBytes(file, bytes);
        SystemFileSystem files;
        const Result<IniEntry> read = ReadINIEntry(file, "VECTOR3-000", "OptionValue", "d", files);
        EXPECT_FALSE(read.status.ok);
        EXPECT_EQ(read.value.text, "d");
        const Status written =
            WriteINIValues(file, {{"VECTOR3-000", "OptionValue", "0,0,0"}}, {}, files);
        EXPECT_FALSE(written.ok);
        EXPECT_NE(written.reason.find("UTF-16"), std::string::npos) << written.reason;
        EXPECT_EQ(test::ReadBytes(file), bytes);
    }
}

// Found by fuzzing: a key starting with a byte order mark, written as the first
// line of a file, read back without it.
TEST(ProfileService, KeyStartingWithAByteOrderMarkIsRefused) {
    test::TempDir dir;
    const std::string file = dir.file("bom.ini");
    SystemFileSystem files;
    const Status status = WriteINIValues(file, {{"", "\xEF\xBB\xBFkey", "v"}}, {}, files);
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.reason.find("cannot be stored"), std::string::npos) << status.reason;
    EXPECT_FALSE(fs::exists(file));
}

}  // namespace
}  // namespace orvex
