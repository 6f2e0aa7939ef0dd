#include "catalog/report.h"

#include "catalog/core/report_design.h"
#include "catalog/shown_text.h"
#include "framework/system_date_time.h"

namespace zandrel {

using report::PixelsToMm;

namespace {

ReportFont Font(const char* name, int points, bool bold, bool italic, bool underline,
                Color colour = kSystemColor | COLOR_WINDOWTEXT) {
    ReportFont font;
    font.Name = name;
    font.Points = points;
    font.Bold = bold;
    font.Italic = italic;
    font.Underline = underline;
    font.Colour = colour;
    return font;
}

template <typename Element>
Element& Place(ReportBand& band, const char* name, double left, double top) {
    Element& element = band.Add<Element>(name);
    element.Left = left;
    element.Top = top;
    return element;
}

} // namespace

TQReport1::TQReport1(const MessageList& messages) : MessageList_(messages) {
    Name = "catalog";
    OnBeforePrint = [this] { QReport1BeforePrint(); };
    OnNeedData = [this](bool& more) { QReport1NeedData(more); };
    const double width = Page.Width - Page.LeftMargin - Page.RightMargin; // 190 mm

    TitleBand.Height = 23.8;
    auto& title = Place<ReportLabel>(TitleBand, "QRLabel3", 9.4, 2.3);
    title.Caption = "Zandrel";
    title.Font = Font("Garamond", 30, true, false, true, clGray);
    title.Transparent = true;
    auto& context = Place<ReportLabel>(TitleBand, "QRLabel1", 90.3, 2.3);
    context.Caption = "Report of context";
    context.Font = Font("Garamond", 30, true, true, true, clGray);
    auto& created = Place<ReportSystemData>(TitleBand, "QRSysData3", 139.9, 15.9);
    created.Text = "Created:";
    created.Data = SysDataKind::DateTime;
    created.AlignRight = true;
    created.Width = width - created.Left;
    created.Font = Font("Arial", 10, false, false, false, clGray);

    DetailBand.Height = 36.3;
    auto& line = Place<ReportShape>(DetailBand, "QRShape1", 10.6, 0.0);
    line.Width = 169.3;
    line.Height = 1.1;
    QRLabel_startDate = &Place<ReportLabel>(DetailBand, "QRLabel_startDate", 8.3, 1.5);
    QRLabel_startDate->Font = Font("Arial", 10, true, true, false);
    QRLabel_enddate = &Place<ReportLabel>(DetailBand, "QRLabel_enddate", 68.0, 1.5);
    QRLabel_enddate->Font = Font("Arial", 10, true, true, false);
    QRLabel5 = &Place<ReportLabel>(DetailBand, "QRLabel5", 125.5, 1.5);
    auto& heading = Place<ReportLabel>(DetailBand, "QRLabel4", 7.2, 9.4);
    heading.Caption = "Text of memo";
    heading.Font = Font("Arial", 10, true, false, true, clBlue);
    QRRichText1 =
        &Place<ReportRichText>(DetailBand, "QRRichText1", 6.4, PixelsToMm(catalog::kTextTopPixels));
    QRRichText1->Width = 175.4;
    QRRichText1->Frame = clGray;
    QRRichText1->Background = clWindow;

    PageFooterBand.Height = 10.6;
    auto& footerLine = Place<ReportShape>(PageFooterBand, "QRShape2", 10.6, 0.3);
    footerLine.Width = 169.3;
    footerLine.Height = 0.5;
    auto& printed = Place<ReportSystemData>(PageFooterBand, "QRSysData2", 10.6, 5.3);
    printed.Text = "Printed at ";
    printed.Data = SysDataKind::Date;
    auto& number = Place<ReportSystemData>(PageFooterBand, "QRSysData1", 150.4, 5.3);
    number.Text = "Page num.";
    number.Data = SysDataKind::PageNumber;
}

void TQReport1::QReport1BeforePrint() {
    RowIndex = 0;
}

void TQReport1::QReport1NeedData(bool& MoreData) {
    MoreData = false;
    if (RowIndex < 0 || static_cast<std::size_t>(RowIndex) >= MessageList_.Count()) {
        return;
    }
    MoreData = true;
    const TMessageEntry& entry = MessageList_.Entry(static_cast<std::size_t>(RowIndex));
    const auto captions = catalog::CaptionsFor(entry, SystemDateTimeFormats());
    QRLabel_startDate->Caption = captions.StartDate;
    QRLabel_enddate->Caption = captions.AlarmDate;
    QRLabel5->Caption = captions.NextWarn;
    QRRichText1->Clear();
    if (!entry.RichText.empty()) {
        QRRichText1->Load(ShownTextOf(entry).Rtf);
    }
    // Lines x 15 pixels, or more when the formatted text needs it: larger
    // fonts would otherwise be cut off.
    const double formattedPixels = QRRichText1->FormattedHeight() * report::kDesignPixelsPerMm;
    const int box = catalog::TextBoxHeightPixels(QRRichText1->LineCount(), formattedPixels);
    QRRichText1->Height = PixelsToMm(box);
    DetailBand.Height = PixelsToMm(catalog::DetailBandHeightPixels(catalog::kTextTopPixels, box));
    ++RowIndex;
}

} // namespace zandrel
