// Our INI path: a load (LoadColorSlots, 48 reads), a save (SaveColorSlots, 24
// durable writes) and GetINISectionNames on the synthetic options files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench_files.h"
#include "colour/colour_slots.h"
#include "profile/profile.h"

namespace {

using namespace orvex;
using namespace orvex::bench;

// The file list with one entry selected, as the window's list offers it.
class OneFileList : public FileListView {
  public:
    OneFileList(std::string folder, std::string name)
        : m_folder(std::move(folder)), m_name(std::move(name)) {}
    std::string Path() const override { return m_folder; }
    int ListIndex() const override { return 0; }
    int ListCount() const override { return 1; }
    std::string List(int) const override { return m_name; }

  private:
    std::string m_folder;
    std::string m_name;
};

std::string hostFolder() {
    return benchDataFolder();
}

void loadColourSlots(benchmark::State& state, const OptionsFileSize& size) {
    const OneFileList list(windowsForm(hostFolder()), optionsFileName(size));
    ColourSlotTable table;
    for (auto _ : state) {
        table.LoadSelectedFile(list);
        benchmark::DoNotOptimize(table.slot(23).currentColour);
    }
    if (table.slot(23).optionName == "Bad Read") {
        state.SkipWithError("the options file is missing; run orvex_bench_make_files");
    }
}

// Every round gives all 24 slots new colours, so that each save writes 24 values.
void saveColourSlots(benchmark::State& state, const OptionsFileSize& size) {
    const std::string name = std::string("save-ours_") + size.label + ".ini";
    {
        std::ofstream out(hostFolder() + "/" + name, std::ios::binary | std::ios::trunc);
        out << syntheticOptionsFile(size.bytes);
    }
    const OneFileList list(windowsForm(hostFolder()), name);
    ColourSlotTable table;
    table.LoadSelectedFile(list);
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
            table.slot(slot).currentColour =
                static_cast<PackedColour>((round % 2) * 0x00404040 + slot * 0x00010203);
        }
        if (!table.SaveColorSlots(list)) {
            state.SkipWithError("the save failed");
            break;
        }
    }
    std::remove((hostFolder() + "/" + name).c_str());
}

void sectionNames(benchmark::State& state, const OptionsFileSize& size) {
    const std::string file = windowsForm(hostFolder() + "/" + optionsFileName(size));
    std::vector<std::string> names;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetINISectionNames(file, names));
    }
}

}  // namespace

int main(int argc, char** argv) {
    // "INI file saved" and the like must not wait for anyone.
    SetMessageHandler([](const std::string&, const std::string&) {});
    for (const OptionsFileSize& size : kOptionsFileSizes) {
        const std::string label = size.label;
        benchmark::RegisterBenchmark(("load/" + label).c_str(), loadColourSlots, size)
            ->Unit(benchmark::kMicrosecond);
        auto* save = benchmark::RegisterBenchmark(("save/" + label).c_str(), saveColourSlots, size)
                         ->Unit(benchmark::kMicrosecond)
                         ->MinTime(0.3);
        if (size.bytes > 1024 * 1024) {
            save->Repetitions(3);  // each save writes 24 x 10 MB to disk
        }
        benchmark::RegisterBenchmark(("sections/" + label).c_str(), sectionNames, size)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
