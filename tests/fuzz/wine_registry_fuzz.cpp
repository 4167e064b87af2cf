// libFuzzer target for the system.reg reader: any bytes must parse without a crash
// or a sanitizer report, a filter that keeps every key must change nothing, and
// what an ANSI query hands out is never longer than the stored data.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "install/wine_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const orvex::WineRegistryFile all = orvex::WineRegistryFile::parse(text);
    const orvex::WineRegistryFile kept =
        orvex::WineRegistryFile::parse(text, [](const std::string&) { return true; });
    if (all.keyCount() != kept.keyCount()) {
        std::abort();
    }
    for (const char* name : {"", "v", "DisplayIcon"}) {
        for (const char* key : {"Software\\K", "", "Software\\Wow6432Node\\K"}) {
            if (const auto* value = all.findValue(key, name)) {
                if (orvex::AnsiRegistryData(*value).size() > value->data.size()) {
                    std::abort();
                }
            }
        }
    }
    return 0;
}
