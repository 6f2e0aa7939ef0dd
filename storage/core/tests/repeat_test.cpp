#include "storage/core/repeat.h"

#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

using test::At;
using P = RepeatPeriod;

struct NextRow {
    const char* Case;
    P Period;
    int Day;
    const char* Start;
    const char* Alarm;
    const char* Due; // null: none stored
    const char* Now;
    const char* NextStart; // null: no next occurrence
    const char* NextAlarm;
};

// Date-times are local: a change of daylight-saving time moves nothing
// (Europe went to summer time on 2024-03-31, back on 2024-10-27).
const NextRow kNextRows[] = {
    {"daily, one missed", P::Day, 5, "2024-03-05 08:00:00.000", "2024-03-05 09:00:00.000", nullptr,
     "2024-03-06 08:00:00.000", "2024-03-06 08:00:00.000", "2024-03-06 09:00:00.000"},
    {"daily, five missed", P::Day, 1, "2024-03-01 09:00:00.000", "2024-03-01 09:00:00.000", nullptr,
     "2024-03-05 10:00:00.000", "2024-03-06 09:00:00.000", "2024-03-06 09:00:00.000"},
    {"daily, alarm exactly now", P::Day, 5, "2024-03-05 08:00:00.000", "2024-03-05 09:00:00.000",
     nullptr, "2024-03-05 09:00:00.000", "2024-03-06 08:00:00.000", "2024-03-06 09:00:00.000"},
    {"daily, alarm still ahead", P::Day, 5, "2024-03-05 08:00:00.000", "2024-03-05 09:00:00.000",
     nullptr, "2024-03-05 08:59:59.999", "2024-03-05 08:00:00.000", "2024-03-05 09:00:00.000"},
    {"weekly, three missed, start two days ahead", P::Week, 4, "2024-03-02 09:00:00.000",
     "2024-03-04 09:00:00.000", nullptr, "2024-03-20 12:00:00.000", "2024-03-23 09:00:00.000",
     "2024-03-25 09:00:00.000"},
    {"weekly across summer time", P::Week, 29, "2024-03-29 09:00:00.000", "2024-03-29 09:00:00.000",
     nullptr, "2024-03-29 09:30:00.000", "2024-04-05 09:00:00.000", "2024-04-05 09:00:00.000"},
    {"daily across winter time", P::Day, 26, "2024-10-26 23:30:00.000", "2024-10-26 23:30:00.000",
     nullptr, "2024-10-27 23:00:00.000", "2024-10-27 23:30:00.000", "2024-10-27 23:30:00.000"},
    {"weekly after a Remind me: from the due moment", P::Week, 4, "2024-03-04 08:00:00.000",
     "2024-03-05 09:00:00.000", "2024-03-04 09:00:00.000", "2024-03-05 09:30:00.000",
     "2024-03-11 08:00:00.000", "2024-03-11 09:00:00.000"},
    {"monthly, 31 January to 29 February in a leap year", P::Month, 31, "2024-01-31 09:00:00.000",
     "2024-01-31 09:00:00.000", nullptr, "2024-02-01 07:00:00.000", "2024-02-29 09:00:00.000",
     "2024-02-29 09:00:00.000"},
    {"monthly, back to the 31st in March", P::Month, 31, "2024-02-27 09:00:00.000",
     "2024-02-29 09:00:00.000", "2024-02-29 09:00:00.000", "2024-03-01 07:00:00.000",
     "2024-03-29 09:00:00.000", "2024-03-31 09:00:00.000"},
    {"monthly, 28 February in a common year", P::Month, 31, "2023-01-31 09:00:00.000",
     "2023-01-31 09:00:00.000", nullptr, "2023-02-01 07:00:00.000", "2023-02-28 09:00:00.000",
     "2023-02-28 09:00:00.000"},
    {"monthly, three missed, into a 30-day month", P::Month, 31, "2024-01-31 09:00:00.000",
     "2024-01-31 09:00:00.000", nullptr, "2024-04-15 12:00:00.000", "2024-04-30 09:00:00.000",
     "2024-04-30 09:00:00.000"},
    {"monthly, later the same month", P::Month, 15, "2024-01-15 09:00:00.000",
     "2024-01-15 09:00:00.000", nullptr, "2024-01-20 12:00:00.000", "2024-02-15 09:00:00.000",
     "2024-02-15 09:00:00.000"},
    {"monthly, over the year's end", P::Month, 31, "2023-12-31 23:00:00.000",
     "2023-12-31 23:30:00.000", nullptr, "2023-12-31 23:30:00.000", "2024-01-31 23:00:00.000",
     "2024-01-31 23:30:00.000"},
    {"yearly, 29 February to 28 February", P::Year, 29, "2024-02-29 09:00:00.000",
     "2024-02-29 09:00:00.000", nullptr, "2024-03-01 07:00:00.000", "2025-02-28 09:00:00.000",
     "2025-02-28 09:00:00.000"},
    {"yearly, three missed, back to 29 February", P::Year, 29, "2025-02-28 09:00:00.000",
     "2025-02-28 09:00:00.000", nullptr, "2027-06-01 07:00:00.000", "2028-02-29 09:00:00.000",
     "2028-02-29 09:00:00.000"},
    {"yearly, alarm exactly now", P::Year, 25, "2023-12-20 18:00:00.000", "2023-12-25 18:00:00.000",
     nullptr, "2023-12-25 18:00:00.000", "2024-12-20 18:00:00.000", "2024-12-25 18:00:00.000"},
    {"before 1899-12-30, where days count backwards", P::Day, 1, "1850-06-01 09:00:00.000",
     "1850-06-01 09:00:00.000", nullptr, "1850-06-03 10:00:00.000", "1850-06-04 09:00:00.000",
     "1850-06-04 09:00:00.000"},
    {"past the year 9999", P::Year, 1, "9999-06-01 09:00:00.000", "9999-06-01 09:00:00.000",
     nullptr, "9999-07-01 09:00:00.000", nullptr, nullptr},
    {"never", P::Never, 1, "2024-03-05 08:00:00.000", "2024-03-05 09:00:00.000", nullptr,
     "2024-03-06 08:00:00.000", nullptr, nullptr},
};

