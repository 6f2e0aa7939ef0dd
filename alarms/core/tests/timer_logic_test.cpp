#include "alarms/core/timer_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace zandrel {
namespace {

constexpr TDateTime Second = 1.0 / 86400;
constexpr TDateTime Start = 45000.375; // 09:00

class FakeClock : public Clock {
public:
    TDateTime Now() const override { return now; }
    TDateTime now = Start;
};

// Runs ticks over a list and records what each one did, in order.
class TickRecorder {
public:
    explicit TickRecorder(FakeClock& clock) : clock_(clock) {}

    std::vector<std::string> Tick(std::vector<TimerSource>& messages) {
        std::vector<std::string> done;
        RunTimerTick(static_cast<int>(messages.size()), TimerInterval, clock_,
                     {.Message = [&](int i) { return messages[i]; },
                      .RebuildDue = [&] { done.push_back("rebuild"); },
                      .OpenWarning =
                          [&](int i) {
                              done.push_back("warn " + std::to_string(i));
                              messages[i].NextWarn += 1; // what ComputeNextWarn does for a day
                          },
                      .Looked = [&](int i, TDateTime moment) { messages[i].LastLook = moment; }});
        return done;
    }

private:
    FakeClock& clock_;
};

using Actions = std::vector<std::string>;

TEST(TimerTest, ChangeWindowIsThreeIntervals) {
    EXPECT_NEAR(ChangeWindow(20000), 60 * Second, 1e-12);
    EXPECT_NEAR(ChangeWindow(1500), 4.5 * Second, 1e-12);
}

TEST(TimerTest, StartMomentRebuildsOnThreeTicks) {
    FakeClock clock;
    TickRecorder ticks(clock);
    std::vector<TimerSource> messages{{Start, Start + 1, 0, Start}};
    // The start moment lies 10 seconds after a tick.
    for (int after : {10, 30, 50}) {
        clock.now = Start + after * Second;
        EXPECT_EQ(ticks.Tick(messages), Actions{"rebuild"}) << after;
    }
    clock.now = Start + 70 * Second;
    EXPECT_EQ(ticks.Tick(messages), Actions{});
}

TEST(TimerTest, AlarmMomentRebuildsAndMomentsAreStrict) {
    FakeClock clock;
    TickRecorder ticks(clock);
    std::vector<TimerSource> messages{{Start - 1, Start, 0, Start - 1}};
    EXPECT_EQ(ticks.Tick(messages), Actions{});
    clock.now = Start + 20 * Second;
    EXPECT_EQ(ticks.Tick(messages), Actions{"rebuild"});
}

TEST(TimerTest, PeriodicMessageStartingNowRebuildsThenWarns) {
    FakeClock clock;
    TickRecorder ticks(clock);
    std::vector<TimerSource> messages{{Start, Start + 1, 1, Start}};
    clock.now = Start + 5 * Second;
    EXPECT_EQ(ticks.Tick(messages), (Actions{"rebuild", "warn 0"}));
}

TEST(TimerTest, OnlyPeriodicKindsWarn) {
    FakeClock clock;
    TickRecorder ticks(clock);
    std::vector<TimerSource> messages;
    for (int kind : {0, 4, -1, 255})
        messages.push_back({Start - 1, Start + 1, kind, Start - 1});
    EXPECT_EQ(ticks.Tick(messages), Actions{});
    messages.push_back({Start - 1, Start + 1, 3, Start - Second});
    EXPECT_EQ(ticks.Tick(messages), Actions{"warn 4"});
    EXPECT_EQ(ticks.Tick(messages), Actions{}); // NextWarn moved on
}

TEST(TimerTest, WarningEndsTheTickAfterEarlierRebuilds) {
    FakeClock clock;
    TickRecorder ticks(clock);
    const TDateTime old = Start - 1;
    const TDateTime justStarted = Start - 5 * Second;
    std::vector<TimerSource> messages{
        {justStarted, Start + 1, 0, justStarted}, // due
        {old, Start + 1, 2, Start - Second},      // warns
        {old, Start + 1, 2, Start - Second},      // warns, next tick
        {justStarted, Start + 1, 0, justStarted}, // due, not reached while 1 and 2 warn
    };
    EXPECT_EQ(ticks.Tick(messages), (Actions{"rebuild", "warn 1"}));
    clock.now += 20 * Second;
    EXPECT_EQ(ticks.Tick(messages), (Actions{"rebuild", "warn 2"}));
    clock.now += 20 * Second;
    EXPECT_EQ(ticks.Tick(messages), Actions{"rebuild"}); // 0 and 3
}

// A moment that no tick saw within W still rebuilds once, on the first tick
// that looks at its message after it.
TEST(TimerTest, MomentsPassedSinceTheLastLookAreDue) {
    FakeClock clock;
    TickRecorder ticks(clock);
    const TDateTime hour = 3600 * Second;
    std::vector<TimerSource> messages{{Start + hour, Start + 1, 0, Start + 1},
                                      {Start - 1, Start + 3 * hour + 30 * Second, 0, Start + 1}};
    EXPECT_EQ(ticks.Tick(messages), Actions{});
    // Asleep for two hours over message 0's start moment.
    clock.now = Start + 2 * hour;
    EXPECT_EQ(ticks.Tick(messages), Actions{"rebuild"});
    clock.now += 20 * Second;
    EXPECT_EQ(ticks.Tick(messages), Actions{});
    // The clock set forward an hour over message 1's alarm moment.
    clock.now = Start + 3 * hour;
    EXPECT_EQ(ticks.Tick(messages), Actions{});
    clock.now += hour;
    EXPECT_EQ(ticks.Tick(messages), Actions{"rebuild"});
    clock.now += 20 * Second;
    EXPECT_EQ(ticks.Tick(messages), Actions{});
    // Loaded after its start moment had passed: no rebuild for it.
    messages.push_back({Start, Start + 1, 0, Start + 1, clock.now});
    clock.now += 20 * Second;
    EXPECT_EQ(ticks.Tick(messages), Actions{});
}

TEST(TimerTest, StartMomentBehindAMinuteOfPopupsIsNotMissed) {
    FakeClock clock;
    TickRecorder ticks(clock);
    std::vector<TimerSource> messages;
    for (int i = 0; i < 4; ++i)
        messages.push_back({Start - 1, Start + 1, 2, Start - 60 * Second});
    // Loaded at the program's start, a minute before its start moment.
    messages.push_back({Start + 10 * Second, Start + 1, 0, Start + 1, Start - 50 * Second});
    clock.now = Start - 10 * Second;
    EXPECT_EQ(ticks.Tick(messages), Actions{"warn 0"});
    for (int i = 1; i < 4; ++i) {
        clock.now += 20 * Second;
        EXPECT_EQ(ticks.Tick(messages), Actions{"warn " + std::to_string(i)});
    }
    clock.now += 20 * Second; // 70 seconds after the start moment
    EXPECT_EQ(ticks.Tick(messages), Actions{"rebuild"});
}

// The tick as it was, one rebuild per due message.
Actions PerMessageTick(std::vector<TimerSource>& messages, TDateTime now) {
    Actions done;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        if (StickersDue(messages[i], now, ChangeWindow(TimerInterval)))
            done.push_back("rebuild");
        messages[i].LastLook = now;
        if (WarningDue(messages[i], now)) {
            done.push_back("warn " + std::to_string(i));
            messages[i].NextWarn += 1;
            break;
        }
    }
    return done;
}

