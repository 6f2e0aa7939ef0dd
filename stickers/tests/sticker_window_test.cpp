// Sticker windows under Wine: real windows driven with the messages the
// platform sends; the fake outside world gives the clock and the screen and
// records sounds and shell calls.
#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "resources/resource_names.h"
#include "stickers/sticker_board.h"

#include <gtest/gtest.h>
#include <richedit.h>

namespace zandrel::testing {
namespace {

constexpr TDateTime kSecond = 1.0 / 86400;

class StickerWindowTest : public ::testing::Test {
protected:
    StickerWindowTest() {
        TestEnvironment().Reset();
        TFormMemo::LeftButtonDown = [this] { return buttonDown_; };
        mainWindow_.reset(CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                          nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
        for (const char* name :
             {res::kBitmapPin, res::kBitmapPinRed, res::kBitmapBanner, res::kBitmapBannerRed}) {
            bitmaps_.emplace_back(static_cast<HBITMAP>(
                LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, 0)));
        }
    }
    ~StickerWindowTest() override {
        board_.DestroyAll();
        TFormMemo::LeftButtonDown = [] { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; };
    }

    // A message starting `start` days from now, alarmed `alarm` days from now.
    TMessageEntry& AddMessage(TDateTime start, TDateTime alarm, std::string text = "note") {
        FakeEnvironment& env = TestEnvironment();
        auto entry = std::make_unique<TMessageEntry>(env, "");
        entry->Record.StartDate = env.now + start;
        entry->Record.AlarmDate = env.now + alarm;
        entry->RichText = std::move(text);
        entry->Key = "key " + std::to_string(list_.Count());
        return list_.Append(std::move(entry));
    }

    void Rebuild(bool expanded = true) {
        board_.Rebuild(
            expanded, {bitmaps_[0].get(), bitmaps_[1].get(), bitmaps_[2].get(), bitmaps_[3].get()});
        PumpMessages();
    }

    TFormMemo& Sticker(const char* name) {
        TFormMemo* sticker = board_.Find(name);
        if (!sticker) {
            throw std::runtime_error(std::string("no sticker ") + name);
        }
        return *sticker;
    }

    static RECT Rect(const TFormMemo& sticker) { return sticker.ScreenRect(); }
    static int Height(const TFormMemo& sticker) { return Rect(sticker).bottom - Rect(sticker).top; }

