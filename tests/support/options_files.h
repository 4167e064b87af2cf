#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace orvex::test {

// The player options files every test and benchmark works on, from one generator.
// Standard C++ only: the Windows peer of the benchmarks is built from it too.

// The section of colour slot `slot`: "VECTOR3-000" .. "VECTOR3-023".
std::string SlotSection(int slot);

// A player options file as the game writes it: a comment, a [General] section, the
// sections VECTOR3-000 to VECTOR3-024 with "OptionName=<namePrefix><n>", the
// OptionValue `values[n]` (`otherValue` past the list) and "OptionType=Color", then an
// [Other] section holding an OptionValue too; every line ended by `eol`.
std::string OptionsFile(const std::vector<std::string>& values = {},
                        const std::string& otherValue = "1,1,1", const std::string& eol = "\r\n",
                        const std::string& namePrefix = "Option ");

// The sizes of the synthetic files the benchmarks and the large-file tests use.
struct OptionsFileSize {
    const char* label;  // "64K": the benchmark name suffix
    std::size_t bytes;  // the file is this long, give or take one section
};

inline constexpr std::array<OptionsFileSize, 4> kOptionsFileSizes = {{
    {"8K", 8 * 1024},
    {"64K", 64 * 1024},
    {"1M", 1024 * 1024},
    {"10M", 10 * 1024 * 1024},
}};

// A CRLF options file of about `bytes` bytes: the 24 "VECTOR3-" sections, in
// order and spread evenly, among filler sections of 3 to 5 keys. The same size
// always gives the same bytes.
std::string SyntheticOptionsFile(std::size_t bytes);

// Six-decimal colour texts that differ from one save to the next, so that no write
// is skipped as unchanged.
std::string ColourTextForRound(int round, int slot);

}  // namespace orvex::test