// Ticks 20 seconds apart do what one rebuild per due message did, each run of
// rebuilds made one: with the clock standing still in a tick, every rebuild
// of a run draws the same stickers. The same moments are looked at.
TEST(TimerTest, OneRebuildPerTickLeavesWhatOnePerDueMessageLeft) {
    const TDateTime look = Start - 20 * Second;
    const TDateTime soon = Start + 1;
    const TimerSource due{Start - 5 * Second, soon, 0, soon, look};
    const TimerSource turnsRed{Start - 1, Start - 5 * Second, 0, soon, look};
    const TimerSource dueAndRed{Start - 10 * Second, Start - 5 * Second, 0, soon, look};
    const TimerSource warns{Start - 1, soon, 2, Start - Second, look};
    const std::pair<const char*, std::vector<TimerSource>> cases[] = {
        {"several due at once", {due, due, due}},
        {"due and red in the same tick", {due, turnsRed, dueAndRed}},
        {"a pop-up before the due ones", {warns, due, due}},
        {"a pop-up after the due ones", {due, due, warns, due}},
        {"pop-ups between the due ones", {due, warns, due, warns, due}},
    };
    for (const auto& [name, messages] : cases) {
        SCOPED_TRACE(name);
        FakeClock clock;
        TickRecorder ticks(clock);
        std::vector<TimerSource> perMessage = messages;
        std::vector<TimerSource> batched = messages;
        for (int tick = 0; tick < 3; ++tick, clock.now += 20 * Second) {
            Actions expected = PerMessageTick(perMessage, clock.now);
            expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
            EXPECT_EQ(ticks.Tick(batched), expected) << tick;
            for (std::size_t i = 0; i < batched.size(); ++i)
                EXPECT_EQ(batched[i].LastLook, perMessage[i].LastLook) << tick << " " << i;
        }
    }
}

