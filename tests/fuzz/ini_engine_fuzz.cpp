// libFuzzer target for the INI engine (inputs up to 4096 bytes). The input is a
// section name, a key, a value (each ended by a lone backslash, as
// FuzzedDataProvider reads strings), then the file's bytes; its last bytes once
// picked a buffer size and are still taken, so that the corpus keeps its meaning.
// For every input:
// - the reads of the system (a value, a key list, the section list) stay inside
//   ReadINI's 499 characters, a value holds no NUL, and the section list is shaped
//   as GetINISectionNames promises;
// - a write, when the engine accepts the names, reads back as the written value,
//   leaves every other key's value as it was, and changes only the bytes of one
//   value, or adds lines (one entry, and a header for a new section), or removes
//   one line;
// - several writes in one edit leave exactly the bytes the line model leaves after
//   the same writes one by one.
// ORVEX_FUZZ_DEBUG=1 prints the bytes an edit changed, to read a failing input.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ini_line_model.h"
#include "platform/system_file_system.h"
#include "platform/text.h"
#include "profile/ini_text.h"
#include "profile/profile.h"

namespace {

using orvex::IniDocument;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

const std::string& scratchFile() {
    static const std::string path = [] {
        const char* shm = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(shm) + "/orvex_ini_fuzz_" + std::to_string(::getpid()) + ".ini";
    }();
    return path;
}

void writeScratch(const std::string& bytes) {
    std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void checkReads(const std::string& section, const std::string& key) {
    orvex::SystemFileSystem files;
    const std::string value =
        orvex::ReadINIEntry(scratchFile(), section, key.empty() ? "k" : key, "dflt", files)
            .value.text;
    check(value.size() <= 499 && value.find('\0') == std::string::npos);
    check(orvex::ReadINIEntry(scratchFile(), section, "", "dflt", files).value.text.size() <= 499);
    std::vector<std::string> names{"stale"};
    const std::int16_t last = orvex::GetINISectionNames(scratchFile(), names, files);
    check(last == -1 ? names.size() == 2 : names.size() == static_cast<std::size_t>(last) + 1);
}

bool isBreak(char c) {
    return c == '\r' || c == '\n';
}

// The bytes in which `before` and `after` differ, after their common start and end.
struct Difference {
    std::string_view removed;
    std::string_view added;
};

Difference differenceOf(std::string_view before, std::string_view after) {
    std::size_t start = 0;
    while (start < before.size() && start < after.size() && before[start] == after[start]) {
        ++start;
    }
    std::size_t end = 0;
    while (end < before.size() - start && end < after.size() - start &&
           before[before.size() - 1 - end] == after[after.size() - 1 - end]) {
        ++end;
    }
    return {before.substr(start, before.size() - start - end),
            after.substr(start, after.size() - start - end)};
}

// The lines in `text` read as a ring: what is removed or added at a point where
// the old and new bytes agree can start anywhere inside the line it belongs to.
std::size_t ringLineCount(std::string_view text) {
    std::size_t lines = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        lines += !isBreak(text[at]) && isBreak(text[(at + 1) % text.size()]) ? 1 : 0;
    }
    const bool noBreak = text.find_first_of("\r\n") == std::string_view::npos;
    return noBreak && !text.empty() ? 1 : lines;
}

bool hasBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string printable(std::string_view bytes) {
    std::string out;
    for (const unsigned char c : bytes) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, c >= 0x20 && c < 0x7f ? "%c" : "\\x%02x", c);
        out += escaped;
    }
    return out;
}

void checkEditShape(const IniDocument& before, const IniDocument& after, bool keyExisted,
                    bool sectionExisted, bool deleting) {
    const Difference difference = differenceOf(before.text(), after.text());
    if (std::getenv("ORVEX_FUZZ_DEBUG") != nullptr) {
        std::fprintf(stderr, "key existed %d, section existed %d, delete %d\n", keyExisted,
                     sectionExisted, deleting);
        for (std::string_view part : {difference.removed, difference.added}) {
            std::fprintf(stderr, "[%s]\n", printable(part).c_str());
        }
    }
    if (deleting) {
        check(difference.added.empty());
        check(ringLineCount(difference.removed) <= 1);
    } else if (keyExisted) {
        check(!hasBreak(difference.removed) && !hasBreak(difference.added));
    } else {
        check(difference.removed.empty());
        check(ringLineCount(difference.added) <= (sectionExisted ? 1u : 2u));
    }
}

