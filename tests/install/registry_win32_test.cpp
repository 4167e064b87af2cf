// The registry itself (built for Windows; runs there or under Wine).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "install/registry.h"
#include "install_test_support.h"

namespace orvex {
namespace {

using namespace std::string_literals;

const char* const kTestKey = "Software\\OrvexRegistryTest";

// A key of the current user's, filled with one value of each kind and deleted again.
class Win32Registry : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &m_key, nullptr),
                  ERROR_SUCCESS);
        set("Path", REG_SZ, "C:\\Games\\X\\game.exe,0\0"s);
        set("TextNulText", REG_SZ, "before\0after\0"s);
        set("Empty", REG_SZ, "\0"s);
        set("Expand", REG_EXPAND_SZ, "%SystemRoot%\\x\0"s);
        set("Multi", REG_MULTI_SZ, "a\0b\0\0"s);
        set("AllBits", REG_DWORD, "\xff\xff\xff\xff");
        set("Abc", REG_BINARY, "ABC");
        set("EmptyBin", REG_BINARY, "");
        set("HighBytes", REG_BINARY, "\xe9\0\xff"s);
    }
    void TearDown() override {
        RegCloseKey(m_key);
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    }
    void set(const char* name, DWORD type, const std::string& data) {
        ASSERT_EQ(RegSetValueExA(m_key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS)
            << name;
    }

    HKEY m_key = nullptr;
};

TEST_F(Win32Registry, ValuesReadAsTheirTypeSays) {
    struct Row {
        const char* key;
        const char* value;
        RegistryValue expected;
    };
    const Row rows[] = {
        {kTestKey, "Path", "C:\\Games\\X\\game.exe,0"s},
        {kTestKey, "TextNulText", "before"s},
        {kTestKey, "Empty", ""s},
        {kTestKey, "Expand", "<default>"s},
        {kTestKey, "Multi", "<default>"s},
        {kTestKey, "AllBits", -1},
        {kTestKey, "Abc", "ABC"s},
        {kTestKey, "EmptyBin", ""s},
        {kTestKey, "HighBytes", "\xe9\0\xff"s},
        {kTestKey, "Missing", "<default>"s},
        {"Software\\OrvexRegistryTest\\Nowhere", "Path", "<default>"s},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(
            describe(RegistryGetKeyValue(kHkeyCurrentUser, row.key, row.value, "<default>"s).value),
            describe(row.expected))
            << row.value;
    }
}

}  // namespace
}  // namespace orvex
