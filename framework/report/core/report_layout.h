#pragma once
// The report engine's page layout, in millimetres: where the title band, the
// detail bands and the page footer fall on each page. Portable, so that the
// page breaks are tested natively; the shell's renderer draws what it says.
#include <cstddef>
#include <vector>

namespace zandrel::report {

// The design surface of the reports is laid out at zoom 70 %: one millimetre
// on paper is this many of its pixels.
inline constexpr double kDesignPixelsPerMm = 2.6457;
inline constexpr double PixelsToMm(double pixels) {
    return pixels / kDesignPixelsPerMm;
}

// A4 portrait with margins of 10 mm.
struct PageSetup {
    double Width = 210.0;
    double Height = 297.0;
    double TopMargin = 10.0;
    double BottomMargin = 10.0;
    double LeftMargin = 10.0;
    double RightMargin = 10.0;
};

// The designed page on a printer's paper: as designed where the paper is at
// least as wide, its footer at the paper's bottom; scaled down to the
// paper's width where it is narrower, so that nothing falls off.
struct PaperFit {
    PageSetup Page;
    double Scale = 1; // paper mm per designed mm
};
PaperFit FitToPaper(const PageSetup& design, double paperWidth, double paperHeight);

enum class BandKind { Title, Detail, PageFooter };

// A detail band as the need-data callback left it. Its text box may go on
// over the following pages: it is cut between lines of its formatted text.
struct DetailMeasure {
    double Height = 0;               // the whole band
    double TextTop = 0;              // the text box's top inside the band
    double TextHeight = 0;           // the text box's height
    std::vector<double> LineBottoms; // of the formatted text, from the box's top, ascending
};

// One band, or one piece of a detail band, on a page.
struct PlacedBand {
    BandKind Kind = BandKind::Detail;
    int Row = -1;   // detail bands: 0 for the first one produced, and so on
    double Top = 0; // from the paper's top edge
    double Height = 0;
    int Piece = 0;     // detail bands: 0 holds the band's start, 1... the text going on
    int FirstLine = 0; // detail bands: the lines of the formatted text shown
    int EndLine = 0;
    double BoxTop = 0;  // where the shown part of the text box starts, inside this piece
    double BoxFrom = 0; // the part of the text box shown, from the box's top
    double BoxTo = 0;
};

struct LaidOutPage {
    std::vector<PlacedBand> Bands;
};

// Lays the bands out as they are produced: the title at the top of the first
// page, each detail band below the previous one, the page footer at the
// bottom of every page, the last one included. A band that does not fit
// below the previous ones starts a new page; one that does not fit on a page
// of its own is cut between text lines and goes on at the top of the next.
class ReportLayout {
public:
    ReportLayout(PageSetup page, double titleHeight, double footerHeight);

    void AddDetail(const DetailMeasure& band);
    // No more details: the last page gets its footer. Produces one page with
    // the title and the footer when no detail came.
    void Finish();

    const PageSetup& Page() const { return page_; }
    const std::vector<LaidOutPage>& Pages() const { return pages_; }
    // Pages that nothing will be added to any more.
    std::size_t CompletePages() const { return finished_ ? pages_.size() : pages_.size() - 1; }
    bool Finished() const { return finished_; }
    int Details() const { return rows_; }

private:
    double DetailBottom() const;
    bool PageHasDetails() const;
    void CloseAndOpenPage();
    void PlaceFooter();
    void Place(PlacedBand band);

    PageSetup page_;
    double titleHeight_;
    double footerHeight_;
    std::vector<LaidOutPage> pages_;
    double cursor_ = 0;
    int rows_ = 0;
    bool finished_ = false;
};

} // namespace zandrel::report
