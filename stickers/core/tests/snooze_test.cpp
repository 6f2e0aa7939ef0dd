#include "stickers/core/snooze.h"

#include "alarms/core/timer_logic.h"
#include "stickers/core/sticker_cascade.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

namespace zandrel {
namespace {

constexpr TDateTime kSecond = 1.0 / 86400;

// A red sticker snoozed at `now`: yellow at once, red again, with the
// timer's refresh, once the new moment has passed; the rest of the message
// as stored before.
TEST(SnoozeTest, TheAlarmMovesOnAndTheStickerIsYellowUntilThen) {
    const struct {
        SnoozeChoice Choice;
        TDateTime Delay;
    } cases[] = {
        {SnoozeChoice::TenMinutes, 600 * kSecond},
        {SnoozeChoice::OneHour, 3600 * kSecond},
        {SnoozeChoice::Tomorrow, 1.0},
    };
    for (const auto& c : cases) {
        test::TempFolder folder;
        test::FakeClock clock(test::At("2024-03-05 09:00:00.000"));
        MessageList list(folder.File("ZandrelData.dat"));
        TMessageEntry& entry = list.New(clock, "{\\rtf1 dentist}");
        entry.SetIncType(1, clock);
        list.SaveMessages();
        const TDateTime now = clock.now += 2; // two days later: red
        const std::string before = test::ReadFile(list.DataFileName());
        ASSERT_TRUE(PlanStickers(StickerSources(list), clock, {}, {}, true).Stickers[0].Red);

        SnoozeMessage(list, 0, c.Choice, clock);
        EXPECT_EQ(list.Entry(0).Record.AlarmDate, now + c.Delay);
        MessageList stored(list.DataFileName());
        stored.LoadMessages(clock, {});
        EXPECT_EQ(stored.Entry(0).Record.AlarmDate, now + c.Delay);
        std::string after = test::ReadFile(list.DataFileName());
        std::memcpy(after.data() + offsetof(MessageRecord, AlarmDate),
                    before.data() + offsetof(MessageRecord, AlarmDate), sizeof(TDateTime));
        EXPECT_EQ(after, before) << "only the alarm moment changes";

        EXPECT_FALSE(PlanStickers(StickerSources(list), clock, {}, {}, true).Stickers[0].Red);
        TimerSource source = TimerSourceOf(list.Entry(0));
        source.LastLook = now;
        const TDateTime window = ChangeWindow(TimerInterval);
        EXPECT_FALSE(StickersDue(source, now + c.Delay, window));
        clock.now = now + c.Delay + 10 * kSecond;
        EXPECT_TRUE(StickersDue(source, clock.now, window));
        EXPECT_TRUE(PlanStickers(StickerSources(list), clock, {}, {}, true).Stickers[0].Red);
    }
}

} // namespace
} // namespace zandrel
