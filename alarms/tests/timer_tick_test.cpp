// The main window's timer under Wine: ticks delivered as WM_TIMER messages to
// the real main window, with the fake clock set between them.
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

namespace fs = std::filesystem;
constexpr TDateTime kSecond = 1.0 / 86400;

class TimerTickTest : public MainWindowFixture {
protected:
    // Saved messages: start and alarm as offsets from now, a warning kind.
    void Store(std::vector<std::tuple<TDateTime, TDateTime, int>> messages) {
        FakeEnvironment& env = TestEnvironment();
        MessageList list(dataFile_);
        for (const auto& [start, alarm, kind] : messages) {
            EditorValues values;
            values.StartDate = env.now + start;
            values.AlarmDate = env.now + alarm;
            values.IncType = kind;
            values.RichText = "{\\rtf1 warning}";
            env.now += 0.001 * kSecond;
            list.Add(env, values);
        }
    }

    TFormMain& Start() {
        MainWindowFixture::Start(Shown::NotYet);
        // Whatever the stored preference, these tests listen for "Ding".
        app_.Sounds().SetEnabled(true);
        TestEnvironment().sounds.clear();
        return *form_;
    }

    void Tick() { SendTimerTick(*form_); }

    static long Dings() {
        const auto& sounds = TestEnvironment().sounds;
        return std::count(sounds.begin(), sounds.end(), "Ding");
    }

    bool HasSticker(const char* name) const { return form_->Stickers().Find(name) != nullptr; }
};

TEST_F(TimerTickTest, StartMomentRebuildsOnThreeTicksWithDing) {
    FakeEnvironment& env = TestEnvironment();
    Store({{10 * kSecond, 1, 0}});
    const TDateTime start = env.now + 10 * kSecond - 0.001 * kSecond;
    Start();
    EXPECT_FALSE(HasSticker("Memo_0"));
    EXPECT_EQ(form_->FindTimer(form_main::Timer1).Interval(), 20000u);

    for (const int seconds : {10, 30, 50, 70}) {
        env.now = start + seconds * kSecond;
        Tick();
    }
    EXPECT_EQ(Dings(), 3);
    EXPECT_TRUE(HasSticker("Memo_0"));
    EXPECT_TRUE(env.beeps.empty());
}

// The computer slept through the start moment: the first tick after it still
// brings up the sticker, once.
TEST_F(TimerTickTest, AStartMomentSleptThroughStillBringsTheSticker) {
    FakeEnvironment& env = TestEnvironment();
    Store({{1.0 / 24, 1, 0}});
    Start();
    Tick();
    env.now += 2.0 / 24;
    Tick();
    EXPECT_TRUE(HasSticker("Memo_0"));
    Tick();
    EXPECT_EQ(Dings(), 1);
}

TEST_F(TimerTickTest, AlarmTurnsTheStickerRedWithinATick) {
    FakeEnvironment& env = TestEnvironment();
    Store({{-1, 15 * kSecond, 0}});
    Start();
    EXPECT_FALSE(form_->Stickers().Find("Memo_0")->Red());
    env.now += 20 * kSecond;
    Tick();
    EXPECT_TRUE(form_->Stickers().Find("Memo_0")->Red());
    EXPECT_EQ(Dings(), 1);
}

TEST_F(TimerTickTest, TwoDueWarningsOpenOnTwoTicks) {
    FakeEnvironment& env = TestEnvironment();
    Store({{-1, 1, 1}, {-1, 1, 1}});
    Start();
    env.now += 2.0 / 24; // both first warnings lie an hour after saving
    Tick();
    ASSERT_EQ(form_->Popups().Popups().size(), 1u);
    EXPECT_EQ(env.beeps, (std::vector<unsigned>{0}));
    EXPECT_EQ(Dings(), 1);
    EXPECT_GT(form_->Messages().Entry(0).Record.NextWarn, env.now);
    EXPECT_LT(form_->Messages().Entry(1).Record.NextWarn, env.now);

    env.now += 20 * kSecond;
    Tick();
    ASSERT_EQ(form_->Popups().Popups().size(), 2u);
    EXPECT_GT(form_->Messages().Entry(1).Record.NextWarn, env.now);
    EXPECT_EQ(form_->Popups().Popups()[1]->Name(), "Zandrel_blueChip_2");
    EXPECT_EQ(form_->PopupCount().Value(), 2);

    // Nothing due any more.
    Tick();
    EXPECT_EQ(form_->Popups().Popups().size(), 2u);
}

// A timer message delivered while a tick plays its sound (as a modal loop
// would deliver it) starts no second tick.
TEST_F(TimerTickTest, NoTickStartsInsideAnother) {
    FakeEnvironment& env = TestEnvironment();
    Store({{-1, 1, 1}, {-1, 1, 1}});
    Start();
    env.now += 2.0 / 24;
    env.onSound = [this](const std::string&) { Tick(); };
    Tick();
    EXPECT_EQ(form_->Popups().Popups().size(), 1u);
    EXPECT_EQ(Dings(), 1);
}

} // namespace
} // namespace zandrel::testing
