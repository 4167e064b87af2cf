// Our service, built for Windows, against the Windows service itself (or Wine's) in
// the same process, on the same files: every read the system makes must give what
// the same read through the service gives, and after each of our writes the service
// must read what a write of its own would have left. Hand-picked files first, then
// the generated ones of the differential test.
#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "ini_cases.h"
#include "ini_normal_form.h"
#include "platform/system_file_system.h"
#include "profile/profile.h"
#include "test_support.h"

namespace orvex {
namespace {

const std::vector<std::string>& sampleFiles() {
    static const std::vector<std::string> files = {
        "before=1\r\n[General]\r\n  a = 1  \r\nb=\"q\"\r\nc='x\"\r\nnoeq\r\n;c=2\r\n#h=3\r\n"
        "dup=1\r\nDUP=2\r\n[noclose\r\n  [Sp] junk\r\nk=v\r\n[a]b]\r\nz=9\r\n[]\r\nlate=1\r\n"
        "[general]\r\nonly=1",
        "\xEF\xBB\xBF[s]\r\nk=v\r\n",
        std::string("[s]\r\nk=ab\0cd\r\nn\0ul=2\r\n\0[t]\r\nafter=3\r\n", 36),
        "[s]\ra=1\nb=2\r\n\r\nc=\"\"\r\nd=\"\r\ne= \" sp \" \r\n",
        "\f[s]\x1a\r\n\x1a a = 1\f\r\nb=2\x1a",
        "[s]\r\nkey1=1\r\nkey2=2\r\nkey3=3\r\n[t]\r\n\r\n[u]\r\n;c\r\n",
    };
    return files;
}

const char* const kSections[] = {"General", "general", "Sp", "a]b", "", "s", "t", "u", "none"};
const char* const kKeys[] = {"a",        "b", "c", "noeq", ";c",   "#h",     "dup",
                             "[noclose", "k", "z", "late", "only", "before", "after",
                             "n",        "d", "e", "key1", "none"};

std::string windowsPath(const std::string& path) {
    char full[MAX_PATH];
    GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

// A read as the system makes it, through the service: ReadINI's 500 characters (a
// null or empty key lists the keys), or GetINISectionNames' names of the 32767 that
// end in a NUL (a null section), shown as the result and the names.
std::string readWith(bool service, const std::string& file, const char* section, const char* key,
                     const char* defaultValue) {
    if (key != nullptr && *key == '\0') {
        key = nullptr;
    }
    if (!service) {
        SystemFileSystem files;
        if (section == nullptr) {
            std::vector<std::string> names;
            std::string shown = std::to_string(GetINISectionNames(file, names, files));
            for (const std::string& name : names) {
                shown += "|" + name;
            }
            return shown;
        }
        const std::optional<std::string> fallback =
            defaultValue ? std::optional<std::string>(defaultValue) : std::nullopt;
        return ReadINIEntry(file, section, key ? key : "", fallback, files).value.text;
    }
    std::vector<char> buffer(section ? 500 : 32767);
    const DWORD count = GetPrivateProfileStringA(section, key, defaultValue, buffer.data(),
                                                 static_cast<DWORD>(buffer.size()), file.c_str());
    const std::string text(buffer.data(), count);
    if (section != nullptr) {
        return text;
    }
    std::vector<std::string> names;
    for (std::size_t from = 0, nul = text.find('\0'); nul != std::string::npos;
         from = nul + 1, nul = text.find('\0', from)) {
        names.push_back(text.substr(from, nul - from));
    }
    std::string shown = std::to_string(static_cast<int>(names.size()) - 1);
    for (const std::string& name : names.empty() ? std::vector<std::string>(2) : names) {
        shown += "|" + name;
    }
    return shown;
}

void expectSameRead(const std::string& file, const char* section, const char* key,
                    const std::string& label) {
    EXPECT_EQ(test::Printable(readWith(false, file, section, key, "\"DEF\"  ")),
              test::Printable(readWith(true, file, section, key, "\"DEF\"  ")))
        << label;
}

TEST(WindowsService, ReadsTheSameAsOurService) {
    test::TempDir dir;
    const std::string file = windowsPath(dir.file("compare.ini"));
    for (std::size_t f = 0; f < sampleFiles().size(); ++f) {
        test::WriteBytes(file, sampleFiles()[f]);
        const std::string at = "file " + std::to_string(f);
        expectSameRead(file, nullptr, nullptr, at + " section list");
        for (const char* section : kSections) {
            expectSameRead(file, section, nullptr, at + " keys of [" + section + "]");
            for (const char* key : kKeys) {
                expectSameRead(file, section, key, at + " [" + section + "] " + key);
            }
        }
    }
}

std::string serviceRead(const std::string& file, const char* section, const char* key) {
    char buffer[512];
    GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof buffer, file.c_str());
    return buffer;
}

Status writeOurs(const std::string& file, const char* section, const char* key, const char* value) {
    SystemFileSystem files;
    const std::optional<std::string> text =
        value ? std::optional<std::string>(value) : std::nullopt;
    return WriteINIValues(file, {{section, key, text}}, {}, files);
}

TEST(WindowsService, ReadsBackWhatOurWritesLeave) {
    const char* const values[] = {"v1", nullptr};
    test::TempDir dir;
    const std::string file = windowsPath(dir.file("written.ini"));
    for (std::size_t f = 0; f < sampleFiles().size(); ++f) {
        for (const char* section : kSections) {
            for (const char* key : {"a", "k", "noeq", "dup", "fresh"}) {
                for (const char* value : values) {
                    test::WriteBytes(file, sampleFiles()[f]);
                    const std::string before = serviceRead(file, "General", "before");
                    ASSERT_TRUE(writeOurs(file, section, key, value).ok);
                    const std::string label = "file " + std::to_string(f) + " [" + section + "] " +
                                              key + "=" + (value ? value : "(delete)");
                    if (value != nullptr) {
                        EXPECT_EQ(serviceRead(file, section, key), value) << label;
                    }
                    EXPECT_EQ(serviceRead(file, "General", "before"), before) << label;
                }
            }
        }
    }
}

// --- generated files --------------------------------------------------------

constexpr std::uint32_t kSeed = 20261208;
constexpr std::size_t kGeneratedFiles = 150;

const char* pointer(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}

std::string readWith(bool service, const std::string& file, const test::IniOperation& op) {
    return test::Printable(
        readWith(service, file, pointer(op.section), pointer(op.key), pointer(op.defaultValue)));
}

TEST(WindowsService, GeneratedFilesReadTheSame) {
    test::TempDir dir;
    std::size_t cases = 0;
    std::size_t differences = 0;
    const auto files = test::GenerateIniCases(kSeed, kGeneratedFiles);
    for (std::size_t f = 0; f < files.size(); ++f) {
        const std::string file = windowsPath(dir.file("read" + std::to_string(f) + ".ini"));
        test::WriteBytes(file, files[f].bytes);
        for (const test::IniOperation& op : files[f].operations) {
            if (op.kind != test::IniOperation::Kind::Read) {
                continue;
            }
            ++cases;
            const std::string theirs = readWith(true, file, op);
            const std::string ours = readWith(false, file, op);
            if (ours != theirs && ++differences <= 20) {
                ADD_FAILURE() << "file " << f << " \"" << test::Printable(files[f].bytes)
                              << "\"\n  " << test::Describe(op) << "\n  service " << theirs
                              << "\n  ours    " << ours;
            }
        }
    }
    EXPECT_EQ(differences, 0u) << "of " << cases << " reads";
}

TEST(WindowsService, GeneratedWritesLeaveFilesThatReadTheSame) {
    test::TempDir dir;
    std::size_t differences = 0;
    const auto files = test::GenerateIniCases(kSeed, kGeneratedFiles);
    for (std::size_t f = 0; f < files.size(); ++f) {
        const test::IniOperation& op = files[f].operations.back();
        const std::string theirs = windowsPath(dir.file("w" + std::to_string(f) + "-theirs.ini"));
        const std::string ours = windowsPath(dir.file("w" + std::to_string(f) + "-ours.ini"));
        test::WriteBytes(theirs, files[f].bytes);
        test::WriteBytes(ours, files[f].bytes);
        // As the system writes: an empty value deletes the key.
        const char* value = op.value && !op.value->empty() ? op.value->c_str() : nullptr;
        WritePrivateProfileStringA(pointer(op.section), pointer(op.key), value, theirs.c_str());
        ASSERT_TRUE(writeOurs(ours, op.section->c_str(), op.key->c_str(), value).ok)
            << test::Describe(op);
        const std::string theirBytes = test::ReadBytes(theirs);
        const std::string ourBytes = test::ReadBytes(ours);
        const bool emptyHeaderLost =
            test::HasEmptyHeader(files[f].bytes) && theirBytes != files[f].bytes;
        for (const test::IniOperation& read : test::ReadsOfEverything(theirBytes, ourBytes, op)) {
            const std::string expected = readWith(true, theirs, read);
            const std::string serviceOnOurs = readWith(true, ours, read);
            const std::string ourRead = readWith(false, ours, read);
            const bool differs =
                ourRead != serviceOnOurs || (ourRead != expected && !emptyHeaderLost);
            if (differs && ++differences <= 20) {
                ADD_FAILURE() << "file " << f << " " << test::Describe(op) << "\n  "
                              << test::Describe(read) << "\n  service on its file " << expected
                              << "\n  service on our file  " << serviceOnOurs
                              << "\n  ours on our file     " << ourRead;
            }
        }
        EXPECT_EQ(test::Printable(IniNormalForm(ourBytes)),
                  test::Printable(IniNormalForm(theirBytes)))
            << "file " << f << " " << test::Describe(op) << ": more than formatting differs";
    }
    EXPECT_EQ(differences, 0u);
}

}  // namespace
}  // namespace orvex

#endif
