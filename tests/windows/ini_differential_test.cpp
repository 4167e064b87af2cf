// Our INI service (native) against the Windows private-profile service (Wine's,
// through the ini_service program) on generated files: every read the system makes
// (ReadINIEntry with ReadINI's 500 characters, GetINISectionNames with 32767) must
// give what the same read through the service gives; after a write or delete,
// every section and key must read the same from both files, which may differ in
// formatting only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ini_cases.h"
#include "ini_normal_form.h"
#include "platform/system_file_system.h"
#include "profile/profile.h"
#include "test_support.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;
using test::IniCaseFile;
using test::IniOperation;
using test::Printable;

constexpr std::uint32_t kSeed = 20261208;
constexpr std::size_t kFileCount = 400;

// What a read gave, shown: a value or key list as it is; a section list as
// GetINISectionNames' result and names.
using ReadResult = std::string;

std::string describe(const ReadResult& read) {
    return "\"" + Printable(read) + "\"";
}

// `op` as the system makes it: ReadINI's buffer for a value or a key list (an empty
// key lists the keys), GetINISectionNames' for the section list; a write of an empty
// value deletes the key.
IniOperation asTheSystemDoes(IniOperation op) {
    if (op.kind == IniOperation::Kind::Write) {
        if (op.value && op.value->empty()) {
            op.value.reset();
        }
        return op;
    }
    if (op.key && op.key->empty()) {
        op.key.reset();
    }
    op.size = op.section ? 500 : 32767;
    return op;
}

ReadResult sectionList(std::int16_t last, const std::vector<std::string>& names) {
    std::string shown = std::to_string(last);
    for (const std::string& name : names) {
        shown += "|" + name;
    }
    return shown;
}

std::string field(const std::optional<std::string>& text) {
    if (!text) {
        return "-";
    }
    static const char hex[] = "0123456789abcdef";
    std::string out = "x";
    for (const char c : *text) {
        out += hex[static_cast<unsigned char>(c) >> 4];
        out += hex[static_cast<unsigned char>(c) & 15];
    }
    return out;
}

std::string unhex(const std::string& token) {
    std::string bytes;
    for (std::size_t i = 1; i + 1 < token.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(token.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

std::string windowsPath(const fs::path& path) {
    std::string text = "Z:" + path.string();
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

// Calls for the service, each made as the system makes it, collected and then run
// in one Wine process.
class ServiceScript {
  public:
    std::size_t read(const fs::path& file, const IniOperation& operation) {
        const IniOperation op = asTheSystemDoes(operation);
        m_lines.push_back("R " + field(windowsPath(file)) + " " + field(op.section) + " " +
                          field(op.key) + " " + field(op.defaultValue) + " " +
                          std::to_string(op.size));
        return m_lines.size() - 1;
    }
    std::size_t write(const fs::path& file, const IniOperation& operation) {
        const IniOperation op = asTheSystemDoes(operation);
        m_lines.push_back("W " + field(windowsPath(file)) + " " + field(op.section) + " " +
                          field(op.key) + " " + field(op.value));
        return m_lines.size() - 1;
    }
    const std::vector<std::string>& lines() const { return m_lines; }

  private:
    std::vector<std::string> m_lines;
};

// A Wine prefix of its own, made on first use and removed at the end.
class WineService {
  public:
    WineService() {
        setenv("WINEPREFIX", (m_prefix.path() / "prefix").c_str(), 1);
        setenv("WINEDEBUG", "-all", 1);
        setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
    }
    ~WineService() {
        const std::string stop = std::string("\"") + ORVEX_WINESERVER + "\" -k 2>/dev/null";
        [[maybe_unused]] const int status = std::system(stop.c_str());
    }
    WineService(const WineService&) = delete;
    WineService& operator=(const WineService&) = delete;

    // The result line of every script line; empty when the program failed.
    std::vector<std::string> run(const ServiceScript& script, const fs::path& folder) {
        const fs::path in = folder / "script.txt";
        const fs::path out = folder / "results.txt";
        std::ofstream(in, std::ios::binary) << joined(script.lines());
        const std::string command = std::string("\"") + ORVEX_WINE + "\" \"" + ORVEX_INI_SERVICE +
                                    "\" \"" + windowsPath(in) + "\" \"" + windowsPath(out) +
                                    "\" >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0) {
            return {};
        }
        std::vector<std::string> results;
        std::ifstream file(out, std::ios::binary);
        for (std::string line; std::getline(file, line);) {
            results.push_back(line);
        }
        return results;
    }

  private:
    static std::string joined(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\n";
        }
        return text;
    }

    test::TempDir m_prefix;
};

// The service's answer to `op` (made as the system makes it), as the system would
// return it: ReadINI keeps the count's characters, GetINISectionNames the names that
// end in a NUL.
ReadResult serviceRead(const std::string& line, const IniOperation& op) {
    std::istringstream in(line);
    std::string kind, bytes;
    std::size_t count = 0;
    in >> kind >> count >> bytes;
    const std::string buffer = unhex(bytes).substr(0, count);
    if (op.section) {
        return buffer;
    }
    std::vector<std::string> names;
    for (std::size_t from = 0, nul = buffer.find('\0'); nul != std::string::npos;
         from = nul + 1, nul = buffer.find('\0', from)) {
        names.push_back(buffer.substr(from, nul - from));
    }
    const auto last = static_cast<std::int16_t>(static_cast<int>(names.size()) - 1);
    return sectionList(last, names.empty() ? std::vector<std::string>(2) : names);
}

ReadResult ourRead(const fs::path& file, const IniOperation& op) {
    SystemFileSystem files;
    if (!op.section) {
        std::vector<std::string> names;
        const std::int16_t last = GetINISectionNames(file.string(), names, files);
        return sectionList(last, names);
    }
    return ReadINIEntry(file.string(), *op.section, op.key.value_or(""), op.defaultValue, files)
        .value.text;
}

Status ourWrite(const fs::path& file, const IniOperation& op) {
    SystemFileSystem files;
    return WriteINIValues(file.string(), {{*op.section, *op.key, op.value}}, {}, files);
}

class IniDifferential : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_files = test::GenerateIniCases(kSeed, kFileCount);
        s_dir = new test::TempDir;
        s_wine = new WineService;
    }
    static void TearDownTestSuite() {
        delete s_wine;
        delete s_dir;
    }

    static fs::path path(const std::string& name) { return s_dir->path() / name; }

    static void report(std::vector<std::string>& problems, std::string problem) {
        problems.push_back(std::move(problem));
    }

    static void expectNone(const std::vector<std::string>& problems, std::size_t cases) {
        std::string shown;
        for (std::size_t i = 0; i < problems.size() && i < 25; ++i) {
            shown += problems[i] + "\n";
        }
        EXPECT_EQ(problems.size(), 0u) << "of " << cases << " cases:\n" << shown;
    }

    static std::vector<IniCaseFile> s_files;
    static test::TempDir* s_dir;
    static WineService* s_wine;
};

