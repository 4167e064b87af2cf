#include "install/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <stdexcept>
#include <system_error>

#include "install_test_support.h"
#include "test_support.h"

namespace orvex {
namespace {

using namespace std::string_literals;

// One key holding at most one value, with switches for the failures the reader
// must survive. It counts opens and closes so that leaked keys show.
class FakeRegistry : public RegistryBackend {
  public:
    bool keyExists = true;
    bool valueExists = true;
    std::uint32_t type = kRegSz;
    std::string data;
    bool failDataQuery = false;
    std::function<void()> throwOnOpen;
    std::function<void()> throwOnData;
    std::uint32_t extraWrittenClaim = 0;  // a backend that claims more than it wrote

    int opens = 0;
    int closes = 0;

    long openKey(std::uint32_t, const std::string&, KeyHandle& key) override {
        if (throwOnOpen) {
            throwOnOpen();
        }
        if (!keyExists) {
            return kRegistryNotFound;
        }
        ++opens;
        key = 42;
        return kRegistryOk;
    }
    long queryValueInfo(KeyHandle, const std::string&, std::uint32_t& outType,
                        std::uint32_t& size) override {
        if (!valueExists) {
            return kRegistryNotFound;
        }
        outType = type;
        size = static_cast<std::uint32_t>(data.size());
        return kRegistryOk;
    }
    long queryValueData(KeyHandle, const std::string&, std::uint32_t& outType,
                        unsigned char* buffer, std::uint32_t& size) override {
        if (throwOnData) {
            throwOnData();
        }
        if (failDataQuery) {
            return 5;  // ERROR_ACCESS_DENIED
        }
        if (data.size() > size) {
            size = static_cast<std::uint32_t>(data.size());
            return kRegistryMoreData;
        }
        if (!data.empty()) {
            std::memcpy(buffer, data.data(), data.size());
        }
        outType = type;
        size = static_cast<std::uint32_t>(data.size()) + extraWrittenClaim;
        return kRegistryOk;
    }
    long closeKey(KeyHandle key) override {
        EXPECT_EQ(key, 42u);
        ++closes;
        return kRegistryOk;
    }
};

RegistryRead read(FakeRegistry& registry, const RegistryValue& defaultValue) {
    return RegistryGetKeyValue(registry, kHkeyLocalMachine, "SOFTWARE\\Game", "DisplayIcon",
                               defaultValue);
}

struct ValueRow {
    const char* name;
    std::uint32_t type;
    std::string data;
    bool failDataQuery;
    RegistryValue defaultValue;
    RegistryValue expected;
};

TEST(RegistryGetKeyValue, ResultDependsOnTheValueType) {
    const ValueRow rows[] = {
        {"string path", kRegSz, "C:\\Games\\X\\game.exe,0\0"s, false, "d"s,
         "C:\\Games\\X\\game.exe,0"s},
        {"string cut at first NUL", kRegSz, "before\0after\0"s, false, "d"s, "before"s},
        {"string of size 0", kRegSz, "", false, "d"s, ""s},
        {"string holding only its NUL", kRegSz, "\0"s, false, "d"s, ""s},
        {"string without terminating NUL", kRegSz, "abc", false, "d"s, "abc"s},
        {"string whose second read fails", kRegSz, "abc\0"s, true, "d"s, NoValue{}},
        {"binary ABC", kRegBinary, "ABC", false, "d"s, "ABC"s},
        {"binary keeps NUL and high bytes", kRegBinary, "\xe9\0\xff"s, false, "d"s, "\xe9\0\xff"s},
        {"binary empty", kRegBinary, "", false, "d"s, ""s},
        {"binary whose second read fails", kRegBinary, "ABC", true, "d"s, NoValue{}},
        {"dword all bits set is -1", kRegDword, "\xff\xff\xff\xff", false, "d"s, -1},
        {"dword little endian", kRegDword, "\x2a\x01\0\0"s, false, "d"s, 298},
        {"dword highest positive", kRegDword, "\xff\xff\xff\x7f", false, "d"s,
         std::numeric_limits<std::int32_t>::max()},
        {"dword of three bytes", kRegDword, "\xef\xbe\xad", false, "d"s, 0xadbeef},
        {"dword too long for its integer", kRegDword, "\1\2\3\4\5", false, "d"s, "d"s},
        {"dword whose second read fails keeps the default", kRegDword, "\1\0\0\0"s, true, "d"s,
         "d"s},
        {"dword failure keeps a number default", kRegDword, "\1\0\0\0"s, true, 7, 7},
        {"expand string gives the default", kRegExpandSz, "%SystemRoot%\0"s, false, "d"s, "d"s},
        {"multi string gives the default", kRegMultiSz, "a\0b\0\0"s, false, "d"s, "d"s},
        {"qword gives the default", 11, "\1\2\3\4\5\6\7\x08", false, 5, 5},
        {"type none gives a no-value default", 0, "", false, NoValue{}, NoValue{}},
    };
    for (const auto& row : rows) {
        FakeRegistry registry;
        registry.type = row.type;
        registry.data = row.data;
        registry.failDataQuery = row.failDataQuery;
        const RegistryRead got = read(registry, row.defaultValue);
        EXPECT_EQ(describe(got.value), describe(row.expected)) << row.name;
        EXPECT_EQ(registry.opens, 1) << row.name;
        EXPECT_EQ(registry.closes, 1) << row.name;
        EXPECT_FALSE(got.report) << row.name;
    }
}

TEST(RegistryGetKeyValue, MissingKeyOrValueGivesTheDefaultSilently) {
    struct Row {
        const char* name;
        bool keyExists;
        bool valueExists;
        RegistryValue defaultValue;
        int closes;
    };
    const Row rows[] = {
        {"missing key, text default", false, true, "fallback"s, 0},
        {"missing key, number default", false, true, -3, 0},
        {"missing value, text default", true, false, ""s, 1},
        {"missing value, no-value default", true, false, NoValue{}, 1},
    };
    for (const auto& row : rows) {
        FakeRegistry registry;
        registry.keyExists = row.keyExists;
        registry.valueExists = row.valueExists;
        const RegistryRead got = read(registry, row.defaultValue);
        EXPECT_EQ(describe(got.value), describe(row.defaultValue)) << row.name;
        EXPECT_EQ(registry.closes, row.closes) << row.name;
        EXPECT_FALSE(got.report) << row.name;
    }
}

TEST(RegistryGetKeyValue, TrappedFailureIsReportedAndGivesNoValue) {
    struct Row {
        const char* name;
        bool duringOpen;
        std::function<void()> thrower;
        const char* message;
    };
    const Row rows[] = {
        {"exhausted memory", false, [] { throw std::bad_alloc(); }, "Error: 7. Out of memory"},
        {"text too long to build", false, [] { throw std::length_error("basic_string"); },
         "Error: 7. Out of memory"},
        {"system error keeps its code", false,
         [] { throw std::system_error(std::make_error_code(std::errc::permission_denied)); },
         "Error: 13. Permission denied"},
        {"other exception", false, [] { throw std::runtime_error("hive unreadable"); },
         "Error: 51. hive unreadable"},
        {"exception without text", false, [] { throw std::runtime_error(""); },
         "Error: 51. Internal error"},
        {"not an exception", false, [] { throw 3; }, "Error: 51. Internal error"},
        {"failure while opening", true, [] { throw std::bad_alloc(); }, "Error: 7. Out of memory"},
    };
    for (const auto& row : rows) {
        FakeRegistry registry;
        registry.data = "C:\\x.exe\0"s;
        (row.duringOpen ? registry.throwOnOpen : registry.throwOnData) = row.thrower;
        const RegistryRead got = read(registry, "the default"s);
        EXPECT_EQ(describe(got.value), describe(NoValue{})) << row.name;
        EXPECT_EQ(got.report, (UserMessage{row.message, "RegistryGetKeyValue"})) << row.name;
        EXPECT_EQ(registry.opens, registry.closes) << row.name << ": key left open";
    }
}

TEST(RegistryGetKeyValue, WrittenSizeBeyondTheBufferIsNotTrusted) {
    for (const std::uint32_t type : {kRegSz, kRegBinary}) {
        FakeRegistry registry;
        registry.type = type;
        registry.data = "abc";
        registry.extraWrittenClaim = 1000;
        EXPECT_EQ(describe(read(registry, ""s).value), describe("abc"s)) << "type " << type;
    }
}

TEST(RegistryValueToText, GivesTheTextStartUpStores) {
    const std::pair<RegistryValue, const char*> rows[] = {
        {NoValue{}, ""}, {"C:\\Games\\X\\game.exe"s, "C:\\Games\\X\\game.exe"},
        {""s, ""},       {0, "0"},
        {-1, "-1"},      {std::numeric_limits<std::int32_t>::min(), "-2147483648"},
    };
    for (const auto& [value, expected] : rows) {
        EXPECT_EQ(RegistryValueToText(value), expected) << describe(value);
    }
}

}  // namespace
}  // namespace orvex
