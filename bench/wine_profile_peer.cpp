// The peer under Wine: Windows' own private-profile API doing the reads and writes
// of a load, a save and a section listing on the benchmark files, timed in-process
// with QueryPerformanceCounter. Built with mingw-w64; prints Google Benchmark JSON
// (median aggregates only) so that one script reads every result alike.
//
// Usage: wine orvex_bench_wine_peer.exe <data folder, Windows form> [repetitions]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench_files.h"

namespace {

using orvex::bench::optionsFileName;
using orvex::test::ColourTextForRound;
using orvex::test::kOptionsFileSizes;
using orvex::test::SlotSection;

double secondsNow() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void load(const std::string& file) {
    char buffer[500];
    for (int slot = 0; slot < 24; ++slot) {
        const std::string section = SlotSection(slot);
        GetPrivateProfileStringA(section.c_str(), "OptionName", "Bad Read", buffer, sizeof buffer,
                                 file.c_str());
        GetPrivateProfileStringA(section.c_str(), "OptionValue", "1,1,1", buffer, sizeof buffer,
                                 file.c_str());
    }
}

void save(const std::string& file, int round) {
    for (int slot = 0; slot < 24; ++slot) {
        const std::string text = ColourTextForRound(round, slot);
        WritePrivateProfileStringA(SlotSection(slot).c_str(), "OptionValue", text.c_str(),
                                   file.c_str());
    }
}

void sections(const std::string& file) {
    static std::vector<char> buffer(32767);
    GetPrivateProfileStringA(nullptr, nullptr, "", buffer.data(), static_cast<DWORD>(buffer.size()),
                             file.c_str());
}

// Median over repetitions of the mean time of one operation, in microseconds. A
// repetition runs for 0.2 s at least; an operation slower than 2 s is timed once.
double medianMicroseconds(const std::function<void(int)>& operation, int repetitions, bool warmUp) {
    int round = 0;
    if (warmUp) {
        operation(round++);  // the first read fills Wine's cache of parsed files
    }
    std::vector<double> means;
    for (int rep = 0; rep < repetitions; ++rep) {
        int runs = 0;
        const double start = secondsNow();
        double elapsed = 0;
        while (elapsed < 0.2) {
            operation(round++);
            ++runs;
            elapsed = secondsNow() - start;
        }
        means.push_back(elapsed / runs * 1e6);
        if (elapsed > 2.0) {
            break;
        }
    }
    std::sort(means.begin(), means.end());
    return means[means.size() / 2];
}

void printResult(bool first, const std::string& name, double microseconds) {
    std::printf(
        "%s    {\"name\": \"%s_median\", \"run_name\": \"%s\", \"aggregate_name\": "
        "\"median\", \"real_time\": %.3f, \"time_unit\": \"us\"}",
        first ? "" : ",\n", name.c_str(), name.c_str(), microseconds);
}

bool copyFile(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <data folder> [repetitions]\n", argv[0]);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "\\";
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::printf(
        "{\n  \"context\": {\"peer\": \"Windows private-profile API under Wine\"},\n"
        "  \"benchmarks\": [\n");
    bool first = true;
    for (const auto& size : kOptionsFileSizes) {
        const std::string file = folder + optionsFileName(size);
        const std::string saved = folder + "save-wine_" + size.label + ".ini";
        if (!copyFile(file, saved)) {
            std::fprintf(stderr, "cannot copy %s\n", file.c_str());
            return 1;
        }
        printResult(first, std::string("load/") + size.label,
                    medianMicroseconds([&](int) { load(file); }, repetitions, true));
        first = false;
        printResult(false, std::string("save/") + size.label,
                    medianMicroseconds([&](int round) { save(saved, round); }, repetitions, false));
        printResult(false, std::string("sections/") + size.label,
                    medianMicroseconds([&](int) { sections(file); }, repetitions, true));
        DeleteFileA(saved.c_str());
    }
    std::printf("\n  ]\n}\n");
    return 0;
}