std::vector<IniCaseFile> IniDifferential::s_files;
test::TempDir* IniDifferential::s_dir = nullptr;
WineService* IniDifferential::s_wine = nullptr;

// More section names than GetINISectionNames' 32767 characters hold.
IniCaseFile sectionsBeyondTheLargestBuffer() {
    IniCaseFile file;
    for (int i = 0; i < 2000; ++i) {
        file.bytes +=
            "[Section number " + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
    }
    file.operations.push_back(
        {IniOperation::Kind::Read, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 32767});
    file.operations.push_back(
        {IniOperation::Kind::Read, "section NUMBER 1999", "K", std::nullopt, std::nullopt, 500});
    return file;
}

TEST_F(IniDifferential, ReadsGiveWhatTheSameReadsThroughTheServiceGive) {
    std::vector<IniCaseFile> readFiles = s_files;
    readFiles.push_back(sectionsBeyondTheLargestBuffer());
    ServiceScript script;
    std::vector<std::pair<std::size_t, std::size_t>> calls;  // file, operation
    for (std::size_t f = 0; f < readFiles.size(); ++f) {
        const fs::path file = path("read" + std::to_string(f) + ".ini");
        test::WriteBytes(file, readFiles[f].bytes);
        for (std::size_t o = 0; o < readFiles[f].operations.size(); ++o) {
            if (readFiles[f].operations[o].kind == IniOperation::Kind::Read) {
                script.read(file, readFiles[f].operations[o]);
                calls.emplace_back(f, o);
            }
        }
    }
    const std::vector<std::string> results = s_wine->run(script, s_dir->path());
    ASSERT_EQ(results.size(), calls.size()) << "the service program did not run";
    std::vector<std::string> problems;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const auto [f, o] = calls[i];
        const IniOperation& op = readFiles[f].operations[o];
        const ReadResult theirs = serviceRead(results[i], op);
        const ReadResult ours = ourRead(path("read" + std::to_string(f) + ".ini"), op);
        if (ours != theirs) {
            report(problems, "file " + std::to_string(f) + " \"" + Printable(readFiles[f].bytes) +
                                 "\"\n  " + test::Describe(op) + "\n  service " + describe(theirs) +
                                 "\n  ours    " + describe(ours));
        }
    }
    std::cout << "[ compared ] " << calls.size() << " reads of " << readFiles.size() << " files\n";
    expectNone(problems, calls.size());
}