TEST(TimerTest, EntryView) {
    FakeClock clock;
    TMessageEntry entry(clock, "ZandrelData.dat");
    entry.SetIncType(2, clock);
    const TimerSource source = TimerSourceOf(entry);
    EXPECT_EQ(source.StartDate, Start);
    EXPECT_EQ(source.AlarmDate, Start + 1);
    EXPECT_EQ(source.IncType, 2);
    EXPECT_EQ(source.NextWarn, entry.Record.NextWarn);
    EXPECT_EQ(source.LastLook, Start); // its creation
    entry.TimerLook = Start + Second;
    EXPECT_EQ(TimerSourceOf(entry).LastLook, Start + Second);
    EXPECT_EQ(entry.Clone()->TimerLook, Start + Second);
}

TEST(BusyMarkTest, NestedHoldsKeepItBusyUntilTheOuterEnds) {
    BusyMark mark;
    EXPECT_FALSE(mark.IsBusy());
    {
        BusyMark::Hold tick(mark);
        {
            BusyMark::Hold rebuild(mark);
            EXPECT_TRUE(mark.IsBusy());
        }
        EXPECT_TRUE(mark.IsBusy());
    }
    EXPECT_FALSE(mark.IsBusy());
}

TEST(PopupCounterTest, CountsToTheLimitThenWrapsToZero) {
    PopupCounter counter;
    const auto free = [](const std::string&) { return false; };
    EXPECT_EQ(counter.Next(free), "Zandrel_blueChip_1");
    while (counter.Value() < PopupCounter::Limit - 1)
        counter.Next(free);
    EXPECT_EQ(counter.Next(free), "Zandrel_blueChip_31000");
    EXPECT_EQ(counter.Next(free), "Zandrel_blueChip_0");
    EXPECT_EQ(counter.Next(free), "Zandrel_blueChip_1");
}

TEST(PopupCounterTest, PassesOverNamesStillInUse) {
    PopupCounter counter;
    std::set<std::string> open;
    const auto inUse = [&](const std::string& name) { return open.count(name) > 0; };
    while (counter.Value() < PopupCounter::Limit)
        open.insert(counter.Next(inUse));
    EXPECT_EQ(counter.Next(inUse), "Zandrel_blueChip_0");
    open.insert("Zandrel_blueChip_0");
    open.erase("Zandrel_blueChip_5");
    EXPECT_EQ(counter.Next(inUse), "Zandrel_blueChip_5");
    EXPECT_EQ(counter.Value(), 5);
    // Every name taken: the next number is used rather than looping for ever.
    open.insert("Zandrel_blueChip_5");
    EXPECT_EQ(counter.Next(inUse), "Zandrel_blueChip_6");
}

TEST(PopupCounterTest, TimeCaption) {
    EXPECT_EQ(PopupTimeCaption("05.03.2024 09:00:00"), "Message time: 05.03.2024 09:00:00");
}

} // namespace
} // namespace zandrel
