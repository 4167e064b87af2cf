#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace orvex::bench {

// The synthetic player options files every benchmark and peer works on.
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
std::string syntheticOptionsFile(std::size_t bytes);

// The file name of a size in the data folder: "options_64K.ini".
std::string optionsFileName(const OptionsFileSize& size);

// The data folder the benchmarks read: $ORVEX_BENCH_DATA, or "bench-data" in the
// current folder. Files are written there by orvex_bench_make_files.
std::string benchDataFolder();

// The Windows form of a host path ("/a/b" gives "\a\b"), as the INI functions take it.
std::string windowsForm(std::string hostPath);

// Six-decimal colour texts that differ from one save to the next, so that no write
// is skipped as unchanged.
std::string colourTextForRound(int round, int slot);

}  // namespace orvex::bench
