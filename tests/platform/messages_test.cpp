#include "platform/messages.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace orvex {
namespace {

TEST(ShowMessage, EmptyTitleBecomesTheApplicationTitle) {
    test::MessageRecorder recorder;
    ShowMessage("INI file saved");
    ShowMessage("bad", "ReadINI");
    ASSERT_EQ(recorder.messages().size(), 2u);
    EXPECT_EQ(recorder.messages()[0].title, "Brannic's Orvex Color Configuration");
    EXPECT_EQ(recorder.messages()[1].title, "ReadINI");
}

TEST(ShowMessage, RecorderRestoresThePreviousHandler) {
    test::MessageRecorder outer;
    {
        test::MessageRecorder inner;
        ShowMessage("inner");
        EXPECT_EQ(inner.messages().size(), 1u);
    }
    ShowMessage("outer");
    ASSERT_EQ(outer.messages().size(), 1u);
    EXPECT_EQ(outer.messages()[0].text, "outer");
}

TEST(ScopedRepeatSuppression, ShowsEachDistinctMessageOnceWhileAlive) {
    test::MessageRecorder recorder;
    {
        ScopedRepeatSuppression suppression;
        ShowMessage("cannot read", "ReadINI");
        ShowMessage("cannot read", "ReadINI");
        ShowMessage("cannot read", "Other");
        ShowMessage("other reason", "ReadINI");
    }
    ShowMessage("cannot read", "ReadINI");
    ASSERT_EQ(recorder.messages().size(), 4u);
    EXPECT_EQ(recorder.messages()[2].text, "other reason");
    EXPECT_EQ(recorder.messages()[3].title, "ReadINI");
}

}  // namespace
}  // namespace orvex
