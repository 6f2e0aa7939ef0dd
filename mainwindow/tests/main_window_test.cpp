// The main window under Wine: real windows, the real tray, real messages;
// the fake outside world records sounds and message boxes.
#include "framework/application.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/comune.h"
#include "mainwindow/instance_guard.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_main.h"
#include "stickers/core/sticker_cascade.h"
#include "storage/core/tests/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace zandrel::testing {
namespace {

namespace fs = std::filesystem;

// True while the shell holds the program's icon: only then can it be changed.
bool TrayIconShown(HWND owner) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = owner;
    record.uID = TrayIcon::kIdentifier;
    return Shell_NotifyIconA(NIM_MODIFY, &record);
}

class MainWindowTest : public MainWindowFixture {
protected:
    // Three messages as the editor's New saves them.
    void StoreMessages(int count) {
        MessageList list(dataFile_);
        for (int i = 0; i < count; ++i) {
            TestEnvironment().now += 0.01;
            list.New(TestEnvironment(), "{\\rtf1 message " + std::to_string(i) + "}");
        }
    }

    std::string Status(int panel) const {
        return form_->Find<StatusBar>(form_main::StatusBar1).PanelText(panel);
    }

    std::string Caption(const char* menuItem) const {
        return form_->FindMenuItem(menuItem).Caption();
    }

    SIZE ToolBarButtonSize() const {
        const auto size =
            DWORD(SendMessageA(form_->Find(form_main::ToolBar1).Handle(), TB_GETBUTTONSIZE, 0, 0));
        return {LOWORD(size), HIWORD(size)};
    }

    void Command(const char* menuItem) {
        SendMessageA(form_->Handle(), WM_COMMAND, form_->FindMenuItem(menuItem).Id(), 0);
    }

    void TrayMouse(UINT mouseEvent) {
        SendMessageA(form_->Handle(), TrayIcon::kCallbackMessage, TrayIcon::kIdentifier,
                     mouseEvent);
    }

    bool ShownCentred() const {
        const RECT rect = form_->ScreenRect();
        return form_->Visible() && rect.left == (1024 - 558) / 2 && rect.top == (768 - 442) / 2;
    }
};

TEST_F(MainWindowTest, FirstStartWithoutDataFilesAddsTheTrayIconAndStandsOffTheScreen) {
    TFormMain& form = Start();

    const NOTIFYICONDATAA& record = form.Tray().Record();
    EXPECT_EQ(record.cbSize, 88u);
    EXPECT_EQ(record.hWnd, form.Handle());
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 1024u);
    EXPECT_NE(record.hIcon, nullptr);
    EXPECT_STREQ(record.szTip, "Zandrel: remember your appointmenet");
    EXPECT_TRUE(TrayIconShown(form.Handle()));

    EXPECT_EQ(Status(0), "rec 0/0");
    EXPECT_EQ(Status(1), "");
    EXPECT_TRUE(TestEnvironment().boxes.empty());
    EXPECT_TRUE(form.StartupDone());
    EXPECT_EQ(StickerHeightShort, 70);
    EXPECT_EQ(StickerHeightNormal, 140);
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.ScreenRect().left, -800);
    EXPECT_EQ(form.ScreenRect().top, (768 - 442) / 2);
    // Owned by the hidden application window: no task-bar button.
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), app_.Handle());
    EXPECT_FALSE(IsWindowVisible(app_.Handle()));
    EXPECT_FALSE(fs::exists(dataFile_));
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return 0;
    }
    const BitmapHandle mask(info.hbmMask);
    const BitmapHandle colour(info.hbmColor);
    BITMAP bitmap{};
    GetObjectA(colour.get(), sizeof bitmap, &bitmap);
    return bitmap.bmWidth;
}

