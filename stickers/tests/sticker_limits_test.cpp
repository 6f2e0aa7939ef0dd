// Stickers at the system's limits under Wine. Windows: a window-creation
// hook stands in for a system whose quota of windows is full, refusing the
// sticker windows from the k-th on with the system's error for it. Drawing
// objects: a maker that refuses them all.
#include "framework/controls/rich_edit.h"
#include "framework/system_error.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/tests/main_window_fixture.h"

#include <gtest/gtest.h>

#include <string_view>

namespace zandrel::testing {
namespace {

// While it lives, the sticker windows after the first `granted` are refused.
class StickerWindowQuota {
public:
    explicit StickerWindowQuota(int granted)
        : hook_(SetWindowsHookExA(WH_CBT, Refuse, nullptr, GetCurrentThreadId())) {
        granted_ = granted;
        made_ = 0;
    }

private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
        char name[32] = {};
        if (code == HCBT_CREATEWND &&
            GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
            std::string_view(name) == "Zandrel.TFormMemo" && ++made_ > granted_) {
            SetLastError(ERROR_NOT_ENOUGH_QUOTA);
            return 1;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline int granted_ = 0;
    static inline int made_ = 0;
    UniqueHandle<HHOOK, UnhookWindowsHookEx> hook_;
};

void AddStarted(MessageList& list) {
    FakeEnvironment& env = TestEnvironment();
    env.now += 0.001;
    list.Add(env, {env.now - 1, env.now + 1, -1, "{\\rtf1 note}", {}, false});
}

class StickerLimitsTest : public MainWindowFixture {
protected:
    void Refresh() {
        Event click;
        form_->BtnRefreshClick(click);
    }
    bool Shows(int index) const {
        return form_->Stickers().Find("Memo_" + std::to_string(index)) != nullptr;
    }
};

TEST_F(StickerLimitsTest, RefusedWindowsLeaveTheRestOutWithOneBoxUntilTheirNumberChanges) {
    MessageList stored(dataFile_);
    for (int i = 0; i < 5; ++i) {
        AddStarted(stored);
    }
    const std::vector<ShownBox>& boxes = TestEnvironment().boxes;
    const std::string why = " could not be shown as stickers: the system refused what they "
                            "need. They stay in the list and the editor; a refresh shows them "
                            "once the system has room.\nCannot create the window "
                            "Zandrel.TFormMemo\nCreateWindowExA failed with error 1816: " +
                            SystemErrorText(ERROR_NOT_ENOUGH_QUOTA);
    {
        const StickerWindowQuota quota(3); // the placeholder and two stickers
        Start();                           // two rebuilds
        EXPECT_TRUE(Shows(0) && Shows(1));
        EXPECT_FALSE(Shows(2) || Shows(3) || Shows(4));
        EXPECT_EQ(form_->Messages().Count(), 5u);
        EXPECT_EQ(form_->Messages().Entry(4).StickerHandle, 0u);
        Refresh();
        AddStarted(form_->Messages());
        Refresh();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].Text, "3 notes" + why);
        EXPECT_EQ(boxes[1].Text, "4 notes" + why);
    }
    Refresh();
    EXPECT_TRUE(Shows(2) && Shows(5));
    EXPECT_EQ(boxes.size(), 2u);
}

// Every drawing object refused, and no pictures: the sticker stays whole and
// on the screen with its text after painting, its region the plain client
// area.
TEST(StickerObjectsTest, RefusedDrawingObjectsLeaveTheStickerWhole) {
    TestEnvironment().Reset();
    const test::TempFolder folder;
    MessageList list(folder.File("ZandrelData.dat"));
    AddStarted(list);
    GdiMaker refusing;
    refusing.Font = [](const LOGFONTA&) { return HFONT(nullptr); };
    refusing.Pen = [](int) { return HPEN(nullptr); };
    refusing.Polygon = [](std::span<const POINT>) { return HRGN(nullptr); };
    StickerBoard board(StickerHost{.Messages = [&] { return &list; }}, refusing);
    board.Rebuild(true, {});
    UpdateWindow(board.Find("Memo_0")->Handle());
    PumpMessages();

    const TFormMemo* sticker = board.Find("Memo_0");
    ASSERT_NE(sticker, nullptr);
    EXPECT_TRUE(sticker->Visible());
    EXPECT_EQ(PlainText(sticker->RichEdit1()), "note");
    RECT region{};
    EXPECT_EQ(GetWindowRgnBox(sticker->Handle(), &region), SIMPLEREGION);
    board.DestroyAll();
}

} // namespace
} // namespace zandrel::testing
