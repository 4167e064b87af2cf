// The single-pass reads and edits against the line model on the synthetic options
// files the benchmarks use: thousands of sections, the 24 colour sections among them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ini_line_model.h"
#include "profile/ini_text.h"
#include "test_support.h"

namespace orvex {
namespace {

using test::kOptionsFileSizes;
using test::OptionsFileSize;
using test::SlotSection;
using test::SyntheticOptionsFile;

// The three smaller sizes; the 10 MB one adds time, not cases.
std::vector<OptionsFileSize> testedSizes() {
    return {kOptionsFileSizes.begin(), kOptionsFileSizes.end() - 1};
}

TEST(SyntheticOptionsFile, HasTheShapeTheBenchmarksAssume) {
    for (const OptionsFileSize& size : testedSizes()) {
        const std::string text = SyntheticOptionsFile(size.bytes);
        EXPECT_EQ(text, SyntheticOptionsFile(size.bytes)) << size.label << ": same bytes each time";
        EXPECT_GE(text.size(), size.bytes) << size.label;
        EXPECT_LT(text.size(), size.bytes + 200) << size.label;
        std::size_t lineBreaks = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                ++lineBreaks;
                EXPECT_TRUE(i > 0 && text[i - 1] == '\r')
                    << size.label << ": LF without CR at " << i;
            }
        }
        EXPECT_GT(lineBreaks, 100u) << size.label;
        EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r')), lineBreaks)
            << size.label << ": no CR without LF";
        std::size_t previous = 0;
        for (int slot = 0; slot < 24; ++slot) {
            const std::size_t at = text.find("[" + SlotSection(slot) + "]\r\n");
            ASSERT_NE(at, std::string::npos) << size.label << " slot " << slot;
            EXPECT_GT(at, previous) << size.label << ": slots in order";
            // Spread evenly: slot i near (2i + 1) / 48 of the file.
            const double expected = text.size() * (2.0 * slot + 1) / 48;
            EXPECT_NEAR(static_cast<double>(at), expected, text.size() / 20.0 + 200)
                << size.label << " slot " << slot;
            previous = at;
        }
    }
}

TEST(IniScanLarge, ReadsMatchTheLineModel) {
    for (const OptionsFileSize& size : testedSizes()) {
        const std::string text = SyntheticOptionsFile(size.bytes);
        const IniDocument document(text);
        for (int slot = 0; slot < 24; ++slot) {
            for (const char* key : {"OptionName", "OptionValue", "Missing"}) {
                EXPECT_EQ(IniValue(text, SlotSection(slot), key),
                          document.rawValue(SlotSection(slot), key))
                    << size.label << " " << SlotSection(slot) << "/" << key;
            }
            EXPECT_EQ(IniKeyNames(text, SlotSection(slot)), document.keyNames(SlotSection(slot)))
                << size.label << " " << SlotSection(slot);
        }
        EXPECT_TRUE(IniValue(text, "VECTOR3-023", "OptionName").has_value()) << size.label;
        EXPECT_FALSE(IniValue(text, "VECTOR3-024", "OptionName").has_value()) << size.label;
        const std::vector<std::string> all = document.sectionNames();
        EXPECT_EQ(IniSectionNames(text), all) << size.label;
        // A limited list is the start of the full one.
        const std::vector<std::string> limited = IniSectionNames(text, 32767);
        ASSERT_LE(limited.size(), all.size()) << size.label;
        EXPECT_TRUE(std::equal(limited.begin(), limited.end(), all.begin())) << size.label;
    }
}

TEST(IniScanLarge, EditsMatchTheLineModel) {
    struct Edit {
        const char* name;
        std::string section;
        const char* key;
        const char* value;
    };
    const std::vector<Edit> edits = {
        {"replace in the last slot", SlotSection(23), "OptionValue", "0.5,0.5,0.5"},
        {"add to a slot", SlotSection(11), "Extra", "1"},
        {"delete from the first slot", SlotSection(0), "OptionName", nullptr},
        {"add a section at the end", "VECTOR3-024", "OptionValue", "1,1,1"},
    };
    for (const OptionsFileSize& size : testedSizes()) {
        const std::string text = SyntheticOptionsFile(size.bytes);
        const IniDocument document(text);
        for (const Edit& edit : edits) {
            const auto scanned = IniEdited(text, {IniEditOf(edit.section, edit.key, edit.value)});
            ASSERT_TRUE(scanned.has_value()) << size.label << ": " << edit.name;
            EXPECT_TRUE(scanned == document.edited(edit.section, edit.key, edit.value))
                << size.label << ": " << edit.name;
        }
    }
}

// A save's 24 writes (and a few a game might add) made in one pass leave exactly the
// bytes the line model leaves after the same writes one by one.
TEST(IniScanLarge, OneEditOfManyKeysEqualsTheWritesInOrder) {
    std::vector<IniEdit> edits;
    for (int slot = 23; slot >= 0; --slot) {
        edits.push_back({SlotSection(slot), "OptionValue", "0.500000,0.250000,1.000000"});
    }
    edits.push_back({SlotSection(5), "Added", "1"});
    edits.push_back({"VECTOR3-024", "OptionValue", "1,1,1"});
    edits.push_back({"VECTOR3-024", "OptionName", "Spare"});
    for (const OptionsFileSize& size : testedSizes()) {
        const std::string text = SyntheticOptionsFile(size.bytes);
        std::string expected = text;
        for (const IniEdit& edit : edits) {
            expected = IniDocument(expected)
                           .edited(edit.section, edit.key, edit.value->c_str())
                           .value_or(expected);
        }
        EXPECT_TRUE(IniEdited(text, edits) == expected) << size.label;
    }
}

}  // namespace
}  // namespace orvex
