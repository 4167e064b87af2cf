#include "platform/virtual_store.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

TEST(VirtualStorePath, IsTheStoreFolderFollowedByThePathWithoutItsDrive) {
    const std::string local = "C:\\Users\\Ann\\AppData\\Local";
    EXPECT_EQ(
        VirtualStorePath("C:\\Program Files (x86)\\Orvex\\Data\\client\\output\\p.ini", local),
        local + "\\VirtualStore\\Program Files (x86)\\Orvex\\Data\\client\\output\\p.ini");
    EXPECT_EQ(VirtualStorePath("d:\\Games\\x", local + "\\"), local + "\\VirtualStore\\Games\\x");
    // Relative paths and a missing store have no counterpart.
    EXPECT_EQ(VirtualStorePath("Data\\client\\output\\p.ini", local), "");
    EXPECT_EQ(VirtualStorePath("C:\\Games\\p.ini", ""), "");
}

}  // namespace
}  // namespace orvex
