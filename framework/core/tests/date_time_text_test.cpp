#include "framework/core/date_time_text.h"
#include "framework/core/tests/numeric_date_formats.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

using test::NumericFormats;

TEST(DateTimeTextTest, JoinsTheShortDateAndTheLongTimeWithOneBlank) {
    const NumericFormats formats;
    EXPECT_EQ(DateTimeToText(45000.5, formats), "15/03/2023 12:00:00");
    EXPECT_EQ(DateTimeToText(45000 + 1.0 / 86400, formats), "15/03/2023 00:00:01");
    // A single millisecond after midnight is not midnight.
    EXPECT_EQ(DateTimeToText(45000 + 1.0 / 86400000, formats), "15/03/2023 00:00:00");
}

TEST(DateTimeTextTest, AtExactlyMidnightTheDateStandsAlone) {
    const NumericFormats formats;
    EXPECT_EQ(DateTimeToText(45000, formats), "15/03/2023");
    EXPECT_EQ(DateTimeToText(0, formats), "30/12/1899");
    // Less than half a millisecond before midnight rounds to the next day.
    EXPECT_EQ(DateTimeToText(45000 - 0.4 / 86400000, formats), "15/03/2023");
}

} // namespace
} // namespace zandrel
