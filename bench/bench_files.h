#pragma once

#include <string>

#include "options_files.h"

namespace orvex::bench {

using test::ColourTextForRound;
using test::kOptionsFileSizes;
using test::OptionsFileSize;
using test::SyntheticOptionsFile;

// The file name of a size in the data folder: "options_64K.ini".
std::string optionsFileName(const OptionsFileSize& size);

// The data folder the benchmarks read: $ORVEX_BENCH_DATA, or "bench-data" in the
// current folder. Files are written there by orvex_bench_make_files.
std::string benchDataFolder();

// The Windows form of a host path ("/a/b" gives "\a\b"), as the INI functions take it.
std::string windowsForm(std::string hostPath);

}  // namespace orvex::bench