// Moved onto a monitor of 144 DPI, the window takes the icons drawn at 24
// and 48 pixels; the tray keeps the system's small size.
TEST_F(MainWindowTest, TheIconsAreDrawnForTheWindowsDpi) {
    TFormMain& form = Start();
    auto icon = [&](WPARAM which) {
        return IconWidth(HICON(SendMessageA(form.Handle(), WM_GETICON, which, 0)));
    };
    EXPECT_EQ(icon(ICON_SMALL), 16);
    EXPECT_EQ(icon(ICON_BIG), 32);
    const RECT suggested{0, 0, 837, 663};
    SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&suggested));
    EXPECT_EQ(icon(ICON_SMALL), 24);
    EXPECT_EQ(icon(ICON_BIG), 48);
    EXPECT_EQ(IconWidth(form.Tray().Record().hIcon), 16);
}

TEST_F(MainWindowTest, LayoutFollowsTheDesign) {
    TFormMain& form = Start();
    const RECT rect = form.ScreenRect();
    EXPECT_EQ(rect.right - rect.left, 558);
    EXPECT_EQ(rect.bottom - rect.top, 442);
    EXPECT_EQ(form.Find(form_main::Panel2).Place().Height, 156);
    EXPECT_EQ(form.Find(form_main::ToolBar1).Place().Top, 0);
    const Bounds middle = form.Find(form_main::Panel3).Place();
    const Bounds status = form.Find(form_main::StatusBar1).Place();
    EXPECT_EQ(middle.Top, 156);
    EXPECT_EQ(middle.Top + middle.Height, status.Top);
    EXPECT_GT(form.Find(form_main::RichEditText).Place().Height, 100);

    // The last panel says whether changes wait to be saved.
    int edges[4] = {};
    ASSERT_EQ(SendMessageA(form.Find(form_main::StatusBar1).Handle(), SB_GETPARTS, 4,
                           reinterpret_cast<LPARAM>(edges)),
              4);
    EXPECT_EQ(edges[0], 70);
    EXPECT_EQ(edges[1], 120);
    EXPECT_EQ(edges[2], 170);

    char caption[40] = {};
    GetMenuStringA(GetMenu(form.Handle()), 1, caption, sizeof caption, MF_BYPOSITION);
    EXPECT_STREQ(caption, "General setting");
    const HMENU tray = form.FindMenu(form_main::PopupMenu1).Handle();
    EXPECT_EQ(GetMenuDefaultItem(tray, FALSE, 0), form.FindMenuItem(form_main::Setup1).Id());
    EXPECT_EQ(GetMenuItemCount(tray), 7);
    EXPECT_EQ(form.FindTimer(form_main::Timer1).Interval(), 20000u);
    EXPECT_TRUE(form.FindTimer(form_main::Timer1).Enabled());
}

TEST_F(MainWindowTest, StartWithStoredMessagesShowsTheFirstAsCurrent) {
    StoreMessages(3);
    TFormMain& form = Start();
    EXPECT_EQ(form.Messages().Count(), 3u);
    EXPECT_EQ(form.Messages().CurrentIndex, 0);
    EXPECT_EQ(Status(0), "rec 1/3");
    EXPECT_TRUE(TestEnvironment().boxes.empty());
}

TEST_F(MainWindowTest, TrayRightButtonOpensTheTrayMenuAtThePointer) {
    TFormMain& form = Start();
    SetCursorPos(300, 200);
    RECT menuRect{};
    MenuWatcher watcher([&](HWND menuWindow) {
        GetWindowRect(menuWindow, &menuRect);
        EndMenu();
    });
    TrayMouse(WM_RBUTTONDOWN);
    ASSERT_TRUE(watcher.Ran());
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(menuRect.left, cursor.x);
    EXPECT_EQ(menuRect.top, cursor.y);
    EXPECT_FALSE(form.Visible() && form.ScreenRect().left != -800);
}

