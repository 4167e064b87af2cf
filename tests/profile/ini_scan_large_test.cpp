// The single-pass reads and edits against the line model on the synthetic options
// files the benchmarks use: thousands of sections, the 24 colour sections among them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench_files.h"
#include "ini_line_model.h"
#include "profile/ini_text.h"

namespace orvex {
namespace {

using bench::kOptionsFileSizes;
using bench::OptionsFileSize;
using bench::syntheticOptionsFile;

std::string slotSection(int slot) {
    const std::string digits = "00" + std::to_string(slot);
    return "VECTOR3-" + digits.substr(digits.size() - 3);
}

// The three smaller sizes; the 10 MB one adds time, not cases.
std::vector<OptionsFileSize> testedSizes() {
    return {kOptionsFileSizes.begin(), kOptionsFileSizes.end() - 1};
}

TEST(SyntheticOptionsFile, HasTheShapeTheBenchmarksAssume) {
    for (const OptionsFileSize& size : testedSizes()) {
        const std::string text = syntheticOptionsFile(size.bytes);
        EXPECT_EQ(text, syntheticOptionsFile(size.bytes)) << size.label << ": same bytes each time";
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
            const std::size_t at = text.find("[" + slotSection(slot) + "]\r\n");
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
        const std::string text = syntheticOptionsFile(size.bytes);
        const IniDocument document(text);
        for (int slot = 0; slot < 24; ++slot) {
            for (const char* key : {"OptionName", "OptionValue", "Missing"}) {
                EXPECT_EQ(IniValue(text, slotSection(slot), key),
                          document.rawValue(slotSection(slot), key))
                    << size.label << " " << slotSection(slot) << "/" << key;
            }
            EXPECT_EQ(IniKeyNames(text, slotSection(slot)), document.keyNames(slotSection(slot)))
                << size.label << " " << slotSection(slot);
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
        {"replace in the last slot", slotSection(23), "OptionValue", "0.5,0.5,0.5"},
        {"add to a slot", slotSection(11), "Extra", "1"},
        {"delete from the first slot", slotSection(0), "OptionName", nullptr},
        {"add a section at the end", "VECTOR3-024", "OptionValue", "1,1,1"},
    };
    for (const OptionsFileSize& size : testedSizes()) {
        const std::string text = syntheticOptionsFile(size.bytes);
        const IniDocument document(text);
        for (const Edit& edit : edits) {
            const auto scanned = IniEdited(text, {IniEditOf(edit.section, edit.key, edit.value)});
            ASSERT_TRUE(scanned.has_value()) << size.label << ": " << edit.name;
            EXPECT_TRUE(scanned == document.edited(edit.section, edit.key, edit.value))
                << size.label << ": " << edit.name;
        }
    }
}

}  // namespace
}  // namespace orvex
