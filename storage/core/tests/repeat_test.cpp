#include "storage/core/repeat.h"

#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

using P = RepeatPeriod;

// "YYYY-MM-DD HH:MM" to a date-time, and back.
TDateTime T(const char* minute) {
    return test::At((std::string(minute) + ":00.000").c_str());
}
std::string Minute(TDateTime moment) {
    return FormatDateTime(moment).substr(0, 16);
}

// Date-times are local: a change of daylight-saving time moves nothing
// (Europe went to summer time on 2024-03-31).
TEST(RepeatTest, NextOccurrence) {
    const struct {
        const char* Case;
        P Period;
        int Day;
        const char *Start, *Alarm, *Due, *Now, *NextStart, *NextAlarm; // no Due: none stored
    } rows[] = {
        {"daily, five missed", P::Day, 1, "2024-03-01 09:00", "2024-03-01 09:00", nullptr,
         "2024-03-05 10:00", "2024-03-06 09:00", "2024-03-06 09:00"},
        {"daily, alarm exactly now", P::Day, 5, "2024-03-05 08:00", "2024-03-05 09:00", nullptr,
         "2024-03-05 09:00", "2024-03-06 08:00", "2024-03-06 09:00"},
        {"weekly across summer time", P::Week, 29, "2024-03-29 09:00", "2024-03-29 09:00", nullptr,
         "2024-03-29 09:30", "2024-04-05 09:00", "2024-04-05 09:00"},
        {"weekly after a Remind me", P::Week, 4, "2024-03-04 08:00", "2024-03-05 09:00",
         "2024-03-04 09:00", "2024-03-05 09:30", "2024-03-11 08:00", "2024-03-11 09:00"},
        {"monthly, 31 January to 29 February", P::Month, 31, "2024-01-31 09:00", "2024-01-31 09:00",
         nullptr, "2024-02-01 07:00", "2024-02-29 09:00", "2024-02-29 09:00"},
        {"monthly, back to the 31st", P::Month, 31, "2024-02-27 09:00", "2024-02-29 09:00",
         "2024-02-29 09:00", "2024-03-01 07:00", "2024-03-29 09:00", "2024-03-31 09:00"},
        {"monthly, a common year", P::Month, 31, "2023-01-31 09:00", "2023-01-31 09:00", nullptr,
         "2023-02-01 07:00", "2023-02-28 09:00", "2023-02-28 09:00"},
        {"monthly, three missed", P::Month, 31, "2024-01-31 09:00", "2024-01-31 09:00", nullptr,
         "2024-04-15 12:00", "2024-04-30 09:00", "2024-04-30 09:00"},
        {"yearly, 29 February", P::Year, 29, "2024-02-29 09:00", "2024-02-29 09:00", nullptr,
         "2024-03-01 07:00", "2025-02-28 09:00", "2025-02-28 09:00"},
        {"before 1899-12-30", P::Day, 1, "1850-06-01 09:00", "1850-06-01 09:00", nullptr,
         "1850-06-03 10:00", "1850-06-04 09:00", "1850-06-04 09:00"},
    };
    for (const auto& row : rows) {
        const RepeatRule rule{row.Period, row.Day, row.Due ? T(row.Due) : 0, false};
        const auto next = NextOccurrence(T(row.Start), T(row.Alarm), rule, T(row.Now));
        ASSERT_TRUE(next) << row.Case;
        EXPECT_EQ(Minute(next->Start), row.NextStart) << row.Case;
        EXPECT_EQ(Minute(next->Alarm), row.NextAlarm) << row.Case;
    }
}

TEST(RepeatTest, WhatAddAndReplaceStore) {
    const TDateTime jan31 = T("2024-01-31 09:00"), feb29 = T("2024-02-29 09:00");
    const RepeatRule monthly{P::Month, 31, feb29, true};
    // The alarm where it was (to the second): day, due moment and mail stay.
    EXPECT_EQ(EditedRepeat(monthly, feb29 + 0.9 / 86400, 0, feb29, P::Month, false), monthly);
    // Another time the same day keeps the day; mail unchecked by the user goes.
    EXPECT_EQ(EditedRepeat(monthly, feb29, 1, feb29 + 0.1, P::Month, false),
              (RepeatRule{P::Month, 31, feb29 + 0.1, false}));
    EXPECT_EQ(EditedRepeat({}, feb29, 0, jan31, P::Year, true),
              (RepeatRule{P::Year, 31, jan31, true}));
}

} // namespace
} // namespace zandrel
