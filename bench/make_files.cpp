// Writes the synthetic options files into the benchmark data folder.
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "bench_files.h"

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : orvex::bench::benchDataFolder();
    ::mkdir(folder.c_str(), 0755);
    for (const auto& size : orvex::test::kOptionsFileSizes) {
        const std::string path = folder + "/" + orvex::bench::optionsFileName(size);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << orvex::test::SyntheticOptionsFile(size.bytes);
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
