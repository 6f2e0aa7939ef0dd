#include "catalog/core/report_design.h"

#include "framework/report/core/report_layout.h"
#include "framework/core/tests/numeric_date_formats.h"
#include "storage/core/clock.h"

#include <gtest/gtest.h>

namespace zandrel::catalog {
namespace {

using test::NumericFormats;

TEST(ReportDesignTest, TenLinesGiveABoxOf150PixelsAndABandOf195) {
    const int box = TextBoxHeightPixels(10, 10 * 15.0);
    EXPECT_EQ(box, 150);
    EXPECT_NEAR(report::PixelsToMm(box), 56.7, 0.05);
    const int band = DetailBandHeightPixels(kTextTopPixels, box);
    EXPECT_EQ(band, 195);
    EXPECT_NEAR(report::PixelsToMm(band), 73.7, 0.05);
}

TEST(ReportDesignTest, TheBoxIsAtLeastAsTallAsTheFormattedText) {
    EXPECT_EQ(TextBoxHeightPixels(2, 12.0), 30); // lines x 15 pixels are enough
    EXPECT_EQ(TextBoxHeightPixels(2, 61.3), 62); // large fonts need more
    EXPECT_EQ(TextBoxHeightPixels(0, 0.0), 0);   // an empty text: an empty box
}

TEST(ReportDesignTest, CaptionsUseTheStandardDateTimeText) {
    const FixedClock clock(45000.5);
    TMessageEntry entry(clock, "ZandrelData.dat");
    entry.Record.StartDate = 45000.0; // midnight: the date alone
    entry.Record.AlarmDate = 45001.75;
    entry.Record.NextWarn = 45000.5 + 1.0 / 24;
    entry.Record.IncType = 2;
    const auto captions = CaptionsFor(entry, NumericFormats());
    EXPECT_EQ(captions.StartDate, "Starting date: 15/03/2023");
    EXPECT_EQ(captions.AlarmDate, "Alarm date: 16/03/2023 18:00:00");
    EXPECT_EQ(captions.NextWarn, "nextWarn (+2) 15/03/2023 13:00:00");
}

} // namespace
} // namespace zandrel::catalog
