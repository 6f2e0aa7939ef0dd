#include "stickers/core/snooze.h"

#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

namespace zandrel {
namespace {

// Snoozed two days after it was made, a message changes only its alarm
// moment, in the file too (each choice's moment: the window test).
TEST(SnoozeTest, OnlyTheAlarmMovesOn) {
    const test::TempFolder folder;
    test::FakeClock clock(test::At("2024-03-05 09:00:00.000"));
    MessageList list(folder.File("ZandrelData.dat"));
    list.New(clock, "{\\rtf1 dentist}");
    const TDateTime alarm = (clock.now += 2) + 1.0 / 24;
    std::string expected = test::ReadFile(list.DataFileName());
    std::memcpy(expected.data() + offsetof(MessageRecord, AlarmDate), &alarm, sizeof alarm);

    SnoozeMessage(list, 0, SnoozeChoice::OneHour, clock);
    EXPECT_EQ(test::ReadFile(list.DataFileName()), expected);
}

} // namespace
} // namespace zandrel
