#include "framework/report/core/report_layout.h"

#include <algorithm>
#include <cmath>

namespace zandrel::report {

PaperFit FitToPaper(const PageSetup& design, double paperWidth, double paperHeight) {
    constexpr double rounding = 0.5; // mm: the device's pixels
    PaperFit fit{design, 1.0};
    if (paperWidth <= 0 || paperHeight <= 0) {
        return fit;
    }
    if (paperWidth < design.Width - rounding) {
        fit.Scale = paperWidth / design.Width;
    }
    const double height = paperHeight / fit.Scale;
    if (std::abs(height - design.Height) > rounding) {
        fit.Page.Height = height;
    }
    return fit;
}

ReportLayout::ReportLayout(PageSetup page, double titleHeight, double footerHeight)
    : page_(page), titleHeight_(titleHeight), footerHeight_(footerHeight) {
    pages_.emplace_back();
    cursor_ = page_.TopMargin;
    if (titleHeight_ > 0) {
        PlacedBand title;
        title.Kind = BandKind::Title;
        title.Height = titleHeight_;
        Place(title);
    }
}

double ReportLayout::DetailBottom() const {
    return page_.Height - page_.BottomMargin - footerHeight_;
}

bool ReportLayout::PageHasDetails() const {
    const auto& bands = pages_.back().Bands;
    return std::any_of(bands.begin(), bands.end(),
                       [](const PlacedBand& band) { return band.Kind == BandKind::Detail; });
}

void ReportLayout::Place(PlacedBand band) {
    band.Top = cursor_;
    cursor_ += band.Height;
    pages_.back().Bands.push_back(band);
}

void ReportLayout::PlaceFooter() {
    if (footerHeight_ <= 0) {
        return;
    }
    PlacedBand footer;
    footer.Kind = BandKind::PageFooter;
    footer.Height = footerHeight_;
    footer.Top = DetailBottom();
    pages_.back().Bands.push_back(footer);
}

void ReportLayout::CloseAndOpenPage() {
    PlaceFooter();
    pages_.emplace_back();
    cursor_ = page_.TopMargin;
}

void ReportLayout::AddDetail(const DetailMeasure& band) {
    if (finished_) {
        return;
    }
    const int row = rows_++;
    const int lines = static_cast<int>(band.LineBottoms.size());
    PlacedBand piece;
    piece.Kind = BandKind::Detail;
    piece.Row = row;
    piece.BoxTop = band.TextTop;
    piece.EndLine = lines;
    piece.BoxTo = band.TextHeight;
    piece.Height = band.Height;

    constexpr double slack = 1e-6;
    if (cursor_ + band.Height <= DetailBottom() + slack) {
        Place(piece);
        return;
    }
    if (PageHasDetails()) {
        CloseAndOpenPage();
        if (cursor_ + band.Height <= DetailBottom() + slack) {
            Place(piece);
            return;
        }
    }
    // Taller than a page: the text box goes on over the next pages, cut
    // between lines so that no line is lost.
    const double tail = std::max(0.0, band.Height - band.TextTop - band.TextHeight);
    int firstLine = 0;
    double boxFrom = 0;
    for (int number = 0;; ++number) {
        const double head = number == 0 ? band.TextTop : 0.0;
        const double available = DetailBottom() - cursor_;
        PlacedBand part = piece;
        part.Piece = number;
        part.BoxTop = head;
        part.FirstLine = firstLine;
        part.BoxFrom = boxFrom;
        const double rest = band.TextHeight - boxFrom;
        if (head + rest + tail <= available + slack) {
            part.EndLine = lines;
            part.BoxTo = band.TextHeight;
            part.Height = head + rest + tail;
            Place(part);
            return;
        }
        int end = firstLine;
        while (end < lines && head + band.LineBottoms[end] - boxFrom <= available + slack) {
            ++end;
        }
        if (end == firstLine && end < lines) {
            end = firstLine + 1; // a line taller than the page: shown cut
        }
        part.EndLine = end;
        part.BoxTo = end == lines
                         ? std::min(band.TextHeight, boxFrom + std::max(0.0, available - head))
                         : band.LineBottoms[end - 1];
        if (end == lines && part.BoxTo >= band.TextHeight - slack) {
            // Every line and the whole box fit; only the space below does not.
            part.BoxTo = band.TextHeight;
            part.Height = std::min(available, head + rest + tail);
            Place(part);
            return;
        }
        part.BoxTo = std::max(part.BoxTo, boxFrom);
        part.Height = head + (part.BoxTo - boxFrom);
        Place(part);
        firstLine = end;
        boxFrom = part.BoxTo;
        CloseAndOpenPage();
    }
}

void ReportLayout::Finish() {
    if (finished_) {
        return;
    }
    PlaceFooter();
    finished_ = true;
}

} // namespace zandrel::report
