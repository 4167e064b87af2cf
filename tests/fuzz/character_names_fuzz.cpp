// libFuzzer target for the character-name step: a file name as the list shows it
// (ended by a lone backslash), then the bytes of shortcut.ini. Whatever they hold:
// the player id is lower case and no longer than the name, the section list is
// shaped as GetINISectionNames promises, and a name found is text of the file,
// at most 499 characters long.
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/system_file_system.h"
#include "profile/character_names.h"
#include "profile/profile.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A folder of our own holding shortcut.ini, in Windows form with a final "\".
const std::string& outputFolder() {
    static const std::string folder = [] {
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string path = std::string(base) + "/orvex_names_fuzz_" + std::to_string(::getpid());
        ::mkdir(path.c_str(), 0700);
        return path + "\\";
    }();
    return folder;
}

void writeShortcut(const std::string& bytes) {
    std::string path = outputFolder();
    path.back() = '/';
    std::ofstream out(path + "shortcut.ini", std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool hasUpperAscii(const std::string& text) {
    for (char c : text) {
        if (c >= 'A' && c <= 'Z') {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const std::string fileName = provider.ConsumeRandomLengthString(260);
    const std::string shortcut = provider.ConsumeRemainingBytesAsString();
    writeShortcut(shortcut);

    const std::string id = orvex::PlayerIdFromFileName(fileName);
    check(id.size() <= fileName.size());
    check(!hasUpperAscii(id));

    orvex::SystemFileSystem files;
    std::vector<std::string> sections{"stale"};
    const std::int16_t last =
        orvex::GetINISectionNames(outputFolder() + "shortcut.ini", sections, files);
    if (last < 0) {
        check(last == -1 && sections.size() == 2 && sections[0].empty() && sections[1].empty());
    } else {
        check(sections.size() == static_cast<std::size_t>(last) + 1);
    }

    const std::string name =
        orvex::LookupCharacterName(fileName, outputFolder(), sections, files).value;
    check(name.size() <= 499);
    check(name.empty() || shortcut.find(name) != std::string::npos);
    return 0;
}