TEST_F(MainWindowTest, OnlyTheLeftDoubleClickShowsTheWindowCentred) {
    TFormMain& form = Start();
    for (const UINT ignored :
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONUP, WM_MOUSEMOVE, WM_RBUTTONDBLCLK}) {
        TrayMouse(ignored);
    }
    EXPECT_EQ(form.ScreenRect().left, -800);
    TrayMouse(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(PumpUntil([&] { return ShownCentred(); }));
    EXPECT_FALSE(IsIconic(form.Handle()));
}

TEST_F(MainWindowTest, CloseHidesWithThrowAndShutdownRemovesTheIconBeforeComplete) {
    ScratchSettings::Set("SoundEnabled", "true");
    TFormMain& form = Start();
    TrayMouse(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(PumpUntil([&] { return ShownCentred(); }));
    TestEnvironment().sounds.clear();

    Command(form_main::Close2);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(TestEnvironment().sounds, std::vector<std::string>{"Throw"});
    EXPECT_TRUE(TrayIconShown(form.Handle()));
    EXPECT_FALSE(app_.Terminated());

    TrayMouse(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(PumpUntil([&] { return ShownCentred(); }));
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0); // the close box
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(TestEnvironment().sounds.back(), "Throw");

    const HWND window = form.Handle();
    bool iconGoneBeforeComplete = false;
    TestEnvironment().onSound = [&](const std::string& name) {
        if (name == "Complete") {
            iconGoneBeforeComplete = !TrayIconShown(window);
        }
    };
    TestEnvironment().sounds.clear();
    Command(form_main::Shutdown);
    EXPECT_EQ(TestEnvironment().sounds, std::vector<std::string>{"Complete"});
    EXPECT_TRUE(iconGoneBeforeComplete);
    EXPECT_TRUE(app_.Terminated());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(TestEnvironment().boxes.empty());
}

TEST_F(MainWindowTest, TheTrayMenusShutdownEndsTheProgramToo) {
    TFormMain& form = Start();
    const HWND window = form.Handle();
    Command(form_main::Shutdown1);
    EXPECT_TRUE(app_.Terminated());
    EXPECT_FALSE(TrayIconShown(window));
}

// The first start stores the switch off.
TEST_F(MainWindowTest, WithTheSoundSwitchOffNothingPlays) {
    TFormMain& form = Start();
    EXPECT_FALSE(app_.Sounds().Enabled());
    TrayMouse(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(PumpUntil([&] { return ShownCentred(); }));
    SendMessageA(form.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    Command(form_main::Close2);
    Command(form_main::Shutdown);
    EXPECT_TRUE(app_.Terminated());
    EXPECT_TRUE(TestEnvironment().sounds.empty());
}

TEST_F(MainWindowTest, ActivationPlaysRevdn1) {
    ScratchSettings::Set("SoundEnabled", "true");
    TFormMain& form = Start();
    TestEnvironment().sounds.clear();
    SendMessageA(form.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(TestEnvironment().sounds, std::vector<std::string>{"Revdn1"});
}

TEST_F(MainWindowTest, TheStatusBarFollowsHintsAgainAfterCloseAndShow) {
    TFormMain& form = Start();
    const MenuItem& setup = form.FindMenuItem(form_main::Setup1);
    auto hover = [&] {
        SendMessageA(form.Handle(), WM_MENUSELECT, MAKEWPARAM(setup.Id(), MF_STRING),
                     reinterpret_cast<LPARAM>(form.FindMenu(form_main::PopupMenu1).Handle()));
        const std::string shown = Status(2);
        SendMessageA(form.Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        return shown;
    };
    EXPECT_EQ(hover(), "Call the master form for input/modify data");
    Command(form_main::Close2);
    form.Find<StatusBar>(form_main::StatusBar1).SetPanelText(2, "");
    EXPECT_EQ(hover(), "");
    Command(form_main::Setup1);
    ASSERT_TRUE(PumpUntil([&] { return ShownCentred(); }));
    EXPECT_EQ(hover(), "Call the master form for input/modify data");
}

TEST_F(MainWindowTest, TaskbarCreatedAddsTheIconAgain) {
    TFormMain& form = Start();
    NOTIFYICONDATAA record = form.Tray().Record();
    Shell_NotifyIconA(NIM_DELETE, &record); // the shell restarted and lost it
    ASSERT_FALSE(TrayIconShown(form.Handle()));
    SendMessageA(form.Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconShown(form.Handle()));
}

TEST_F(MainWindowTest, ASecondInstanceBringsUpTheRunningOnesWindow) {
    const InstanceGuard first;
    ASSERT_TRUE(first.First());
    EXPECT_FALSE(InstanceGuard().First());
    Start();
    ASSERT_TRUE(InstanceGuard::BringUpRunningInstance());
    EXPECT_TRUE(PumpUntil([&] { return ShownCentred(); }));
}

TEST_F(MainWindowTest, TheSecondProgramStartEndsAndShowsTheRunningWindow) {
    const InstanceGuard first;
    ASSERT_TRUE(first.First());
    Start();
    std::string command = std::string("Z:") + ZANDREL_EXE;
    for (char& c : command) {
        c = c == '/' ? '\\' : c;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    const bool ended =
        PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; },
                  std::chrono::seconds(20));
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_TRUE(ended);
    EXPECT_TRUE(PumpUntil([&] { return ShownCentred(); }));
}

TEST_F(MainWindowTest, ADamagedDataFileIsReportedAndTheStartCompletes) {
    StoreMessages(3);
    fs::resize_file(dataFile_, fs::file_size(dataFile_) - 100);
    TFormMain& form = Start();

    ASSERT_EQ(TestEnvironment().boxes.size(), 1u);
    EXPECT_EQ(TestEnvironment().boxes[0].Kind, ShownBox::Error);
    EXPECT_NE(TestEnvironment().boxes[0].Text.find("Stream read error"), std::string::npos);
    EXPECT_TRUE(TrayIconShown(form.Handle()));
    EXPECT_TRUE(form.StartupDone());
    EXPECT_EQ(form.Messages().Count(), 2u);
    EXPECT_EQ(form.Messages().CurrentIndex, 0);
    EXPECT_EQ(Status(0), "rec 1/2");
    EXPECT_EQ(form.Messages().PendingDamagedCopies().size(), 2u);
    EXPECT_EQ(form.ScreenRect().left, -800);
}

TEST_F(MainWindowTest, FirstStartStoresEveryPreferenceAndCreatesTheStartupShortcut) {
    TFormMain& form = Start();

    EXPECT_TRUE(form.ChildExpanded());
    EXPECT_FALSE(app_.Sounds().Enabled());
    EXPECT_FALSE(form.Find<ToolBar>(form_main::ToolBar1).ShowCaptions());
    EXPECT_FALSE(form.ShowHint());
    EXPECT_EQ(Caption(form_main::Expandchild1), "Shrink child");
    EXPECT_EQ(Caption(form_main::Disablesound1), "Enable sound");
    EXPECT_EQ(Caption(form_main::ShowText), "Show text in menu icon");
    EXPECT_EQ(Caption(form_main::ShowHint1), "Show hint");
    EXPECT_EQ(ScratchSettings::Get("DefaultClientHeight"), "normal");
    EXPECT_EQ(ScratchSettings::Get("SoundEnabled"), "false");
    EXPECT_EQ(ScratchSettings::Get("ToolbarShowCaptions"), "false");
    EXPECT_EQ(ScratchSettings::Get("ShowHint"), "false");
    EXPECT_FALSE(ScratchSettings::Exists("Enable_at_Startup"));
    const SIZE button = ToolBarButtonSize();
    EXPECT_EQ(button.cx, 30);
    EXPECT_EQ(button.cy, 30);

    ASSERT_TRUE(fs::exists(ScratchSettings::StartupLink()));
    EXPECT_EQ(ResolveShortcut(ScratchSettings::StartupLink()), TFormMain::ExecutablePath());
    EXPECT_TRUE(TestEnvironment().boxes.empty());
}

TEST_F(MainWindowTest, StoredPreferencesAreAppliedAndCaptioned) {
    ScratchSettings::Set("DefaultClientHeight", "short");
    ScratchSettings::Set("SoundEnabled", "true");
    ScratchSettings::Set("ToolbarShowCaptions", "true");
    ScratchSettings::Set("ShowHint", "true");
    ScratchSettings::Set("Enable_at_Startup", "false");
    TFormMain& form = Start();

    EXPECT_FALSE(form.ChildExpanded());
    EXPECT_TRUE(app_.Sounds().Enabled());
    EXPECT_TRUE(form.Find<ToolBar>(form_main::ToolBar1).ShowCaptions());
    EXPECT_TRUE(form.ShowHint());
    EXPECT_EQ(Caption(form_main::Expandchild1), "Expand child");
    EXPECT_EQ(Caption(form_main::Disablesound1), "Disable sound");
    EXPECT_EQ(Caption(form_main::ShowText), "Hide text in menu icon");
    EXPECT_EQ(Caption(form_main::ShowHint1), "Hide hint");
    EXPECT_EQ(ScratchSettings::Get("DefaultClientHeight"), "short");
    // "false" keeps the program out of the Startup folder.
    EXPECT_FALSE(fs::exists(ScratchSettings::StartupLink()));
    EXPECT_TRUE(TestEnvironment().boxes.empty());
}

// Each item flips its preference, its caption and only its own stored value.
TEST_F(MainWindowTest, TheGeneralSettingItemsToggle) {
    TFormMain& form = Start();
    for (const char* name : {"DefaultClientHeight", "ToolbarShowCaptions", "ShowHint"}) {
        ScratchSettings::Delete(name);
    }

    const struct {
        const char* item;
        const char* value; // its stored value
        std::function<bool()> on;
        const char* captionOn;
        const char* captionOff;
        std::function<void()> whileOn;
    } toggles[] = {
        {form_main::Disablesound1, "SoundEnabled", [&] { return app_.Sounds().Enabled(); },
         "Disable sound", "Enable sound",
         [&] {
             EXPECT_TRUE(TestEnvironment().sounds.empty());
             Command(form_main::Close2);
             EXPECT_EQ(TestEnvironment().sounds, std::vector<std::string>{"Throw"});
         }},
        {form_main::ShowHint1, "ShowHint", [&] { return form.ShowHint(); }, "Hide hint",
         "Show hint", [] {}},
        {form_main::ShowText, "ToolbarShowCaptions",
         [&] { return form.Find<ToolBar>(form_main::ToolBar1).ShowCaptions(); },
         "Hide text in menu icon", "Show text in menu icon", [] {}},
    };
    for (const auto& toggle : toggles) {
        for (const bool on : {true, false}) {
            Command(toggle.item);
            EXPECT_EQ(toggle.on(), on) << toggle.item;
            EXPECT_EQ(Caption(toggle.item), on ? toggle.captionOn : toggle.captionOff)
                << toggle.item;
            EXPECT_EQ(ScratchSettings::Get(toggle.value), on ? "true" : "false") << toggle.item;
            if (on) {
                toggle.whileOn();
            }
        }
    }
    const SIZE button = ToolBarButtonSize();
    EXPECT_EQ(button.cx, 30);
    EXPECT_EQ(button.cy, 30);

    EXPECT_FALSE(ScratchSettings::Exists("DefaultClientHeight"));
    EXPECT_TRUE(TestEnvironment().boxes.empty());
}

TEST_F(MainWindowTest, ExpandAndShrinkRebuildEveryStickerAtTheNewHeight) {
    StoreMessages(3);
    TestEnvironment().now += 0.01; // every message has started
    TFormMain& form = Start();
    auto heights = [&] {
        std::vector<int> result;
        for (const char* name : {"Memo_0", "Memo_1", "Memo_2"}) {
            const TFormMemo* sticker = form.Stickers().Find(name);
            const RECT rect = sticker ? sticker->ScreenRect() : RECT{};
            result.push_back(rect.bottom - rect.top);
        }
        return result;
    };
    ASSERT_EQ(heights(), (std::vector<int>{140, 140, 140}));
    form.Messages().CurrentIndex = 0;

    const HWND old = form.Stickers().Find("Memo_0")->Handle();
    Command(form_main::Expandchild1); // captioned "Shrink child"
    EXPECT_FALSE(form.ChildExpanded());
    EXPECT_EQ(Caption(form_main::Expandchild1), "Expand child");
    EXPECT_EQ(ScratchSettings::Get("DefaultClientHeight"), "short");
    EXPECT_EQ(heights(), (std::vector<int>{70, 70, 70}));
    EXPECT_EQ(form.Stickers().Find("Memo_0")->Handle(), old); // resized, not made again
    // The editor shows where the rebuild left the list: the last message.
    EXPECT_EQ(Status(0), "rec 3/3");

    Command(form_main::Expandchild1);
    EXPECT_TRUE(form.ChildExpanded());
    EXPECT_EQ(Caption(form_main::Expandchild1), "Shrink child");
    EXPECT_EQ(ScratchSettings::Get("DefaultClientHeight"), "normal");
    EXPECT_EQ(heights(), (std::vector<int>{140, 140, 140}));

    // Not while the window is still being set up: here from under the box
    // of a damaged data file.
    form_.reset();
    fs::resize_file(dataFile_, fs::file_size(dataFile_) - 100);
    TestEnvironment().onError = [](const std::string&) {
        const HWND window = FindWindowA(FormMainDescription().ClassName.c_str(), nullptr);
        const auto* starting = dynamic_cast<TFormMain*>(Window::FromHandle(window));
        ASSERT_NE(starting, nullptr);
        SendMessageA(window, WM_COMMAND, starting->FindMenuItem(form_main::Expandchild1).Id(), 0);
    };
    EXPECT_TRUE(Start().ChildExpanded());
    EXPECT_EQ(ScratchSettings::Get("DefaultClientHeight"), "normal");
}

TEST_F(MainWindowTest, AnUnwritableSettingsKeyIsReportedOnceAndTheStartGoesOn) {
    ScratchSettings::Set("SoundEnabled", "true");
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    ScratchSettings::SetAccess(&empty);
    TFormMain& form = Start();

    ASSERT_EQ(TestEnvironment().boxes.size(), 1u);
    EXPECT_EQ(TestEnvironment().boxes[0].Kind, ShownBox::Error);
    EXPECT_EQ(TestEnvironment().boxes[0].Text, "Errore durante la scrittura nel registry");
    // Unreadable counts as missing: every preference at its default.
    EXPECT_FALSE(app_.Sounds().Enabled());
    EXPECT_EQ(Caption(form_main::ShowHint1), "Show hint");
    EXPECT_TRUE(form.StartupDone());
    EXPECT_TRUE(TrayIconShown(form.Handle()));
    EXPECT_TRUE(fs::exists(ScratchSettings::StartupLink()));

    // A toggle that cannot store its value keeps the change in memory.
    Command(form_main::ShowHint1);
    EXPECT_TRUE(form.ShowHint());
    EXPECT_EQ(Caption(form_main::ShowHint1), "Hide hint");
    ASSERT_EQ(TestEnvironment().boxes.size(), 2u);
    EXPECT_EQ(TestEnvironment().boxes[1].Text, "Errore durante la scrittura nel registry");
}

} // namespace
} // namespace zandrel::testing
