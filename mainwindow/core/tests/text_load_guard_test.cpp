#include "mainwindow/core/text_load_guard.h"

#include "storage/core/file_ops.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

TEST(TextLoadGuardTest, AStartThatEndsWhileANoteLoadsShowsThatNoteAsPlainTextUntilReplaced) {
    const test::TempFolder folder;
    const std::string path = TextLoadGuardPathFor(folder.File("ZandrelData.dat"));
    {
        TextLoadGuard first(path);
        EXPECT_FALSE(first.InterruptedNote());
        first.Loading("730120 1");
        first.Loading("730120 2"); // the process ends here
    }
    {
        TextLoadGuard second(path);
        EXPECT_EQ(second.InterruptedNote(), "730120 2");
        EXPECT_TRUE(second.ShowsAsPlainText("730120 2"));
        EXPECT_FALSE(second.ShowsAsPlainText("730120 1"));
        second.Loading("730120 1");
        second.StartupFinished();
    }
    {
        TextLoadGuard third(path);
        EXPECT_FALSE(third.InterruptedNote());
        EXPECT_TRUE(third.ShowsAsPlainText("730120 2"));
        third.Replaced("730120 2");
    }
    TextLoadGuard fourth(path);
    EXPECT_FALSE(fourth.ShowsAsPlainText("730120 2"));
    // Nothing left to keep: no file beside the data files.
    EXPECT_FALSE(file_ops::Exists(path));
}

} // namespace
} // namespace zandrel
