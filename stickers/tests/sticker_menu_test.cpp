// A sticker's right-click menu under Wine, with the main window: real menus
// chosen with the keyboard, the files on disk, the timer's tick.
#include "framework/application.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_main.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace zandrel::testing {
namespace {

constexpr TDateTime kSecond = 1.0 / 86400;

class StickerMenuTest : public ::testing::Test {
protected:
    // Message 0 alarmed yesterday (red), message 1 tomorrow (yellow).
    StickerMenuTest() {
        FakeEnvironment& env = TestEnvironment();
        env.Reset();
        ScratchSettings::Set("SoundEnabled", "true");
        MessageList list(dataFile_);
        for (const TDateTime alarm : {-1.0, 1.0}) {
            EditorValues values;
            values.StartDate = env.now - 2;
            values.AlarmDate = env.now + alarm;
            values.RichText = "{\\rtf1 dentist}";
            env.now += kSecond;
            list.Add(env, values);
        }
        form_ = std::make_unique<TFormMain>(noMailService_, dataFile_, ScratchSettings::Store());
        form_->ShowAtStart();
        PumpMessages();
    }

    TFormMemo& Sticker(const char* name) const {
        TFormMemo* sticker = form_->Stickers().Find(name);
        EXPECT_TRUE(sticker) << name;
        return *sticker;
    }
    bool Red(const char* name) const {
        const TFormMemo* sticker = form_->Stickers().Find(name);
        return sticker && sticker->Red();
    }

    // A right-click on the sticker's surface, or on its text; `inMenu` runs
    // while the menu is open and must close it.
    void RightClick(HWND target, const std::function<void(HWND menuWindow, HMENU)>& inMenu) {
        MenuWatcher watcher([&](HWND menuWindow) {
            inMenu(menuWindow,
                   reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0)));
        });
        SendMessageA(target, WM_RBUTTONUP, 0, MAKELPARAM(30, 40));
        EXPECT_TRUE(watcher.Ran());
    }
    // The item reached with `downs` presses of the down arrow.
    static void Choose(HWND menuWindow, int downs) {
        for (int i = 0; i < downs; ++i) {
            PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        }
        PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
    }

    TDateTime StoredAlarm() const {
        MessageList list(dataFile_);
        list.LoadMessages(TestEnvironment(), TestEnvironment().screen);
        return list.Entry(0).Record.AlarmDate;
    }

    const ScratchSettings settings_;
    Application app_{TestEnvironment(), GetModuleHandleA(nullptr)};
    const test::TempFolder folder_;
    const std::string dataFile_ = folder_.File("ZandrelData.dat");
    const MapiLibrary noMailService_;
    std::unique_ptr<TFormMain> form_;
};

TEST_F(StickerMenuTest, EachReminderTurnsTheStickerYellowUntilItsMoment) {
    FakeEnvironment& env = TestEnvironment();
    const struct {
        int Downs;
        TDateTime Delay;
        bool OnText;
    } reminders[] = {{1, 600 * kSecond, false}, {2, 3600 * kSecond, true}, {3, 1.0, false}};
    for (const auto& reminder : reminders) {
        ASSERT_TRUE(Red("Memo_0"));
        const TDateTime chosenAt = env.now;
        TFormMemo& sticker = Sticker("Memo_0");
        RightClick(reminder.OnText ? sticker.RichEdit1() : sticker.Handle(),
                   [&](HWND menuWindow, HMENU) { Choose(menuWindow, reminder.Downs); });
        ASSERT_TRUE(PumpUntil([&] { return !Red("Memo_0"); })) << reminder.Downs;
        EXPECT_NEAR(StoredAlarm(), chosenAt + reminder.Delay, kSecond);

        env.sounds.clear();
        env.now = chosenAt + reminder.Delay + 10 * kSecond;
        SendMessageA(form_->Handle(), WM_TIMER, form_->FindTimer(form_main::Timer1).Id(), 0);
        EXPECT_TRUE(Red("Memo_0"));
        EXPECT_NE(std::find(env.sounds.begin(), env.sounds.end(), "Ding"), env.sounds.end());
    }
    // The first save of the day kept the files as they were before it.
    EXPECT_TRUE(std::filesystem::is_directory(folder_.Path() / "Backups" / "2023-03-15"));
}

TEST_F(StickerMenuTest, AYellowStickerOffersOnlyEditWhichShowsItsMessage) {
    const HWND sticker = Sticker("Memo_1").Handle();
    std::vector<std::pair<std::string, bool>> items;
    RightClick(sticker, [&](HWND menuWindow, HMENU menu) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char caption[64] = "-";
            const UINT state = GetMenuState(menu, UINT(i), MF_BYPOSITION);
            if (!(state & MF_SEPARATOR)) {
                GetMenuStringA(menu, UINT(i), caption, sizeof caption, MF_BYPOSITION);
            }
            items.emplace_back(caption, !(state & (MF_GRAYED | MF_SEPARATOR)));
        }
        // A rebuild due meanwhile waits for the menu: the sticker stays.
        form_->RebuildStickers(form_->ChildExpanded);
        EXPECT_TRUE(IsWindow(sticker));
        Choose(menuWindow, 4);
    });
    EXPECT_EQ(items, (std::vector<std::pair<std::string, bool>>{{"Remind me in 10 minutes", false},
                                                                {"Remind me in 1 hour", false},
                                                                {"Remind me tomorrow", false},
                                                                {"-", false},
                                                                {"Edit", true}}));
    EXPECT_TRUE(PumpUntil([&] { return form_->Visible() && form_->ScreenRect().left >= 0; }));
    EXPECT_EQ(form_->Messages().CurrentIndex, 1);
}

TEST_F(StickerMenuTest, AReminderIsRefusedInsideAnotherCommandsModalLoop) {
    const TDateTime alarm = StoredAlarm();
    app_.RunModal([&] {
        RightClick(Sticker("Memo_0").Handle(),
                   [](HWND menuWindow, HMENU) { Choose(menuWindow, 1); });
    });
    PumpMessages();
    EXPECT_EQ(TestEnvironment().beeps, std::vector<unsigned>{MB_OK});
    EXPECT_EQ(StoredAlarm(), alarm);
    EXPECT_TRUE(Red("Memo_0"));
}

} // namespace
} // namespace zandrel::testing
