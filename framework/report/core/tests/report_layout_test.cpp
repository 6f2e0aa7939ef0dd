#include "framework/report/core/report_layout.h"

#include <gtest/gtest.h>

namespace zandrel::report {
namespace {

constexpr double kTitle = 23.8;
constexpr double kFooter = 10.6;

int Count(const LaidOutPage& page, BandKind kind) {
    int count = 0;
    for (const auto& band : page.Bands) {
        count += band.Kind == kind;
    }
    return count;
}

DetailMeasure Band(double height, int lines = 0, double lineHeight = 5.0, double textTop = 15.1) {
    DetailMeasure band;
    band.Height = height;
    band.TextTop = textTop;
    for (int line = 1; line <= lines; ++line) {
        band.LineBottoms.push_back(line * lineHeight);
    }
    band.TextHeight = lines * lineHeight;
    return band;
}

TEST(ReportLayoutTest, AnEmptyReportIsOnePageWithTheTitleAndTheFooter) {
    ReportLayout layout({}, kTitle, kFooter);
    layout.Finish();
    ASSERT_EQ(layout.Pages().size(), 1u);
    const auto& bands = layout.Pages()[0].Bands;
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].Kind, BandKind::Title);
    EXPECT_DOUBLE_EQ(bands[0].Top, 10.0);
    EXPECT_DOUBLE_EQ(bands[0].Height, kTitle);
    EXPECT_EQ(bands[1].Kind, BandKind::PageFooter);
    EXPECT_DOUBLE_EQ(bands[1].Top, 297.0 - 10.0 - kFooter);
    EXPECT_EQ(Count(layout.Pages()[0], BandKind::Detail), 0);
}

TEST(ReportLayoutTest, DetailsFollowTheTitleOneBelowTheOther) {
    ReportLayout layout({}, kTitle, kFooter);
    layout.AddDetail(Band(PixelsToMm(195), 10, PixelsToMm(15)));
    layout.AddDetail(Band(20));
    layout.Finish();
    ASSERT_EQ(layout.Pages().size(), 1u);
    const auto& bands = layout.Pages()[0].Bands;
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_DOUBLE_EQ(bands[1].Top, 10.0 + kTitle);
    EXPECT_NEAR(bands[1].Height, 73.7, 0.05);
    EXPECT_EQ(bands[1].Row, 0);
    EXPECT_DOUBLE_EQ(bands[2].Top, bands[1].Top + bands[1].Height);
    EXPECT_EQ(bands[2].Row, 1);
}

TEST(ReportLayoutTest, ManyMessagesBreakIntoPagesWithTheFooterOnEachAndTheTitleOnTheFirst) {
    ReportLayout layout({}, kTitle, kFooter);
    // 50 mm each: (297 - 20 - 23.8 - 10.6) / 50 = 4 on the first page,
    // (297 - 20 - 10.6) / 50 = 5 on the others.
    for (int row = 0; row < 20; ++row) {
        layout.AddDetail(Band(50));
    }
    EXPECT_FALSE(layout.Finished());
    layout.Finish();
    const auto& pages = layout.Pages();
    ASSERT_EQ(pages.size(), 5u); // 4 + 5 + 5 + 5 + 1
    int row = 0;
    for (std::size_t number = 0; number < pages.size(); ++number) {
        EXPECT_EQ(Count(pages[number], BandKind::Title), number == 0 ? 1 : 0);
        EXPECT_EQ(Count(pages[number], BandKind::PageFooter), 1);
        EXPECT_EQ(pages[number].Bands.back().Kind, BandKind::PageFooter);
        for (const auto& band : pages[number].Bands) {
            if (band.Kind == BandKind::Detail) {
                EXPECT_EQ(band.Row, row++);
                EXPECT_LE(band.Top + band.Height, 297.0 - 10.0 - kFooter + 1e-9);
            }
        }
    }
    EXPECT_EQ(row, 20);
    EXPECT_EQ(Count(pages[0], BandKind::Detail), 4);
    EXPECT_EQ(Count(pages[1], BandKind::Detail), 5);
    EXPECT_DOUBLE_EQ(pages[1].Bands[0].Top, 10.0);
}