TEST(RepeatTest, NextOccurrence) {
    for (const NextRow& row : kNextRows) {
        const RepeatRule rule{row.Period, row.Day, row.Due ? At(row.Due) : 0, false};
        const auto next = NextOccurrence(At(row.Start), At(row.Alarm), rule, At(row.Now));
        ASSERT_EQ(next.has_value(), row.NextAlarm != nullptr) << row.Case;
        if (next) {
            EXPECT_EQ(FormatDateTime(next->Start), row.NextStart) << row.Case;
            EXPECT_EQ(FormatDateTime(next->Alarm), row.NextAlarm) << row.Case;
        }
    }
}

TEST(RepeatTest, WhatAddAndReplaceStore) {
    const TDateTime jan31 = At("2024-01-31 09:00:00.000");
    const TDateTime feb29 = At("2024-02-29 09:00:00.000");
    const RepeatRule monthly{P::Month, 31, feb29, true};
    struct Row {
        const char* Case;
        RepeatRule Before;
        TDateTime AlarmBefore, Alarm;
        std::int32_t NotifyBefore;
        P Chosen;
        bool Notify;
        RepeatRule Expected;
    } const rows[] = {
        {"a new repeat takes the alarm's day",
         {},
         jan31,
         jan31,
         0,
         P::Month,
         false,
         {P::Month, 31, jan31, false}},
        {"text replaced: day and due moment stay", monthly, feb29, feb29, 0, P::Month, false,
         monthly},
        {"an alarm a second off stays where it was",
         monthly,
         feb29 + 0.9 / 86400,
         feb29,
         0,
         P::Year,
         false,
         {P::Year, 31, feb29, true}},
        {"a new time the same day keeps the day",
         monthly,
         feb29,
         feb29 + 0.1,
         0,
         P::Month,
         false,
         {P::Month, 31, feb29 + 0.1, true}},
        {"a new day", monthly, feb29, jan31, 0, P::Month, false, {P::Month, 31, jan31, true}},
        {"mail box unchecked by the user",
         monthly,
         feb29,
         feb29,
         1,
         P::Month,
         false,
         {P::Month, 31, feb29, false}},
        {"never", monthly, feb29, feb29, 0, P::Never, true, {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(EditedRepeat(row.Before, row.AlarmBefore, row.NotifyBefore, row.Alarm, row.Chosen,
                               row.Notify),
                  row.Expected)
            << row.Case;
    }
}

} // namespace
} // namespace zandrel
