// A game under Program Files that Windows virtualizes: its options live partly in
// the user's VirtualStore. Laid out in a temporary folder, LOCALAPPDATA pointing
// at a store beside it.
#include "platform/virtual_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/host_path.h"
#include "platform/system_file_system.h"
#include "profile/profile.h"
#include "test_support.h"

namespace orvex {
namespace {

class VirtualStoreLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        _putenv_s("LOCALAPPDATA", m_root.file("Local").c_str());
        m_output = m_root.file("Program Files\\Orvex\\Data\\client\\output");
        m_store = VirtualStorePath(m_output, m_root.file("Local"));
        std::filesystem::create_directories(m_output);
        std::filesystem::create_directories(m_store);
        test::WriteBytes(m_output + "\\player1_options.ini",
                         "[VECTOR3-000]\r\nOptionValue=1,1,1\r\n");
        test::WriteBytes(m_store + "\\Player1_Options.ini",
                         "[VECTOR3-000]\r\nOptionValue=0,0,1\r\n");
        test::WriteBytes(m_output + "\\player2_options.ini",
                         "[VECTOR3-000]\r\nOptionValue=0,1,0\r\n");
        test::WriteBytes(m_store + "\\player3_options.ini",
                         "[VECTOR3-000]\r\nOptionValue=1,0,0\r\n");
    }
    void TearDown() override { _putenv_s("LOCALAPPDATA", m_saved.c_str()); }

    std::string m_saved = std::getenv("LOCALAPPDATA") ? std::getenv("LOCALAPPDATA") : "";
    test::TempDir m_root;
    std::string m_output;
    std::string m_store;
};

TEST_F(VirtualStoreLayout, ListsEveryFileTheGameSeesOnce) {
    const FolderListing listing = ListFilesTheGameSees(m_output, "player*_options.ini");
    ASSERT_TRUE(listing.ok);
    EXPECT_EQ(listing.names, (std::vector<std::string>{"player1_options.ini", "player2_options.ini",
                                                       "player3_options.ini"}));
}

TEST_F(VirtualStoreLayout, ReadsAndWritesTheStoreCopyWhereOneExists) {
    const std::string player1 = m_output + "\\player1_options.ini";
    SystemFileSystem files;
    EXPECT_EQ(ReadINIEntry(player1, "VECTOR3-000", "OptionValue", std::nullopt, files).value.text,
              "0,0,1");
    ASSERT_TRUE(
        WriteINIValues(player1, {{"VECTOR3-000", "OptionValue", "0.5,0.5,0.5"}}, {}, files).ok);
    EXPECT_EQ(test::ReadBytes(m_store + "\\Player1_Options.ini"),
              "[VECTOR3-000]\r\nOptionValue=0.5,0.5,0.5\r\n");
    EXPECT_EQ(test::ReadBytes(player1), "[VECTOR3-000]\r\nOptionValue=1,1,1\r\n");
    // Without a copy, the folder's own file.
    EXPECT_EQ(files.hostPath(m_output + "\\player2_options.ini"),
              m_output + "\\player2_options.ini");
}

// What Windows answers a program that is not virtualized (this tool) in Program Files.
class RefusingFolder : public SystemFileSystem {
    Error createTemporary(const std::string&, const std::string&, Handle&, bool&) override {
        return ERROR_ACCESS_DENIED;
    }
};

TEST_F(VirtualStoreLayout, ARefusedWriteNamesTheWaysOut) {
    RefusingFolder files;
    const Status written = files.replaceFile(m_output + "\\player2_options.ini", "x");
    ASSERT_FALSE(written.ok);
    EXPECT_NE(written.reason.find("run this tool as administrator"), std::string::npos)
        << written.reason;
    EXPECT_NE(written.reason.find("VirtualStore"), std::string::npos);
}

}  // namespace
}  // namespace orvex
