#include "mainwindow/core/text_load_guard.h"

#include "storage/core/file_ops.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

class TextLoadGuardTest : public ::testing::Test {
protected:
    const test::TempFolder folder_;
    const std::string path_ = TextLoadGuardPathFor(folder_.File("ZandrelData.dat"));
};

TEST_F(TextLoadGuardTest, AStartThatEndsWhileANoteLoadsShowsThatNoteAsPlainTextUntilReplaced) {
    {
        TextLoadGuard first(path_);
        EXPECT_FALSE(first.InterruptedNote());
        first.Loading("730120 1");
        first.Loading("730120 2"); // the process ends here
    }
    {
        TextLoadGuard second(path_);
        EXPECT_EQ(second.InterruptedNote(), "730120 2");
        EXPECT_TRUE(second.ShowsAsPlainText("730120 2"));
        EXPECT_FALSE(second.ShowsAsPlainText("730120 1"));
        second.Loading("730120 1");
        second.StartupFinished();
    }
    {
        TextLoadGuard third(path_);
        EXPECT_FALSE(third.InterruptedNote());
        EXPECT_TRUE(third.ShowsAsPlainText("730120 2"));
        third.Replaced("730120 2");
    }
    TextLoadGuard fourth(path_);
    EXPECT_FALSE(fourth.ShowsAsPlainText("730120 2"));
    // Nothing left to keep: no file beside the data files.
    EXPECT_FALSE(file_ops::Exists(path_));
}

TEST_F(TextLoadGuardTest, AFinishedStartLeavesNoFile) {
    TextLoadGuard guard(path_);
    guard.Loading("730120 1");
    EXPECT_TRUE(file_ops::Exists(path_));
    guard.StartupFinished();
    EXPECT_FALSE(file_ops::Exists(path_));
}

} // namespace
} // namespace zandrel