TEST_F(IniDifferential, WritesLeaveFilesThatReadTheSame) {
    ServiceScript writes;
    std::vector<std::size_t> writers;
    for (std::size_t f = 0; f < s_files.size(); ++f) {
        const IniOperation& op = s_files[f].operations.back();
        const std::string stem = "write" + std::to_string(f);
        test::WriteBytes(path(stem + "-theirs.ini"), s_files[f].bytes);
        test::WriteBytes(path(stem + "-ours.ini"), s_files[f].bytes);
        writes.write(path(stem + "-theirs.ini"), op);
        writers.push_back(f);
    }
    ASSERT_EQ(s_wine->run(writes, s_dir->path()).size(), writers.size())
        << "the service program did not run";

    ServiceScript reads;
    std::vector<std::vector<IniOperation>> readsOf(s_files.size());
    std::vector<std::string> problems;
    for (const std::size_t f : writers) {
        const IniOperation& op = s_files[f].operations.back();
        const std::string stem = "write" + std::to_string(f);
        const Status status = ourWrite(path(stem + "-ours.ini"), op);
        if (!status.ok) {
            report(problems, "file " + std::to_string(f) + ": " + test::Describe(op) +
                                 " refused: " + status.reason);
        }
        readsOf[f] = test::ReadsOfEverything(test::ReadBytes(path(stem + "-theirs.ini")),
                                             test::ReadBytes(path(stem + "-ours.ini")), op);
        for (const IniOperation& read : readsOf[f]) {
            reads.read(path(stem + "-theirs.ini"), read);
            reads.read(path(stem + "-ours.ini"), read);
        }
    }
    const std::vector<std::string> results = s_wine->run(reads, s_dir->path());
    ASSERT_EQ(results.size(), reads.lines().size()) << "the service program did not run";

    std::size_t line = 0;
    std::size_t cases = 0;
    std::size_t deliberate = 0;
    for (const std::size_t f : writers) {
        const std::string stem = "write" + std::to_string(f);
        const std::string theirBytes = test::ReadBytes(path(stem + "-theirs.ini"));
        const std::string ourBytes = test::ReadBytes(path(stem + "-ours.ini"));
        const bool emptyHeaderLost =
            test::HasEmptyHeader(s_files[f].bytes) && theirBytes != s_files[f].bytes;
        const std::string where = "file " + std::to_string(f) + " \"" +
                                  Printable(s_files[f].bytes) + "\"\n  " +
                                  test::Describe(s_files[f].operations.back()) + "\n  ";
        for (const IniOperation& read : readsOf[f]) {
            ++cases;
            const ReadResult theirs = serviceRead(results[line++], read);
            const ReadResult serviceOnOurs = serviceRead(results[line++], read);
            const ReadResult ours = ourRead(path(stem + "-ours.ini"), read);
            if (ours != serviceOnOurs) {
                report(problems, where + test::Describe(read) + "\n  service on our file " +
                                     describe(serviceOnOurs) + "\n  ours on our file    " +
                                     describe(ours));
            } else if (ours != theirs && emptyHeaderLost) {
                ++deliberate;
            } else if (ours != theirs) {
                report(problems, where + test::Describe(read) + "\n  service on its file " +
                                     describe(theirs) + "\n  service on our file  " +
                                     describe(serviceOnOurs) + "\n  ours on our file     " +
                                     describe(ours) + "\n  their file \"" + Printable(theirBytes) +
                                     "\"\n  our file   \"" + Printable(ourBytes) + "\"");
            }
        }
        if (IniNormalForm(ourBytes) != IniNormalForm(theirBytes)) {
            report(problems, where + "files differ beyond formatting:\n  their file \"" +
                                 Printable(theirBytes) + "\"\n  our file   \"" +
                                 Printable(ourBytes) + "\"");
        }
    }
    std::cout << "[ compared ] " << writers.size() << " writes, " << cases << " reads after them, "
              << deliberate << " reads differ as an empty section header was dropped\n";
    expectNone(problems, cases);
}

