// Our INI path: a load (LoadColorSlots: one read, 48 values), a save (SaveColorSlots:
// one read, 24 values, one durable replace) and GetINISectionNames on the synthetic
// options files; beside them the two floors any implementation pays: 48 bare
// open+read+close calls (a load that reads per value) and one durable replace.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench_files.h"
#include "colour/colour_slots.h"
#include "platform/system_file_system.h"
#include "profile/profile.h"
#include "test_support.h"

namespace {

using namespace orvex;
using namespace orvex::bench;

std::string hostFolder() {
    return benchDataFolder();
}

void loadColourSlots(benchmark::State& state, const OptionsFileSize& size) {
    test::FakeFileList list(optionsFileName(size));
    list.folder = windowsForm(hostFolder());
    SystemFileSystem files;
    ColourSlotTable table(files);
    for (auto _ : state) {
        table.LoadSelectedFile(list);
        benchmark::DoNotOptimize(table.slot(23).colour);
    }
    if (table.slot(23).optionName == "Bad Read") {
        state.SkipWithError("the options file is missing; run orvex_bench_make_files");
    }
}

// Saves `bytes`, written to `name` first, again and again; every round gives all 24
// slots new colours, so that each save writes 24 values.
void saveRounds(benchmark::State& state, const std::string& name, const std::string& bytes) {
    {
        std::ofstream out(hostFolder() + "/" + name, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    test::FakeFileList list(name);
    list.folder = windowsForm(hostFolder());
    SystemFileSystem files;
    ColourSlotTable table(files);
    table.LoadSelectedFile(list);
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int slot = 0; slot < ColourSlotTable::kSlotCount; ++slot) {
            table.GiveColour(
                slot, static_cast<PackedColour>((round % 2) * 0x00404040 + slot * 0x00010203));
        }
        const UserMessages told = table.SaveColorSlots(list);
        if (told.size() != 1 || told[0].text != "INI file saved") {
            state.SkipWithError("the save failed");
            break;
        }
    }
    std::remove((hostFolder() + "/" + name).c_str());
}

void saveColourSlots(benchmark::State& state, const OptionsFileSize& size) {
    saveRounds(state, std::string("save-ours_") + size.label + ".ini",
               SyntheticOptionsFile(size.bytes));
}

// 48 reads of the whole file, each with its own open and close: what a load costs
// when every value is read from the file with nothing but the system calls.
void floorReads(benchmark::State& state, const OptionsFileSize& size) {
    const std::string path = hostFolder() + "/" + optionsFileName(size);
    std::string buffer(size.bytes + 4096, '\0');
    for (auto _ : state) {
        for (int read = 0; read < 48; ++read) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            benchmark::DoNotOptimize(::read(fd, buffer.data(), buffer.size()));
            ::close(fd);
        }
    }
}

// One crash-safe replace of the file: temporary file, write, fsync, rename, fsync of
// the folder. What any save that cannot lose the file must pay.
void floorReplace(benchmark::State& state, const OptionsFileSize& size) {
    const std::string folder = hostFolder();
    const std::string path = folder + "/floor_" + size.label + ".ini";
    const std::string temporary = path + ".tmp";
    const std::string bytes = SyntheticOptionsFile(size.bytes);
    for (auto _ : state) {
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
        ::fsync(fd);
        ::close(fd);
        ::rename(temporary.c_str(), path.c_str());
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::fsync(dir);
        ::close(dir);
    }
    std::remove(path.c_str());
}

void sectionNames(benchmark::State& state, const OptionsFileSize& size) {
    const std::string file = windowsForm(hostFolder() + "/" + optionsFileName(size));
    std::vector<std::string> names;
    SystemFileSystem files;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetINISectionNames(file, names, files));
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (const OptionsFileSize& size : kOptionsFileSizes) {
        const std::string label = size.label;
        benchmark::RegisterBenchmark(("load/" + label).c_str(), loadColourSlots, size)
            ->Unit(benchmark::kMicrosecond);
        auto* save = benchmark::RegisterBenchmark(("save/" + label).c_str(), saveColourSlots, size)
                         ->Unit(benchmark::kMicrosecond)
                         ->MinTime(0.3);
        if (size.bytes > 1024 * 1024) {
            save->Repetitions(3);  // each save writes 10 MB to disk
        }
        benchmark::RegisterBenchmark(("sections/" + label).c_str(), sectionNames, size)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("floor-reads/" + label).c_str(), floorReads, size)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("floor-replace/" + label).c_str(), floorReplace, size)
            ->Unit(benchmark::kMicrosecond)
            ->MinTime(0.3);
    }
    benchmark::RegisterBenchmark("save/200M",
                                 [](benchmark::State& state) {
                                     saveRounds(state, "save-huge.ini",
                                                SyntheticOptionsFile(200u << 20));
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2);
    benchmark::RegisterBenchmark("save/50M-one-line",
                                 [](benchmark::State& state) {
                                     saveRounds(state, "save-line.ini",
                                                SyntheticOptionsFile(8 * 1024) +
                                                    "[Big]\r\nx=" + std::string(50u << 20, 'x'));
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