TEST(ReportLayoutTest, PagesAreCompleteOnceTheNextOneHasBegun) {
    ReportLayout layout({}, kTitle, kFooter);
    for (int row = 0; row < 4; ++row) {
        layout.AddDetail(Band(50));
    }
    EXPECT_EQ(layout.CompletePages(), 0u);
    layout.AddDetail(Band(50));
    EXPECT_EQ(layout.CompletePages(), 1u);
    layout.Finish();
    EXPECT_EQ(layout.CompletePages(), 2u);
}

TEST(ReportLayoutTest, ATextLongerThanAPageGoesOnOnTheNextPagesWithEveryLine) {
    ReportLayout layout({}, kTitle, kFooter);
    layout.AddDetail(Band(20));
    // 150 lines of 5 mm: 750 mm of text.
    const DetailMeasure longText = [] {
        DetailMeasure band = Band(0, 150, 5.0);
        band.Height = band.TextTop + band.TextHeight + PixelsToMm(5);
        return band;
    }();
    layout.AddDetail(longText);
    layout.AddDetail(Band(20));
    layout.Finish();

    int nextLine = 0;
    int pieces = 0;
    double shownBox = 0;
    bool afterLong = false;
    for (const auto& page : layout.Pages()) {
        for (const auto& band : page.Bands) {
            if (band.Kind != BandKind::Detail) {
                continue;
            }
            EXPECT_LE(band.Top + band.Height, 297.0 - 10.0 - kFooter + 1e-9);
            if (band.Row == 1) {
                EXPECT_EQ(band.Piece, pieces++);
                EXPECT_EQ(band.FirstLine, nextLine);
                EXPECT_GT(band.EndLine, band.FirstLine);
                EXPECT_DOUBLE_EQ(band.BoxFrom, shownBox);
                EXPECT_DOUBLE_EQ(band.BoxTop, band.Piece == 0 ? longText.TextTop : 0.0);
                // Cut between lines: the part shown ends at a line's bottom.
                EXPECT_DOUBLE_EQ(band.BoxTo, longText.LineBottoms[band.EndLine - 1]);
                nextLine = band.EndLine;
                shownBox = band.BoxTo;
            }
            if (band.Row == 2) {
                afterLong = true;
                EXPECT_EQ(nextLine, 150);
            }
        }
    }
    EXPECT_EQ(nextLine, 150);
    EXPECT_DOUBLE_EQ(shownBox, longText.TextHeight);
    EXPECT_GE(pieces, 3);
    EXPECT_TRUE(afterLong);
    // The long band starts on a page of its own: it did not fit below the first.
    EXPECT_EQ(layout.Pages()[0].Bands[1].Row, 0);
    EXPECT_EQ(layout.Pages()[1].Bands[0].Row, 1);
}

TEST(ReportLayoutTest, ThePageOnAPrintersPaper) {
    const struct {
        double Width, Height; // the paper, mm
        double Scale, PageHeight;
    } cases[] = {
        {210, 297, 1, 297},                         // A4
        {209.9, 296.9, 1, 297},                     // A4 as the printer's pixels round it
        {215.9, 279.4, 1, 279.4},                   // Letter: the footer at its bottom
        {148, 210, 148 / 210.0, 210 * 210 / 148.0}, // A5: the design scaled to its width
    };
    for (const auto& c : cases) {
        const PaperFit fit = FitToPaper(PageSetup{}, c.Width, c.Height);
        EXPECT_NEAR(fit.Scale, c.Scale, 1e-9) << c.Width;
        EXPECT_NEAR(fit.Page.Height, c.PageHeight, 1e-9) << c.Width;
        EXPECT_EQ(fit.Page.Width, 210) << c.Width;
    }
    ReportLayout letter(FitToPaper(PageSetup{}, 215.9, 279.4).Page, kTitle, kFooter);
    letter.Finish();
    EXPECT_DOUBLE_EQ(letter.Pages()[0].Bands.back().Top, 279.4 - 10 - kFooter);
}

} // namespace
} // namespace zandrel::report
