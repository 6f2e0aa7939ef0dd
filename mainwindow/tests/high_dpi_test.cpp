// The program on a system at 144 DPI (150 %), in a Wine prefix of its own
// (scripts/high_dpi_test.sh); skipped elsewhere.
#include "alarms/warning_popups.h"
#include "framework/application.h"
#include "framework/dpi.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>
#include <richedit.h>

namespace zandrel::testing {
namespace {

RECT RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

class HighDpiTest : public MainWindowFixture {
protected:
    void SetUp() override {
        if (SystemDpi() != 144) {
            GTEST_SKIP() << "needs a system at 144 DPI (scripts/high_dpi_test.sh)";
        }
        ScratchSettings::Set("DefaultClientHeight", "normal");
        MessageList list(dataFile_);
        for (int i = 0; i < 2; ++i) {
            TestEnvironment().now += 0.01;
            list.New(TestEnvironment(), "{\\rtf1\\ansi Call the dentist\\par before Friday}");
        }
        TestEnvironment().now += 0.01; // both have started
        Start(Shown::NotYet);
    }

    HWND Sticker(const char* name) const { return form_->Stickers().Find(name)->Handle(); }
};

// Sizes, places and the cascade's steps one and a half times their 96-DPI
// figures: main window 558 x 442, sticker 210 x 140 in rows of 40, pop-up
// 289 x 180 at 200, 116.
TEST_F(HighDpiTest, WindowsAndTheCascadeAreOneAndAHalfTimesTheirDesign) {
    PopupCounter counter;
    WarningPopups popups;
    const HWND popup = popups.Open(form_->Messages().Entry(0), counter).Handle();
    const struct {
        HWND window;
        RECT expected;
    } cases[] = {{form_->Handle(), {0, 0, 837, 663}},
                 {Sticker("Memo_0"), {1024 - 315, 0, 1024, 210}},
                 {Sticker("Memo_1"), {1024 - 315, 60, 1024, 60 + 210}},
                 {popup, {300, 174, 300 + 434, 174 + 270}}};
    for (const auto& c : cases) {
        RECT rect = RectOf(c.window);
        if (c.window == form_->Handle()) {
            OffsetRect(&rect, -rect.left, -rect.top); // its place is the start's
        }
        EXPECT_TRUE(EqualRect(&rect, &c.expected))
            << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
    }
}

// The second line begins a line's height below the first and ends inside.
TEST_F(HighDpiTest, AStickerShowsBothLinesOfATwoLineNote) {
    const HWND text = form_->Stickers().Find("Memo_0")->RichEdit1();
    const auto secondLine = LPARAM(SendMessageA(text, EM_LINEINDEX, 1, 0));
    ASSERT_GT(secondLine, 0);
    POINTL first{}, second{};
    SendMessageA(text, EM_POSFROMCHAR, WPARAM(&first), 0);
    SendMessageA(text, EM_POSFROMCHAR, WPARAM(&second), secondLine);
    RECT client{};
    GetClientRect(text, &client);
    EXPECT_GT(second.y, first.y);
    EXPECT_LE(second.y + (second.y - first.y), client.bottom);
}

} // namespace
} // namespace zandrel::testing
