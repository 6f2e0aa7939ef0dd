// A sticker's "Remind me" and "Done" menu and the main window's Find under
// Wine: real menus chosen with the keyboard, the modal Find box and its keys,
// F3 through the program's message loop, the files on disk, the timer's tick.
#include "framework/application.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_find.h"
#include "resources/form_main.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <filesystem>

namespace zandrel::testing {
namespace {

constexpr TDateTime kSecond = 1.0 / 86400;

class RemindAndFindTest : public ::testing::Test {
protected:
    // Message 0, "Buy milk", alarmed yesterday (red); message 1, a Cyrillic
    // "buy milk", in three days (yellow).
    RemindAndFindTest() {
        FakeEnvironment& env = TestEnvironment();
        env.Reset();
        ScratchSettings::Set("SoundEnabled", "true");
        MessageList list(dataFile_);
        for (const auto& [alarm, text] :
             {std::pair{-1.0, "{\\rtf1\\ansi Buy {\\b milk}\\par}"},
              std::pair{3.0,
                        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 \\'ea\\'f3\\'ef"
                        "\\'e8\\'f2\\'fc \\'ec\\'ee\\'eb\\'ee\\'ea\\'ee}"}}) {
            env.now += kSecond;
            list.Add(env, {env.now - 2, env.now + alarm, -1, text, {}, false});
        }
        form_ = std::make_unique<TFormMain>(noMailService_, dataFile_, ScratchSettings::Store());
        PumpMessages();
    }

    TFormMemo* Sticker(int index) const {
        return form_->Stickers().Find("Memo_" + std::to_string(index));
    }
    // A right-click on `target`; the item reached with `downs` presses of
    // the down arrow is chosen, after `inMenu`.
    static void Choose(HWND target, int downs, const std::function<void(HMENU)>& inMenu = {}) {
        MenuWatcher watcher([&](HWND menuWindow) {
            if (inMenu) {
                inMenu(reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0)));
            }
            for (int i = 0; i < downs; ++i) {
                PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
            }
            PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
        });
        LetTheDisplayCatchUp();
        SendMessageA(target, WM_RBUTTONUP, 0, MAKELPARAM(30, 40));
        EXPECT_TRUE(watcher.Ran());
    }
    TDateTime StoredAlarm() const {
        MessageList list(dataFile_);
        list.LoadMessages(TestEnvironment());
        return list.Entry(0).Record.AlarmDate;
    }

    HWND Editor() const { return form_->Find(form_main::RichEditText).Handle(); }
    // The selection in the editor, where its characters begin and end.
    std::pair<LONG, LONG> Selection() const {
        CHARRANGE range{};
        SendMessageA(Editor(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        return {range.cpMin, range.cpMax};
    }
    // A key pressed in `window`, through the program's message loop.
    static void Key(HWND window, unsigned key) {
        MSG message{window, WM_KEYDOWN, key, 0, 0, {}};
        App().ProcessMessage(message);
    }

    const ScratchSettings settings_;
    Application app_{TestEnvironment(), GetModuleHandleA(nullptr)};
    const test::TempFolder folder_;
    const std::string dataFile_ = folder_.File("ZandrelData.dat");
    const MapiLibrary noMailService_;
    std::unique_ptr<TFormMain> form_;
};

TEST_F(RemindAndFindTest, EachReminderTurnsTheStickerYellowUntilItsMomentComes) {
    FakeEnvironment& env = TestEnvironment();
    const std::pair<int, TDateTime> reminders[] = {{1, 600 * kSecond}, {2, 1.0 / 24}, {3, 1.0}};
    for (const auto& [downs, delay] : reminders) {
        ASSERT_TRUE(Sticker(0)->Red());
        const TDateTime chosenAt = env.now;
        Choose(downs == 2 ? Sticker(0)->RichEdit1() : Sticker(0)->Handle(), downs);
        ASSERT_TRUE(PumpUntil([&] { return Sticker(0) && !Sticker(0)->Red(); })) << downs;
        EXPECT_NEAR(StoredAlarm(), chosenAt + delay, kSecond);

        env.sounds.clear();
        env.now = chosenAt + delay + 10 * kSecond;
        SendMessageA(form_->Handle(), WM_TIMER, form_->FindTimer(form_main::Timer1).Id(), 0);
        EXPECT_TRUE(Sticker(0)->Red());
        EXPECT_EQ(env.sounds, std::vector<std::string>{"Ding"});
    }
    // The day's first save kept the files as they were before it.
    EXPECT_TRUE(std::filesystem::is_directory(folder_.Path() / "Backups" / "2023-03-15"));
}

TEST_F(RemindAndFindTest, OnAYellowStickerOrInAModalLoopTheRemindersAreOff) {
    const TDateTime alarm = StoredAlarm();
    app_.RunModal([&] {
        Choose(Sticker(0)->Handle(), 1);
        Choose(Sticker(0)->Handle(), 4); // "Done"
    });
    EXPECT_EQ(TestEnvironment().beeps, (std::vector<unsigned>{MB_OK, MB_OK}));
    EXPECT_EQ(StoredAlarm(), alarm);

    const HWND sticker = Sticker(1)->Handle();
    std::string items;
    Choose(sticker, 5, [&](HMENU menu) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char caption[64] = "-";
            const UINT state = GetMenuState(menu, UINT(i), MF_BYPOSITION);
            GetMenuStringA(menu, UINT(i), caption, (state & MF_SEPARATOR) ? 0 : 64, MF_BYPOSITION);
            const bool grey = (state & MF_GRAYED) && !(state & MF_SEPARATOR);
            items += caption + std::string(grey ? " (grey)\n" : "\n");
        }
        // A rebuild due meanwhile waits for the menu: the sticker stays.
        form_->RebuildStickers();
        EXPECT_TRUE(IsWindow(sticker));
    });
    EXPECT_EQ(items, "Remind me in 10 minutes (grey)\nRemind me in 1 hour (grey)\n"
                     "Remind me tomorrow (grey)\nDone (grey)\n-\nEdit\n");
    EXPECT_TRUE(form_->Visible()); // "Edit": the main window on the sticker's message
    EXPECT_EQ(form_->Messages().CurrentIndex, 1);
}