// Where the service's behaviour loses or corrupts data we keep ours; each row shows
// what the service does and that our engine keeps the file's meaning.
TEST_F(IniDifferential, DeliberateDifferencesWhereTheServiceCorruptsTheFile) {
    struct Row {
        const char* name;
        std::string before;
        IniOperation write;
        IniOperation probe;        // a read that tells the two results apart
        std::string serviceReads;  // what the probe reads after the service's write
        std::string oursReads;     // and after ours
        bool oursRefused;
    };
    const auto write = [](const char* section, const char* key, const char* value) {
        return IniOperation{IniOperation::Kind::Write, section, key, std::nullopt, value, 0};
    };
    const auto read = [](const char* section, const char* key) {
        return IniOperation{IniOperation::Kind::Read, section, key, "<missing>", std::nullopt, 64};
    };
    const Row rows[] = {
        {"an empty section header is dropped, its keys join the section before",
         "[s]\r\nk=1\r\n[]\r\nz=2\r\n", write("s", "a", "3"), read("s", "z"), "2", "<missing>",
         false},
        {"a line break in a value adds a key", "[s]\r\nk=1\r\n", write("s", "k", "x\r\nevil=1"),
         read("s", "evil"), "1", "<missing>", true},
        {"a line break in a section name adds a section", "[s]\r\nk=1\r\n",
         write("t]\r\n[u", "k", "1"), read("u", "k"), "1", "<missing>", true},
        {"'=' in a key name splits it", "[s]\r\n", write("s", "a=b", "c"), read("s", "a"), "b=c",
         "<missing>", true},
        {"a key starting with ';' is a comment for the key list", "[s]\r\nk=1\r\n",
         write("s", ";c", "1"), read("s", ";c"), "1", "<missing>", true},
    };
    ServiceScript script;
    std::vector<std::size_t> probes;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const fs::path theirs = path("deliberate" + std::to_string(i) + "-theirs.ini");
        test::WriteBytes(theirs, rows[i].before);
        script.write(theirs, rows[i].write);
        probes.push_back(script.read(theirs, rows[i].probe));
    }
    const std::vector<std::string> results = s_wine->run(script, s_dir->path());
    ASSERT_EQ(results.size(), script.lines().size()) << "the service program did not run";
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        const fs::path ours = path("deliberate" + std::to_string(i) + "-ours.ini");
        test::WriteBytes(ours, row.before);
        const Status status = ourWrite(ours, row.write);
        EXPECT_EQ(serviceRead(results[probes[i]], row.probe), row.serviceReads)
            << row.name << ": the service";
        EXPECT_EQ(ourRead(ours, row.probe), row.oursReads) << row.name << ": ours";
        EXPECT_EQ(!status.ok, row.oursRefused) << row.name;
        if (row.oursRefused) {
            EXPECT_EQ(test::ReadBytes(ours), row.before) << row.name << ": a refused write";
        }
    }
}

// Cases where our engine once answered otherwise than the service; each now agrees.
TEST_F(IniDifferential, FormerDifferencesNowAgree) {
    struct Row {
        const char* name;
        std::string before;
        std::optional<IniOperation> write;
        IniOperation probe;
    };
    const auto keyList = [](const char* section) {
        return IniOperation{
            IniOperation::Kind::Read, section, std::nullopt, "<none>", std::nullopt, 64};
    };
    const Row rows[] = {
        {"a key list names a key with an empty name", "[s]\r\na=1\r\n=x\r\nb=2\r\n", std::nullopt,
         keyList("s")},
        {"a key list leaves out an empty name right after an empty name",
         "[s]\r\na=1\r\n=x\r\n\r\n =y\r\nb=2\r\n=z\r\n;c\r\n=w\r\nc=3\r\n", std::nullopt,
         keyList("s")},
        {"a key list starting with an empty name is the default", "[s]\r\n=x\r\na=1\r\n",
         std::nullopt, keyList("s")},
        {"a blank default comes back as one blank", "[s]\r\n", std::nullopt,
         IniOperation{IniOperation::Kind::Read, "s", "k", "   ", std::nullopt, 64}},
        {"a deletion matches names as given", "[s]\r\nA=1\r\n",
         IniOperation{IniOperation::Kind::Write, " s ", " A ", std::nullopt, std::nullopt, 0},
         keyList("s")},
    };
    ServiceScript script;
    std::vector<std::size_t> probes;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const fs::path theirs = path("former" + std::to_string(i) + "-theirs.ini");
        test::WriteBytes(theirs, rows[i].before);
        if (rows[i].write) {
            script.write(theirs, *rows[i].write);
        }
        probes.push_back(script.read(theirs, rows[i].probe));
    }
    const std::vector<std::string> results = s_wine->run(script, s_dir->path());
    ASSERT_EQ(results.size(), script.lines().size()) << "the service program did not run";
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        const fs::path ours = path("former" + std::to_string(i) + "-ours.ini");
        test::WriteBytes(ours, row.before);
        if (row.write) {
            ourWrite(ours, *row.write);
        }
        EXPECT_EQ(ourRead(ours, row.probe), serviceRead(results[probes[i]], row.probe)) << row.name;
    }
}

}  // namespace
}  // namespace orvex
