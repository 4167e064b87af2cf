// libFuzzer target for the system.reg reader: any bytes must parse without a crash
// or a sanitizer report, a filter that keeps every key must change nothing, what
// an ANSI query hands out is never longer than the stored data, and the registry
// reader over a prefix holding these bytes returns a value of the right type: a
// text for REG_SZ and REG_BINARY, an integer for a four-byte REG_DWORD, the
// default for every other type.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <variant>

#include "install/registry.h"
#include "install/wine_prefixes.h"
#include "install/wine_registry.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A prefix of our own whose system.reg holds the input.
const std::string& scratchPrefix() {
    static const std::string prefix = [] {
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        const std::string path =
            std::string(base) + "/orvex_reg_fuzz_" + std::to_string(::getpid());
        ::mkdir(path.c_str(), 0700);
        return path;
    }();
    return prefix;
}

void checkTypedRead(const orvex::WineRegistryFile& file, std::string_view text) {
    {
        std::ofstream out(scratchPrefix() + "/system.reg", std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    orvex::WinePrefixRegistry registry({scratchPrefix()});
    const orvex::RegistryValue fallback = std::int32_t{-77};
    const orvex::RegistryValue got =
        orvex::RegistryGetKeyValue(registry, orvex::kHkeyLocalMachine, "Software\\K", "v", fallback)
            .value;
    const auto* value = file.findValue("Software\\Wow6432Node\\K", "v");
    if (value == nullptr) {
        value = file.findValue("Software\\K", "v");
    }
    if (value == nullptr) {
        check(got == fallback);
        return;
    }
    switch (value->type) {
        case orvex::kRegSz:
            check(std::holds_alternative<std::string>(got) &&
                  std::get<std::string>(got).size() <= orvex::AnsiRegistryData(*value).size());
            break;
        case orvex::kRegBinary:
            check(std::holds_alternative<std::string>(got) &&
                  std::get<std::string>(got) == value->data);
            break;
        case orvex::kRegDword:
            check(value->data.size() != 4 || std::holds_alternative<std::int32_t>(got));
            break;
        default:
            check(got == fallback);
    }
}

}  // namespace

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
                    check(false);
                }
            }
        }
    }
    checkTypedRead(all, text);
    return 0;
}
