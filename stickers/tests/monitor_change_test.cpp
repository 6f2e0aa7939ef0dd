// Stickers placed on a second monitor, to the left of the primary one
// (negative coordinates) and to the right of it: back there at every start
// while the monitor is there; in the cascade while it is away, their places
// kept; back again when it returns. Windows left off every monitor come back.
#include "framework/application.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "stickers/core/sticker_surface.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>
#include <richedit.h>

namespace zandrel::testing {
namespace {

const MonitorArea kPrimary{0, 0, 1024, 768};
const MonitorArea kLeft{-1280, 0, 0, 1024};
const MonitorArea kRight{1024, 0, 2048, 768};
const ScreenPosition kOnLeft{-900, 100};
const ScreenPosition kOnRight{1300, 200};

class MonitorChangeTest : public MainWindowFixture {
protected:
    MonitorChangeTest() {
        MessageList list(dataFile_);
        for (const ScreenPosition place : {kOnLeft, kOnRight}) {
            TestEnvironment().now += 0.01;
            list.New(TestEnvironment(), "{\\rtf1 note}");
            list.Entry(list.Count() - 1).SetPosition(false, place.Left, place.Top);
        }
        list.SaveMessages();
        TestEnvironment().now += 0.01; // both have started
    }
    ~MonitorChangeTest() override {
        TFormMemo::LeftButtonDown = [] { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; };
    }

    TFormMain& StartWith(std::vector<MonitorArea> monitors) {
        TestEnvironment().monitors = std::move(monitors);
        return Start(Shown::NotYet);
    }

    void DisplayChange(std::vector<MonitorArea> monitors) {
        TestEnvironment().monitors = std::move(monitors);
        SendMessageA(form_->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
        PumpMessages();
    }

    ScreenPosition Place(const char* sticker) const {
        const RECT rect = form_->Stickers().Find(sticker)->ScreenRect();
        return {int(rect.left), int(rect.top)};
    }
    ScreenPosition Stored(std::size_t index) const {
        const MessageRecord& record = form_->Messages().Entry(index).Record;
        return {record.PosInvalid ? -1 : record.PosLeft, record.PosTop};
    }
};

// Their places are used wherever their monitor lies, left or right of the
// primary one.
TEST_F(MonitorChangeTest, WithoutTheirMonitorTheyCascadeAndTheirPlacesStayUntilItReturns) {
    const std::string savedData = test::ReadFile(dataFile_);
    StartWith({kPrimary});
    EXPECT_EQ(Place("Memo_0"), (ScreenPosition{1024 - 210, 0}));
    EXPECT_EQ(Place("Memo_1"), (ScreenPosition{1024 - 210, 40}));
    // A press that starts a drag of a sticker in the cascade keeps its place.
    TFormMemo& sticker = *form_->Stickers().Find("Memo_1");
    SendMessageA(sticker.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 60));
    TFormMemo::LeftButtonDown = [] { return true; };
    EXPECT_EQ(SendMessageA(sticker.Handle(), WM_NCHITTEST, 0, 0), HTCAPTION);
    TFormMemo::LeftButtonDown = [] { return false; };
    EXPECT_EQ(Stored(0), kOnLeft);
    EXPECT_EQ(Stored(1), kOnRight);
    EXPECT_EQ(test::ReadFile(dataFile_), savedData);

    DisplayChange({kPrimary, kLeft, kRight});
    EXPECT_EQ(Place("Memo_0"), kOnLeft);
    EXPECT_EQ(Place("Memo_1"), kOnRight);
}

// Dragged onto a monitor of 144 DPI, a sticker takes the size the system
// suggests and lays out its text, font and shape for that DPI.
TEST_F(MonitorChangeTest, AStickerMovedOntoAMonitorOfAnotherDpiLaysItselfOut) {
    StartWith({kPrimary});
    TFormMemo& sticker = *form_->Stickers().Find("Memo_0");
    const RECT suggested{100, 100, 100 + 315, 100 + 210};
    SendMessageA(sticker.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&suggested));
    EXPECT_EQ(sticker.Scaling().Dpi(), 144);
    const RECT now = sticker.ScreenRect();
    EXPECT_TRUE(EqualRect(&now, &suggested));
    RECT text{};
    GetWindowRect(sticker.RichEdit1(), &text);
    MapWindowPoints(nullptr, sticker.Handle(), reinterpret_cast<POINT*>(&text), 2);
    const WindowBounds expected =
        TextBounds(sticker.ClientWidth(), sticker.ClientHeight(), DpiScale(144));
    EXPECT_EQ((WindowBounds{text.left, text.top, text.right - text.left, text.bottom - text.top}),
              expected);
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    SendMessageA(sticker.RichEdit1(), EM_GETCHARFORMAT, SCF_DEFAULT, LPARAM(&format));
    EXPECT_EQ(format.yHeight, 17 * 1440 / 96); // twips of a 17-pixel font
}

TEST_F(MonitorChangeTest, AWindowLeftOffEveryMonitorComesBackOntoTheNearestOne) {
    TFormMain& main = StartWith({kPrimary, kRight});
    main.ShowAtStart();
    const RECT parked = main.ScreenRect(); // off the screen until first shown
    DisplayChange({kPrimary});
    EXPECT_EQ(main.ScreenRect().left, parked.left);

    main.ShowMainWindow();
    main.MoveTo(1500, 100);
    DisplayChange({kPrimary});
    const RECT back = main.ScreenRect();
    EXPECT_EQ(back.right, 1024);
    EXPECT_EQ(back.top, 100);
}

} // namespace
} // namespace zandrel::testing
