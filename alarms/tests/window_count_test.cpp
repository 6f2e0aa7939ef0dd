// The program's windows and drawing objects stay flat: rebuilds free the
// stickers they replace and closed warning pop-ups are freed, not hidden.
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

class WindowCountTest : public MainWindowFixture {
protected:
    TFormMain& Start(int messages, int incType) {
        FakeEnvironment& env = TestEnvironment();
        MessageList list(dataFile_);
        for (int i = 0; i < messages; ++i) {
            EditorValues values;
            values.StartDate = env.now - 1;
            values.AlarmDate = env.now + (i % 2 ? -0.5 : 1);
            values.IncType = incType;
            values.RichText = "{\\rtf1 note " + std::to_string(i) + "}";
            env.now += 0.001 / 86400;
            list.Add(env, values);
        }
        return MainWindowFixture::Start(Shown::NotYet);
    }

    void Command(const char* menuItem) {
        SendMessageA(form_->Handle(), WM_COMMAND, form_->FindMenuItem(menuItem).Id(), 0);
    }
};

TEST_F(WindowCountTest, HundredRebuildsLeaveTheCountsFlat) {
    Start(5, 0);
    // The first rebuilds fill the system's caches.
    for (int i = 0; i < 3; ++i) {
        Command(form_main::Refresh1);
    }
    PumpMessages();
    const int windows = ThreadWindows();
    const int objects = GdiObjects();
    {
        const BrushHandle one(CreateSolidBrush(0)); // the count sees what is made
        EXPECT_EQ(GdiObjects(), objects + 1);
    }
    for (int i = 0; i < 100; ++i) {
        Command(form_main::Refresh1);
    }
    PumpMessages();
    EXPECT_EQ(ThreadWindows(), windows);
    EXPECT_EQ(GdiObjects(), objects);
}

TEST_F(WindowCountTest, AThousandClosedPopupsLeaveTheCountsFlat) {
    TFormMain& form = Start(1, 1);
    FakeEnvironment& env = TestEnvironment();
    auto warnAndClose = [&] {
        env.now += 1.0 / 24;
        SendMessageA(form.Handle(), WM_TIMER, form.FindTimer(form_main::Timer1).Id(), 0);
        const auto& popups = form.Popups().Popups();
        ASSERT_FALSE(popups.empty());
        SendMessageA(popups.back()->Handle(), WM_CLOSE, 0, 0);
        PumpMessages();
    };
    warnAndClose();
    EXPECT_TRUE(form.Popups().Popups().empty()); // freed, not hidden
    const int windows = ThreadWindows();
    const int objects = GdiObjects();
    for (int i = 0; i < 1000; ++i) {
        warnAndClose();
    }
    EXPECT_EQ(ThreadWindows(), windows);
    EXPECT_EQ(GdiObjects(), objects);
    EXPECT_EQ(form.PopupCount().Value(), 1001);
}

} // namespace
} // namespace zandrel::testing
