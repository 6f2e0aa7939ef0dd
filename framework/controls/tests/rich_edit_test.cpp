// Streaming texts into and out of a real rich-edit control.
#include "framework/handles.h"
#include "framework/controls/rich_edit.h"

#include <gtest/gtest.h>

#include <richedit.h>

namespace zandrel::testing {
namespace {

class RichEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        library_.reset(LoadLibraryA("riched20.dll"));
        ASSERT_NE(library_.get(), nullptr);
        edit_.reset(CreateWindowExA(0, "RichEdit20A", "", ES_MULTILINE | WS_POPUP, 0, 0, 200, 100,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
        ASSERT_NE(edit_.get(), nullptr);
    }

    ModuleHandle library_;
    WindowHandle edit_;
};

TEST_F(RichEditTest, RtfGoesInAsFormattedTextAndComesBackAsRtf) {
    LoadRichText(edit_.get(), "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain \\b bold\\b0\\par}");
    EXPECT_EQ(PlainText(edit_.get()).substr(0, 10), "plain bold");

    const std::string saved = SaveRichText(edit_.get());
    ASSERT_TRUE(saved.starts_with("{\\rtf"));
    LoadRichText(edit_.get(), "other");
    LoadRichText(edit_.get(), saved);
    EXPECT_EQ(PlainText(edit_.get()).substr(0, 10), "plain bold");
}

TEST_F(RichEditTest, TextThatIsNotRtfIsShownAsPlainTextAndReplacesTheContent) {
    LoadRichText(edit_.get(), "{\\rtf1 first}");
    LoadRichText(edit_.get(), "just a note");
    EXPECT_EQ(PlainText(edit_.get()), "just a note");

    // A damaged RTF header still shows its bytes rather than nothing.
    LoadRichText(edit_.get(), "{\\rtf");
    EXPECT_FALSE(PlainText(edit_.get()).empty());
}

} // namespace
} // namespace zandrel::testing
