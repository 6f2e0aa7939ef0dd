// What the controls show of a message without a stored text: its record's
// short text only, never the bytes that follow it in the fallback text.
#include "catalog/report.h"
#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "framework/tests/metafile_text.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_main.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace zandrel::testing {
namespace {

class ShownTextTest : public MainWindowFixture {};

TEST_F(ShownTextTest, AFallbackTextShowsOnlyItsShortTextInTheEditorAStickerAndTheCatalog) {
    {
        MessageList list(dataFile_);
        TMessageEntry& entry = list.New(TestEnvironment(), "");
        entry.Record.ShortText[0] = 9;
        std::memcpy(entry.Record.ShortText + 1, "Call Anna", 9);
        entry.Record.PosLeft = 0x7C48C0; // "ÀH|" in the bytes after the short text
        entry.Record.PosTop = 0xE6A383;
        list.SaveMessages();
        std::filesystem::remove(list.MemoFileName()); // no stored text
    }
    TestEnvironment().now += 1.0 / 1440;
    const std::string stored = test::ReadFile(dataFile_);
    TFormMain& form = Start(Shown::NotYet);

    EXPECT_EQ(PlainText(form.Find(form_main::RichEditText).Handle()), "Call Anna");
    const TFormMemo* sticker = form.Stickers().Find("Memo_0");
    ASSERT_NE(sticker, nullptr);
    EXPECT_EQ(PlainText(sticker->RichEdit1()), "Call Anna");

    TQReport1 report(form.Messages());
    report.Prepare(TestEnvironment());
    report.ProduceAll();
    std::string page;
    for (const PageText& text : TextsOfMetafile(report.PageMetafile(0).get())) {
        page += text.Text + "|";
    }
    EXPECT_NE(page.find("|Call Anna|"), std::string::npos) << page;
    EXPECT_EQ(test::ReadFile(dataFile_), stored);
}

} // namespace
} // namespace zandrel::testing
