#include "bench_files.h"

#include <cstdlib>

namespace orvex::bench {

std::string optionsFileName(const OptionsFileSize& size) {
    return std::string("options_") + size.label + ".ini";
}

std::string benchDataFolder() {
    const char* folder = std::getenv("ORVEX_BENCH_DATA");
    return folder != nullptr && *folder != '\0' ? folder : "bench-data";
}

std::string windowsForm(std::string hostPath) {
    for (char& c : hostPath) {
        if (c == '/') {
            c = '\\';
        }
    }
    return hostPath;
}

}  // namespace orvex::bench