    // The pointer moves over the surface, then the button goes down there.
    static LRESULT Press(TFormMemo& sticker, int x, int y, bool& buttonDown) {
        SendMessageA(sticker.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        buttonDown = true;
        const LRESULT answer = SendMessageA(sticker.Handle(), WM_NCHITTEST, 0, 0);
        if (answer == HTCLIENT) {
            SendMessageA(sticker.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        }
        return answer;
    }
    void Release(TFormMemo& sticker, int x, int y) {
        buttonDown_ = false;
        SendMessageA(sticker.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    MessageList list_;
    WindowHandle mainWindow_;
    std::vector<BitmapHandle> bitmaps_;
    int shown_ = 0;
    bool buttonDown_ = false;
    StickerBoard board_{StickerHost{.Messages = [this] { return &list_; },
                                    .MainWindow = [this] { return mainWindow_.get(); },
                                    .ShowCurrentMessage = [this] { ++shown_; }}};
};

TEST_F(StickerWindowTest, RebuildNamesLinksColoursAndCascadesStartedMessages) {
    AddMessage(-0.5, -0.25, "{\\rtf1 red one}");
    AddMessage(0.5, 1);                    // not started
    AddMessage(-kSecond, 0, "plain text"); // alarm moment is now: still yellow
    AddMessage(0, 1);                      // start moment is now: no sticker yet
    list_.CurrentIndex = 0;
    Rebuild();

    ASSERT_EQ(board_.Stickers().size(), 3u); // the placeholder and two
    const TFormMemo& placeholder = *board_.Stickers().front();
    EXPECT_EQ(placeholder.ScreenRect().left, 1024 + 100);
    EXPECT_TRUE(placeholder.Visible());
    EXPECT_EQ(PlainText(placeholder.RichEdit1()), ".");

    TFormMemo& first = Sticker("Memo_0");
    TFormMemo& third = Sticker("Memo_2");
    EXPECT_EQ(board_.Find("Memo_1"), nullptr);
    EXPECT_EQ(list_.Entry(0).StickerHandle, reinterpret_cast<std::uintptr_t>(first.Handle()));
    EXPECT_EQ(list_.Entry(2).StickerHandle, reinterpret_cast<std::uintptr_t>(third.Handle()));
    EXPECT_EQ(list_.Entry(1).StickerHandle, 0u);
    EXPECT_TRUE(first.Red());
    EXPECT_FALSE(third.Red());
    EXPECT_EQ(PlainText(first.RichEdit1()), "red one");
    EXPECT_EQ(PlainText(third.RichEdit1()), "plain text");
    EXPECT_GT(SendMessageA(third.RichEdit1(), EM_GETLIMITTEXT, 0, 0), 32767); // any length

    char caption[32] = {};
    GetWindowTextA(third.Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Memo_2");
    EXPECT_EQ(GetWindow(third.Handle(), GW_OWNER), App().Handle());
    const LONG style = GetWindowLongA(third.Handle(), GWL_STYLE); // a close box only
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    const RECT a = Rect(first);
    const RECT b = Rect(third);
    EXPECT_EQ(a.left, 1024 - 210);
    EXPECT_EQ(a.top, 0);
    EXPECT_EQ(b.left, 1024 - 210);
    EXPECT_EQ(b.top, 40);
    EXPECT_EQ(b.right - b.left, 210);
    EXPECT_EQ(b.bottom - b.top, 140);
    EXPECT_TRUE(third.Visible());
    EXPECT_EQ(list_.CurrentIndex, 3);

    // A rebuild keeps the windows that still show a sticker.
    const HWND old = first.Handle();
    Rebuild(false);
    EXPECT_EQ(Sticker("Memo_0").Handle(), old);
    EXPECT_EQ(Height(Sticker("Memo_0")), 70);
    EXPECT_EQ(board_.Stickers().size(), 3u);
}

TEST_F(StickerWindowTest, SecondColumnOnAScreen600High) {
    TestEnvironment().screen = {1024, 600};
    for (int i = 0; i < 13; ++i) {
        AddMessage(-1, 1);
    }
    Rebuild();
    EXPECT_EQ(Rect(Sticker("Memo_11")).top, 440);
    EXPECT_EQ(Rect(Sticker("Memo_12")).top, 40);
    EXPECT_EQ(Rect(Sticker("Memo_12")).left, 1024 - 210 - 30);
}

TEST_F(StickerWindowTest, KeepHiddenStickerIsLinkedAndMailedButHidden) {
    std::vector<std::string> mailed;
    StickerBoard board{StickerHost{
        .Messages = [this] { return &list_; },
        .MainWindow = [this] { return mainWindow_.get(); },
        .ShowCurrentMessage = [] {},
        .SendMailNotification = [&](TMessageEntry& entry) { mailed.push_back(entry.Key); }}};
    AddMessage(-1, 1).SetKeepHidden(true);
    AddMessage(-1, 1);
    board.Rebuild(true, {});
    TFormMemo& hidden = *board.Find("Memo_0");
    EXPECT_FALSE(hidden.Visible());
    EXPECT_EQ(list_.Entry(0).StickerHandle, reinterpret_cast<std::uintptr_t>(hidden.Handle()));
    EXPECT_EQ(board.Find("Memo_1")->ScreenRect().top, 0); // the first slot
    EXPECT_EQ(mailed, (std::vector<std::string>{"key 0", "key 1"}));
}

TEST_F(StickerWindowTest, EmptyListGivesOnlyThePlaceholder) {
    list_.CurrentIndex = 5;
    Rebuild();
    EXPECT_EQ(board_.Stickers().size(), 1u);
    EXPECT_EQ(list_.CurrentIndex, 5);
}

// The region is placed from the real frame: its box is the client area,
// less the two pixels right of the outline.
TEST_F(StickerWindowTest, RegionFollowsTheClientAreaOfTheRealFrame) {
    AddMessage(-1, 1);
    Rebuild();
    TFormMemo& sticker = Sticker("Memo_0");
    POINT origin{0, 0};
    ClientToScreen(sticker.Handle(), &origin);
    const RECT window = Rect(sticker);
    const RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(sticker.Handle(), region.get()), ERROR);
    RECT box{};
    GetRgnBox(region.get(), &box);
    const int left = origin.x - window.left;
    const int top = origin.y - window.top;
    EXPECT_EQ(box.left, left);
    EXPECT_EQ(box.top, top);
    EXPECT_EQ(box.right, left + sticker.ClientWidth() - 3);
    EXPECT_EQ(box.bottom, top + sticker.ClientHeight());
    // The folded corner is cut off.
    EXPECT_FALSE(PtInRegion(region.get(), left + sticker.ClientWidth() - 5, top + 1));
    EXPECT_TRUE(PtInRegion(region.get(), left + 1, top + 1));

    // It follows a change of size at once, not at the next painting.
    SetWindowPos(sticker.Handle(), nullptr, 0, 0, 210, 100, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_NE(GetWindowRgn(sticker.Handle(), region.get()), ERROR);
    GetRgnBox(region.get(), &box);
    EXPECT_EQ(box.bottom, top + sticker.ClientHeight());
}

TEST_F(StickerWindowTest, PinRollsUpAndDownOncePerPress) {
    AddMessage(-1, 1);
    Rebuild();
    TFormMemo& sticker = Sticker("Memo_0");
    auto& sounds = TestEnvironment().sounds;

    EXPECT_EQ(Press(sticker, 5, 5, buttonDown_), HTCLIENT);
    EXPECT_EQ(Height(sticker), 70);
    EXPECT_EQ(GetCapture(), sticker.Handle());
    // Held down: neither another toggle nor a drag.
    EXPECT_EQ(SendMessageA(sticker.Handle(), WM_NCHITTEST, 0, 0), HTCLIENT);
    EXPECT_EQ(Height(sticker), 70);
    EXPECT_FALSE(sticker.HitReady);
    Release(sticker, 5, 5);
    EXPECT_TRUE(sticker.HitReady);
    EXPECT_EQ(GetCapture(), nullptr);

    // Released over another window that took the mouse (the browser the
    // folded corner opened): the next press acts again.
    EXPECT_EQ(Press(sticker, 5, 5, buttonDown_), HTCLIENT);
    EXPECT_FALSE(sticker.HitReady);
    SetCapture(mainWindow_.get());
    ReleaseCapture();
    buttonDown_ = false;
    EXPECT_TRUE(sticker.HitReady);
    EXPECT_EQ(Height(sticker), 140);

    EXPECT_EQ(Press(sticker, 5, 5, buttonDown_), HTCLIENT);
    Release(sticker, 5, 5);
    EXPECT_EQ(Height(sticker), 70);
    Press(sticker, 5, 5, buttonDown_);
    Release(sticker, 5, 5);
    EXPECT_EQ(Height(sticker), 140);
    EXPECT_EQ(sounds, (std::vector<std::string>{"Revup2", "Revdn2", "Revup2", "Revdn2"}));

    SetWindowPos(sticker.Handle(), nullptr, 0, 0, 210, 130, SWP_NOMOVE | SWP_NOZORDER);
    Press(sticker, 5, 5, buttonDown_);
    Release(sticker, 5, 5);
    EXPECT_EQ(Height(sticker), 140);
    // The text control keeps its place under the title strip.
    RECT text{};
    GetWindowRect(sticker.RichEdit1(), &text);
    EXPECT_EQ(text.bottom - text.top, sticker.ClientHeight() - 22);
}

TEST_F(StickerWindowTest, FoldedCornerShowsTheWebCursorAndOpensTheHomePage) {
    AddMessage(-1, 1);
    Rebuild();
    TFormMemo& sticker = Sticker("Memo_0");
    const int cw = sticker.ClientWidth();

    // The cursor is chosen where the platform asks for it, from the pointer.
    auto cursorAt = [&](HWND window, int x, int y) {
        POINT point{x, y};
        ClientToScreen(sticker.Handle(), &point);
        SetCursorPos(point.x, point.y);
        SetCursor(nullptr);
        SendMessageA(window, WM_SETCURSOR, WPARAM(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    EXPECT_EQ(cursorAt(sticker.Handle(), cw - 14, 14), App().ScreenCursor(51));
    EXPECT_NE(App().ScreenCursor(51), nullptr);
    EXPECT_EQ(cursorAt(sticker.Handle(), cw - 15, 14), arrow);
    EXPECT_EQ(cursorAt(sticker.RichEdit1(), 20, 40), arrow); // no text cursor over the text

    // The edge of the cursor zone drags.
    EXPECT_EQ(Press(sticker, cw - 14, 14, buttonDown_), HTCAPTION);
    Release(sticker, cw - 14, 14);
    EXPECT_EQ(Press(sticker, cw - 5, 5, buttonDown_), HTCLIENT);
    Release(sticker, cw - 5, 5);
    EXPECT_EQ(TestEnvironment().opened,
              (std::vector<std::string>{"http://www.keltrune.example/zandrel"}));
}

TEST_F(StickerWindowTest, DragStoresThePlaceBeforeTheDragAndKeepsTheLink) {
    AddMessage(-1, 1);
    AddMessage(-1, 1);
    Rebuild();
    TFormMemo& sticker = Sticker("Memo_0");
    SetWindowPos(sticker.Handle(), nullptr, 500, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const TMessageEntry* original = &list_.Entry(0);

    EXPECT_EQ(Press(sticker, 60, 30, buttonDown_), HTCAPTION);
    // The platform moves the window while the button is held.
    SetWindowPos(sticker.Handle(), nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Release(sticker, 60, 30);

    const TMessageEntry& stored = list_.Entry(0);
    EXPECT_NE(&stored, original);
    EXPECT_EQ(stored.Key, "key 0");
    EXPECT_EQ(stored.Record.PosInvalid, 0);
    EXPECT_EQ(stored.Record.PosLeft, 500);
    EXPECT_EQ(stored.Record.PosTop, 200);
    EXPECT_EQ(stored.StickerHandle, reinterpret_cast<std::uintptr_t>(sticker.Handle()));

    // A double-click afterwards still finds its message.
    SendMessageA(sticker.RichEdit1(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(list_.CurrentIndex, 0);
    EXPECT_EQ(shown_, 1);
}

TEST_F(StickerWindowTest, DoubleClickCentresAMainWindowAtLeftZeroAndKeepsTopZero) {
    AddMessage(-1, 1);
    AddMessage(-1, 1);
    Rebuild();
    EXPECT_EQ(list_.CurrentIndex, 1);
    SetWindowPos(mainWindow_.get(), nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_HIDEWINDOW);

    SendMessageA(Sticker("Memo_0").Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(60, 30));
    RECT main{};
    GetWindowRect(mainWindow_.get(), &main);
    EXPECT_EQ(main.left, (1024 - 400) / 2);
    EXPECT_EQ(main.top, 0);
    EXPECT_TRUE(IsWindowVisible(mainWindow_.get()));
    EXPECT_EQ(list_.CurrentIndex, 0);
    EXPECT_EQ(shown_, 1);

    // The placeholder belongs to no message: the window shows, the current
    // message stays.
    SendMessageA(board_.Stickers().front()->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
    EXPECT_EQ(shown_, 1);
}

TEST_F(StickerWindowTest, ClosingAStickerDestroysItAndUnlinksItsMessage) {
    AddMessage(-1, 1);
    Rebuild();
    TFormMemo& sticker = Sticker("Memo_0");
    const HWND window = sticker.Handle();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(list_.Entry(0).StickerHandle, 0u);
    EXPECT_EQ(board_.Find("Memo_0"), nullptr);
    EXPECT_TRUE(TestEnvironment().boxes.empty());
}

// Only the close command closes a sticker: Esc in its text does not.
TEST_F(StickerWindowTest, EscInTheTextLeavesTheStickerOpen) {
    AddMessage(-1, 1);
    Rebuild();
    TFormMemo& sticker = Sticker("Memo_0");
    const HWND window = sticker.Handle();
    SetFocus(sticker.RichEdit1());
    MSG key{sticker.RichEdit1(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    App().ProcessMessage(key);
    PumpMessages();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(board_.Find("Memo_0"), &sticker);
}

} // namespace
} // namespace zandrel::testing
