// Stickers stay where the user leaves them: the end of a drag stores the
// place in the message and saves the list; rebuilds and restarts put the
// sticker back there while the place lies on a monitor.
#include "framework/application.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_main.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zandrel::testing {
namespace {

namespace fs = std::filesystem;

class StickerPlaceTest : public MainWindowFixture {
protected:
    StickerPlaceTest() {
        MessageList list(dataFile_);
        for (int i = 0; i < 2; ++i) {
            TestEnvironment().now += 0.01;
            list.New(TestEnvironment(), "{\\rtf1 note " + std::to_string(i) + "}");
        }
        TestEnvironment().now += 0.01; // both have started
    }

    TFormMain& Start() { return MainWindowFixture::Start(Shown::NotYet); }

    ScreenPosition Place(const char* name) const {
        const TFormMemo* sticker = form_->Stickers().Find(name);
        const RECT rect = sticker ? sticker->ScreenRect() : RECT{-1, -1, -1, -1};
        return {int(rect.left), int(rect.top)};
    }

    // The system's move loop: it begins, moves the window, and ends.
    void Drag(const char* name, int left, int top) {
        const HWND sticker = form_->Stickers().Find(name)->Handle();
        SendMessageA(sticker, WM_ENTERSIZEMOVE, 0, 0);
        SetWindowPos(sticker, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SendMessageA(sticker, WM_EXITSIZEMOVE, 0, 0);
        PumpMessages();
    }

    void Refresh() {
        SendMessageA(form_->Handle(), WM_COMMAND, form_->FindMenuItem(form_main::Refresh1).Id(), 0);
        PumpMessages();
    }
};

TEST_F(StickerPlaceTest, ADraggedStickerKeepsItsPlaceAcrossRebuildsAndRestarts) {
    Start();
    EXPECT_EQ(Place("Memo_0"), (ScreenPosition{1024 - 210, 0}));
    Drag("Memo_0", 300, 200);

    const MessageRecord& record = form_->Messages().Entry(0).Record;
    EXPECT_EQ(record.PosInvalid, 0);
    EXPECT_EQ(record.PosLeft, 300);
    EXPECT_EQ(record.PosTop, 200);
    MessageList saved(dataFile_);
    saved.LoadMessages(TestEnvironment());
    EXPECT_EQ(saved.Entry(0).Record.PosInvalid, 0);
    EXPECT_EQ(saved.Entry(0).Record.PosLeft, 300);
    EXPECT_EQ(saved.Entry(0).Record.PosTop, 200);

    Refresh();
    EXPECT_EQ(Place("Memo_0"), (ScreenPosition{300, 200}));
    // The cascade closes up over it.
    EXPECT_EQ(Place("Memo_1"), (ScreenPosition{1024 - 210, 0}));

    Start();
    EXPECT_EQ(Place("Memo_0"), (ScreenPosition{300, 200}));
    EXPECT_EQ(Place("Memo_1"), (ScreenPosition{1024 - 210, 0}));
}

TEST_F(StickerPlaceTest, APlaceOffEveryMonitorFallsBackToTheCascade) {
    Start();
    Drag("Memo_1", 700, 400);
    EXPECT_EQ(Place("Memo_1"), (ScreenPosition{700, 400}));
    // The monitor that showed it has gone: a smaller one is left.
    TestEnvironment().monitors = {{0, 0, 800, 600}};
    Refresh();
    EXPECT_EQ(Place("Memo_1"), (ScreenPosition{1024 - 210, 40}));
    // Back again, so is the sticker.
    TestEnvironment().monitors.clear();
    Refresh();
    EXPECT_EQ(Place("Memo_1"), (ScreenPosition{700, 400}));
}

TEST_F(StickerPlaceTest, ADragThatEndsWhereItBeganSavesNothing) {
    Start();
    fs::remove(dataFile_);
    const ScreenPosition before = Place("Memo_0");
    Drag("Memo_0", before.Left, before.Top);
    EXPECT_FALSE(fs::exists(dataFile_));
    EXPECT_NE(form_->Messages().Entry(0).Record.PosInvalid, 0);
}

} // namespace
} // namespace zandrel::testing