// Every other key of the first few sections reads as before.
void checkOthersKept(const IniDocument& before, const IniDocument& after, std::string_view section,
                     std::string_view key) {
    const auto same = [](std::string_view a, std::string_view b) {
        return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
    };
    std::vector<std::string> sections = before.sectionNames();
    sections.insert(sections.begin(), std::string());
    for (std::size_t s = 0; s < sections.size() && s < 8; ++s) {
        const auto keys = before.keyNames(sections[s]);
        if (!keys) {
            continue;
        }
        for (std::size_t k = 0; k < keys->size() && k < 16; ++k) {
            const std::string& name = (*keys)[k];
            if (same(sections[s], section) && same(orvex::TrimIniBlanks(name), key)) {
                continue;
            }
            check(before.rawValue(sections[s], name) == after.rawValue(sections[s], name));
        }
    }
}

void checkWrite(const std::string& bytes, const std::string& section, const std::string& key,
                const std::string& value) {
    const bool deleting = value.empty();  // as WriteINIValues takes an empty value
    orvex::SystemFileSystem files;
    const orvex::Status status =
        orvex::WriteINIValues(scratchFile(), {{section, key, value}}, {}, files);
    if (!status.ok) {
        return;  // refused names: nothing to check but that the file is untouched
    }
    std::ifstream in(scratchFile(), std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    const IniDocument before(bytes);
    const IniDocument after(written);
    const std::string_view sectionName = orvex::TrimIniBlanks(section);
    const std::string_view keyName = orvex::TrimIniBlanks(key);
    const auto readBack = after.rawValue(sectionName, keyName);
    if (!deleting) {
        const std::string_view expected = orvex::TrimIniBlanks(value);
        check(readBack && orvex::Unquoted(*readBack) == orvex::Unquoted(expected));
    }
    checkOthersKept(before, after, sectionName, keyName);
    if (written != bytes) {
        checkEditShape(before, after, before.rawValue(sectionName, keyName).has_value(),
                       before.keyNames(sectionName).has_value(), deleting);
    }
}

bool storable(std::string_view section, std::string_view key, std::string_view value) {
    const auto clean = [](std::string_view text) {
        return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
    };
    return clean(section) && clean(key) && clean(value) && !key.empty() &&
           key.find('=') == std::string_view::npos && key.front() != '[' && key.front() != ';' &&
           key.compare(0, 3, "\xEF\xBB\xBF") != 0;
}

// Writes to the file's own first sections, to the fuzzed names and to a new section,
// all at once, against the line model applying them one after the other.
void checkBatch(const std::string& bytes, const std::string& section, const std::string& key,
                const std::string& value) {
    std::vector<std::string> sections = IniDocument(bytes).sectionNames();
    sections.resize(std::min<std::size_t>(sections.size(), 3));
    sections.push_back(std::string(orvex::TrimIniBlanks(section)));
    sections.push_back("Added");
    const std::string keys[] = {std::string(orvex::TrimIniBlanks(key)), "OptionValue"};
    std::vector<orvex::IniEdit> edits;
    for (const std::string& name : sections) {
        for (const std::string& keyName : keys) {
            const bool duplicate = std::any_of(edits.begin(), edits.end(), [&](const auto& edit) {
                return orvex::EqualsIgnoringAsciiCase(edit.section, name) &&
                       orvex::EqualsIgnoringAsciiCase(edit.key, keyName);
            });
            const std::string text = edits.size() % 2 == 0 ? value : "0.5,0.5,0.5";
            if (!duplicate && storable(name, keyName, text)) {
                edits.push_back({name, keyName, text});
            }
        }
    }
    std::string expected = bytes;
    for (const orvex::IniEdit& edit : edits) {
        if (auto next = IniDocument(expected).edited(edit.section, edit.key, edit.value->c_str())) {
            expected = std::move(*next);
        }
    }
    const std::string got = orvex::IniEdited(bytes, edits).value_or(bytes);
    if (got != expected && std::getenv("ORVEX_FUZZ_DEBUG") != nullptr) {
        for (const orvex::IniEdit& edit : edits) {
            std::fprintf(stderr, "edit [%s] %s=%s\n", edit.section.c_str(), edit.key.c_str(),
                         edit.value->c_str());
        }
        std::fprintf(stderr, "before:   %s\n", printable(bytes).c_str());
        std::fprintf(stderr, "one pass: %s\nexpected: %s\n", printable(got).c_str(),
                     printable(expected).c_str());
    }
    check(got == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    provider.ConsumeIntegralInRange<std::size_t>(1, 600);
    // The service takes C strings: a NUL ends each name and the value.
    const std::string section = provider.ConsumeRandomLengthString(64).c_str();
    const std::string key = provider.ConsumeRandomLengthString(64).c_str();
    const std::string value = provider.ConsumeRandomLengthString(600).c_str();
    const std::string bytes = provider.ConsumeRemainingBytesAsString();

    writeScratch(bytes);
    checkReads(section, key);
    checkWrite(bytes, section, key, value);
    checkBatch(bytes, section, key, value);
    return 0;
}
