#include "ini_normal_form.h"

#include <gtest/gtest.h>

#include <string>

#include "ini_cases.h"

namespace orvex {
namespace {

// The rewrites observed from the Windows service under Wine.
TEST(IniNormalForm, WritesWhatTheServiceWould) {
    struct Row {
        const char* name;
        std::string bytes;
        std::string normal;
    };
    const Row rows[] = {
        {"empty file", "", ""},
        {"blank lines dropped", "\r\n[s]\r\n\r\n  \r\nk=v\r\n\r\n", "[s]\r\nk=v\r\n"},
        {"every ending becomes CRLF", "[s]\nk=v\ra=1\n\rb=2", "[s]\r\nk=v\r\na=1\r\nb=2\r\n"},
        {"spaces around '=' dropped", "[s]\r\n  a = 1  \r\n", "[s]\r\na=1\r\n"},
        {"only the first '=' splits", "k = a = b\r\n", "k=a = b\r\n"},
        {"comments split at '=' too", "  ;  spaced comment = x  \r\n", ";  spaced comment=x\r\n"},
        {"tab, form feed and ^Z are white space", "\t[s]\x1a\r\n\fk\t=\vv\x1a\r\n",
         "[s]\r\nk=v\r\n"},
        {"header trimmed inside, junk after ] dropped", "  [  Sec A  ] junk\r\n", "[Sec A]\r\n"},
        {"header name runs to the last ]", "[a]b]\r\n", "[a]b]\r\n"},
        {"empty header written as nothing", "[s]\r\nk=1\r\n[]\r\nz=2\r\n", "[s]\r\nk=1\r\nz=2\r\n"},
        {"[ without ] is a plain line", "[noclose \r\n", "[noclose\r\n"},
        {"quotes and inner spaces kept", "k= \" a  b \" \r\n", "k=\" a  b \"\r\n"},
        {"high bytes kept", "[\xC9t\xE9]\r\n\xE9=\xFF\r\n", "[\xC9t\xE9]\r\n\xE9=\xFF\r\n"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(test::Printable(IniNormalForm(row.bytes)), test::Printable(row.normal))
            << row.name;
    }
}

}  // namespace
}  // namespace orvex
