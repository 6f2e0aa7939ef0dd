#include "storage/core/datetime.h"

#include "storage/core/message_record.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace zandrel {
namespace {

using test::At;

TEST(TimeStamp, CountsDaysFromYearOneAndMillisecondsOfTheDay) {
    const TimeStamp epoch = DateTimeToTimeStamp(0);
    EXPECT_EQ(epoch.Date, 693594);
    EXPECT_EQ(epoch.Time, 0);
    const TimeStamp noon = DateTimeToTimeStamp(At("2000-01-01 12:00:00.000"));
    EXPECT_EQ(noon.Date, 730120);
    EXPECT_EQ(noon.Time, 43200000);
    EXPECT_EQ(MakeKey(noon), "730120 43200000");
    EXPECT_EQ(TimeStampToDateTime(noon), At("2000-01-01 12:00:00.000"));
}

TEST(TimeStamp, RoundsToTheNearestMillisecondAcrossMidnight) {
    const double ms = 1.0 / kMsPerDay;
    const TimeStamp up = DateTimeToTimeStamp(36526.0 - 0.4 * ms);
    EXPECT_EQ(up.Date, 730120);
    EXPECT_EQ(up.Time, 0);
    const TimeStamp down = DateTimeToTimeStamp(36526.0 - 0.6 * ms);
    EXPECT_EQ(down.Date, 730119);
    EXPECT_EQ(down.Time, kMsPerDay - 1);
}

TEST(CombineDateTime, TakesTheDaysOfOneAndTheTimeOfDayOfTheOther) {
    EXPECT_EQ(CombineDateTime(45000.75, 12.25), 45000.25);
    EXPECT_EQ(CombineDateTime(45000.0, 0.5), 45000.5);
    // Truncation toward zero on both sides.
    EXPECT_EQ(CombineDateTime(-1.5, 0.25), -0.75);
    EXPECT_EQ(CombineDateTime(3.9, -2.25), 2.75);
}

TEST(DateTimeText, ParsesAndFormatsTheFixedShape) {
    EXPECT_EQ(FormatDateTime(At("2026-12-07 20:15:03.250")), "2026-12-07 20:15:03.250");
    EXPECT_EQ(FormatDateTime(0), "1899-12-30 00:00:00.000");
    EXPECT_EQ(FormatDateTime(-1.25), "1899-12-29 06:00:00.000");
    EXPECT_EQ(At("1900-03-01 00:00:00.000"), 61.0);
    for (const char* bad :
         {"2026-12-07 20:15:03", "2026-13-07 20:15:03.000", "2025-02-29 00:00:00.000",
          "2026-12-07 24:00:00.000", "2026-12-07T20:15:03.000", "2026-12-07 20:15:03.00x", ""})
        EXPECT_FALSE(ParseDateTime(bad)) << bad;
    EXPECT_TRUE(ParseDateTime("2024-02-29 23:59:59.999"));
}

TEST(DateTimeText, RoundTripsEveryMillisecondItDecodes) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> days(-600000, 2900000);
    for (int i = 0; i < 2000; ++i) {
        const double d = days(random);
        const std::string text = FormatDateTime(d);
        const auto back = ParseDateTime(text);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(FormatDateTime(*back), text);
        EXPECT_NEAR(*back, d, 1.0 / kMsPerDay) << text;
    }
}

TEST(DateTimeText, PinsValuesNoCalendarHolds) {
    EXPECT_EQ(FormatDateTime(1e300), "9999-12-31 23:59:59.999");
    EXPECT_EQ(FormatDateTime(-1e300), "0001-01-01 00:00:00.000");
    EXPECT_EQ(FormatDateTime(std::numeric_limits<double>::quiet_NaN()), "1899-12-30 00:00:00.000");
}

} // namespace
} // namespace zandrel