// "Every week" on the red note, then "Done": back a week later. The other note
// does not repeat: "Done" asks Delete's question, and only Yes deletes it.
TEST_F(RemindAndFindTest, DoneMovesAWeeklyNoteOnAndOffersToDeleteAnother) {
    FakeEnvironment& env = TestEnvironment();
    const HWND repeat = form_->Find(form_main::cbRepeat).Handle();
    SendMessageA(repeat, CB_SETCURSEL, 2, 0); // "Every week"
    const HWND toolBar = form_->Find(form_main::ToolBar1).Handle();
    SendMessageA(GetParent(toolBar), WM_COMMAND,
                 MAKEWPARAM(form_->FindToolButton(form_main::ToolButton_modMsg).Id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(toolBar));
    const TDateTime alarm = StoredAlarm();
    Choose(Sticker(0)->Handle(), 4);
    ASSERT_TRUE(PumpUntil([&] { return !Sticker(0); })); // until its start, a week on
    EXPECT_EQ(FormatDateTime(StoredAlarm()), FormatDateTime(alarm + 7));
    EXPECT_EQ(SendMessageA(repeat, CB_GETCURSEL, 0, 0), 2); // the editor shows it still
    EXPECT_NE(test::ReadFile(folder_.File("ZandrelData_Repeat.dat")).find("\tweek\t"),
              std::string::npos);

    env.now += 4; // the other note is red, the weekly one not yet back
    SendMessageA(form_->Handle(), WM_TIMER, form_->FindTimer(form_main::Timer1).Id(), 0);
    env.answers = {false, true};
    for (const std::size_t left : {2, 1}) {
        Choose(Sticker(1)->Handle(), 4);
        ASSERT_TRUE(PumpUntil([&] { return env.boxes.size() == 3 - left; }));
        EXPECT_EQ(env.boxes.back().Text, "do you want to delete this item ?");
        MessageList stored(dataFile_);
        stored.LoadMessages(env);
        EXPECT_EQ(stored.Count(), left);
    }
    EXPECT_FALSE(Sticker(1));
}

TEST_F(RemindAndFindTest, TheFindBoxStaysOpenUntilClosedAndF3FindsTheLastTextAgain) {
    const std::pair<LONG, LONG> lower{7, 13}; // the Cyrillic "milk"
    form_->ShowMainWindow();
    MenuWatcher whileOpen(
        [&](HWND box) {
            EXPECT_EQ(GetWindowTextLengthA(box), 4); // "Find"
            Form& find = dynamic_cast<Form&>(*Window::FromHandle(box));
            const HWND edit = find.Find(form_find::EditFind).Handle();
            SetWindowTextW(edit, L"bread");
            SendMessageA(find.Find(form_find::btnFindNext).Handle(), BM_CLICK, 0, 0);
            EXPECT_EQ(form_->Find<StatusBar>(form_main::StatusBar1).PanelText(2),
                      "Not found: bread");
            EXPECT_EQ(TestEnvironment().beeps, std::vector<unsigned>{MB_OK});
            EXPECT_TRUE(IsWindowVisible(box));

            SetWindowTextW(edit, L"\u041C\u041E\u041B\u041E\u041A\u041E");
            Key(edit, VK_RETURN);
            EXPECT_EQ(form_->Messages().CurrentIndex, 1);
            EXPECT_EQ(Selection(), lower);
            Key(edit, VK_ESCAPE);
        },
        FormFindDescription().ClassName.c_str());
    SendMessageA(form_->Handle(), WM_COMMAND, form_->FindMenuItem(form_main::Find1).Id(), 0);
    ASSERT_TRUE(whileOpen.Ran());

    SendMessageW(Editor(), EM_SETSEL, 0, 0);
    Key(Editor(), VK_F3); // round the list to the same message
    EXPECT_EQ(form_->Messages().CurrentIndex, 1);
    EXPECT_EQ(Selection(), lower);
    EXPECT_EQ(TestEnvironment().beeps.size(), 1u);
}

} // namespace
} // namespace zandrel::testing
