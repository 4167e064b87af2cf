// A scheme applied to 10 player files of 64 KB beside 10 single saves of the same
// files: both write 24 values into each file in one durable replace, so applying
// should cost about what saving each character by hand costs.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench_files.h"
#include "colour/colour_slots.h"
#include "form/scheme.h"
#include "platform/system_file_system.h"
#include "test_support.h"

namespace {

using namespace orvex;
using namespace orvex::bench;

constexpr int kFiles = 10;
constexpr std::size_t kFileBytes = 64 * 1024;

// Writes the 10 files and returns their names, as the INI functions take them.
std::vector<std::string> playerFiles(const std::string& prefix) {
    std::vector<std::string> files;
    for (int file = 0; file < kFiles; ++file) {
        const std::string name = prefix + std::to_string(file) + "_options.ini";
        std::ofstream(benchDataFolder() + "/" + name, std::ios::binary | std::ios::trunc)
            << SyntheticOptionsFile(kFileBytes);
        files.push_back(name);
    }
    return files;
}

void removeFiles(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        std::remove((benchDataFolder() + "/" + name).c_str());
    }
}

// Every round gives all 24 options colours the files do not hold yet.
PackedColour colourForRound(int round, int slot) {
    return static_cast<PackedColour>((round % 2) * 0x00404040 + slot * 0x00010203);
}

void applyToTenFiles(benchmark::State& state) {
    const std::vector<std::string> names = playerFiles("apply");
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        paths.push_back(windowsForm(benchDataFolder() + "/" + name));
    }
    SystemFileSystem files;
    int round = 0;
    for (auto _ : state) {
        ++round;
        Scheme scheme;
        for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
            scheme[static_cast<std::size_t>(slot)] =
                SchemeOption{"Option", colourForRound(round, slot), {}};
        }
        for (const ApplyResult& result : ApplyScheme(scheme, paths, files)) {
            if (result.outcome != ApplyOutcome::Written) {
                state.SkipWithError(("not written: " + result.reason).c_str());
            }
        }
    }
    removeFiles(names);
}

void saveTenFiles(benchmark::State& state) {
    const std::vector<std::string> names = playerFiles("save");
    SystemFileSystem files;
    std::vector<test::FakeFileList> lists;
    std::vector<ColourSlotTable> tables;
    for (int file = 0; file < kFiles; ++file) {
        lists.emplace_back(names[static_cast<std::size_t>(file)]);
        lists.back().folder = windowsForm(benchDataFolder());
        tables.emplace_back(files);
        tables.back().LoadSelectedFile(lists.back());
    }
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int file = 0; file < kFiles; ++file) {
            ColourSlotTable& table = tables[static_cast<std::size_t>(file)];
            for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
                table.GiveColour(slot, colourForRound(round, slot));
            }
            const UserMessages told = table.SaveColorSlots(lists[static_cast<std::size_t>(file)]);
            if (told.size() != 1 || told[0].text != "INI file saved") {
                state.SkipWithError("the save failed");
            }
        }
    }
    removeFiles(names);
}

}  // namespace

BENCHMARK(applyToTenFiles)->Name("scheme-apply/10x64K")->Unit(benchmark::kMillisecond)->MinTime(1);
BENCHMARK(saveTenFiles)->Name("save/10x64K")->Unit(benchmark::kMillisecond)->MinTime(1);
BENCHMARK_MAIN();
