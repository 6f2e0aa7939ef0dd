#include "framework/report/report.h"

#include "framework/controls/control.h"
#include "framework/device_context.h"
#include "framework/report/core/rtf_reader.h"
#include "framework/report/print_job.h"
#include "framework/report/printer_settings.h"
#include "framework/system_date_time.h"
#include "framework/system_error.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace zandrel {

using report::BandKind;
using report::PlacedBand;

namespace {

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

// A report font as the character format of the layouts.
report::CharacterFormat FormatOf(const ReportFont& font) {
    report::CharacterFormat format;
    format.Face = font.Name;
    format.HalfPoints = font.Points * 2;
    format.Bold = font.Bold;
    format.Italic = font.Italic;
    format.Underline = font.Underline;
    format.Colour = font.Colour == (kSystemColor | COLOR_WINDOWTEXT) ? report::kAutoColour
                                                                     : ColorRef(font.Colour);
    return format;
}

std::string ShownDateText(TDateTime moment, SysDataKind kind) {
    switch (kind) {
    case SysDataKind::Date:
        return DateTimeToText(std::floor(moment));
    case SysDataKind::DateTime:
        return DateTimeToText(moment);
    case SysDataKind::PageNumber:
        break;
    }
    return {};
}

void Fill(HDC dc, const RECT& rect, Color color) {
    const BrushHandle brush(CreateSolidBrush(ColorRef(color)));
    if (!brush) {
        throw SystemError("Cannot create a brush for the report's page", "CreateSolidBrush");
    }
    FillRect(dc, &rect, brush.get());
}

PenHandle SolidPen(int width, Color color) {
    PenHandle pen(CreatePen(PS_SOLID, width, ColorRef(color)));
    if (!pen) {
        throw SystemError("Cannot create a pen for the report's page", "CreatePen");
    }
    return pen;
}

// Where a label's words wrap: 1 mm before the next label to its right on the
// same row (the system's date formats may be longer than the design's), else
// at the right margin.
double WrapLimit(const ReportBand& band, const ReportElement& label, double bandLeft,
                 double bandRight) {
    double limit = bandRight;
    for (const auto& other : band.Elements) {
        if (other.get() != &label && dynamic_cast<const ReportLabel*>(other.get()) &&
            other->Left > label.Left && std::abs(other->Top - label.Top) < 2.0) {
            limit = std::min(limit, bandLeft + other->Left - 1.0);
        }
    }
    return limit;
}

// The widest word of a text laid out on one line, and the whole line's width.
std::pair<double, double> NaturalWidths(const report::TextLayout& single) {
    double widest = 0;
    double whole = 0;
    for (const report::TextLine& line : single.Lines) {
        for (const report::PlacedRun& run : line.Runs) {
            float wordStart = 0;
            for (std::size_t i = 0; i < run.Text.size(); ++i) {
                if (run.Text[i] == u' ') {
                    wordStart = run.Ends[i];
                } else {
                    widest = std::max(widest, double(run.Ends[i] - wordStart));
                }
            }
            whole = std::max(whole, run.Left + run.Width());
        }
    }
    return {widest, whole};
}

// A label's text in `room` mm: wrapped at blanks; smaller while a word is
// wider than the room, and on one line when its lines would be taller than
// `height`.
report::TextLayout FitLabel(std::u16string_view text, const report::CharacterFormat& format,
                            report::Alignment align, double room, double height,
                            report::TextMeasurer& measurer) {
    const auto [widest, whole] = NaturalWidths(
        report::LayOutPlainText(text, format, report::Alignment::Left, 1e6, measurer));
    const auto scaled = [&](double scale) {
        report::CharacterFormat smaller = format;
        smaller.HalfPoints = std::max(2, int(std::floor(format.HalfPoints * scale)));
        return report::LayOutPlainText(text, smaller, align, room, measurer);
    };
    const double scale = widest > room ? room / widest : 1.0;
    report::TextLayout layout = scaled(scale);
    if (layout.Lines.size() > 1 && layout.Height() > height && whole > 0) {
        layout = scaled(std::min(scale, room / whole));
    }
    return layout;
}

} // namespace

// ---------------------------------------------------------------- rich text

ReportRichText::ReportRichText() = default;
ReportRichText::~ReportRichText() = default;

void ReportRichText::Clear() {
    content_.clear();
    layout_.reset();
}

void ReportRichText::Load(std::string_view text) {
    content_.assign(text);
    layout_.reset();
}

std::shared_ptr<const report::TextLayout> ReportRichText::Layout() {
    if (!layout_) {
        if (!measurer_) {
            measurer_ = std::make_unique<ReportTextMeasurer>();
        }
        layout_ = std::make_shared<const report::TextLayout>(
            report::LayOutText(report::ReadRichText(content_, FormatOf(Font)),
                               std::max(1.0, Width - 2 * InsetX), *measurer_));
    }
    return layout_;
}

int ReportRichText::LineCount() {
    return static_cast<int>(Layout()->Lines.size());
}

double ReportRichText::FormattedHeight() {
    const double height = Layout()->Height();
    return height > 0 ? height + 2 * InsetY : 0.0;
}

std::vector<double> ReportRichText::LineBottoms() {
    std::vector<double> bottoms;
    for (const report::TextLine& line : Layout()->Lines) {
        bottoms.push_back(InsetY + line.Bottom);
    }
    return bottoms;
}

// ---------------------------------------------------------------- production

struct Report::DetailSnapshot {
    std::vector<std::string> Captions; // per element of the detail band
    std::shared_ptr<const report::TextLayout> Text;
};

Report::Report() {
    TitleBand.Kind = BandKind::Title;
    DetailBand.Kind = BandKind::Detail;
    PageFooterBand.Kind = BandKind::PageFooter;
}

Report::~Report() = default;

void Report::Prepare(const Clock& clock, const report::PageSetup& page) {
    produced_ = clock.Now();
    details_.clear();
    ended_ = false;
    if (OnBeforePrint) {
        OnBeforePrint();
    }
    layout_ = std::make_unique<report::ReportLayout>(page, TitleBand.Height, PageFooterBand.Height);
}

bool Report::ProduceSome(int details) {
    if (!layout_) {
        throw std::logic_error("The report was not prepared");
    }
    for (int produced = 0; produced < details && !ended_; ++produced) {
        bool more = false;
        if (OnNeedData) {
            OnNeedData(more);
        }
        if (!more) {
            layout_->Finish();
            ended_ = true;
            break;
        }
        DetailSnapshot snapshot;
        report::DetailMeasure measure;
        measure.Height = DetailBand.Height;
        for (const auto& element : DetailBand.Elements) {
            if (auto* label = dynamic_cast<ReportLabel*>(element.get())) {
                snapshot.Captions.push_back(label->Caption);
                continue;
            }
            snapshot.Captions.emplace_back();
            if (auto* rich = dynamic_cast<ReportRichText*>(element.get())) {
                snapshot.Text = rich->Layout();
                measure.TextTop = rich->Top;
                measure.TextHeight = rich->Height;
                measure.LineBottoms = rich->LineBottoms();
            }
        }
        details_.push_back(std::move(snapshot));
        layout_->AddDetail(measure);
    }
    return !ended_;
}

void Report::ProduceUntil(std::size_t pages) {
    while (!ended_ && layout_->CompletePages() < pages) {
        ProduceSome(1);
    }
}

bool Report::Finished() const {
    return ended_;
}

std::size_t Report::PageCount() const {
    return layout_ ? layout_->CompletePages() : 0;
}

// ---------------------------------------------------------------- rendering

void Report::DrawLabel(HDC dc, PageTextBatch& texts, const RenderTarget& target,
                       const ReportBand& band, const ReportLabel& label, const std::string& caption,
                       const PlacedBand& placed) {
    const report::PageSetup& page = layout_->Page();
    const double bandLeft = page.LeftMargin;
    const double left = label.AlignRight ? bandLeft : bandLeft + label.Left;
    const double right = label.AlignRight
                             ? bandLeft + label.Left + label.Width
                             : WrapLimit(band, label, bandLeft, page.Width - page.RightMargin);
    if (!labelMeasurer_) {
        labelMeasurer_ = std::make_unique<ReportTextMeasurer>();
    }
    const report::TextLayout layout =
        FitLabel(WideText(caption), FormatOf(label.Font),
                 label.AlignRight ? report::Alignment::Right : report::Alignment::Left,
                 std::max(1.0, right - left), placed.Height - label.Top, *labelMeasurer_);
    const double top = placed.Top + label.Top;
    if (!label.Transparent) {
        for (const report::TextLine& line : layout.Lines) {
            for (const report::PlacedRun& run : line.Runs) {
                Fill(dc,
                     target.Rect(left + run.Left, top + line.Top, run.Width(),
                                 line.Bottom - line.Top),
                     label.Background);
            }
        }
    }
    texts.Add(layout, 0, layout.Lines.size(), left, top);
}

void Report::RenderBand(HDC dc, PageTextBatch& texts, const ReportBand& band,
                        const PlacedBand& placed, const DetailSnapshot* snapshot,
                        std::size_t pageIndex, const RenderTarget& target) {
    const report::PageSetup& page = layout_->Page();
    const double bandLeft = page.LeftMargin;
    const double bandWidth = page.Width - page.LeftMargin - page.RightMargin;
    const double bandTop = placed.Top;
    Fill(dc, target.Rect(bandLeft, bandTop, bandWidth, placed.Height), band.Background);

    for (std::size_t index = 0; index < band.Elements.size(); ++index) {
        const ReportElement& element = *band.Elements[index];
        if (const auto* rich = dynamic_cast<const ReportRichText*>(&element)) {
            if (!snapshot || placed.BoxTo <= placed.BoxFrom) {
                continue;
            }
            const double boxTop = bandTop + placed.BoxTop;
            const RECT box = target.Rect(bandLeft + rich->Left, boxTop, rich->Width,
                                         placed.BoxTo - placed.BoxFrom);
            Fill(dc, box, rich->Background);
            {
                const PenHandle pen = SolidPen(1, rich->Frame);
                const Selection penSelected(dc, pen.get());
                const Selection noFill(dc, GetStockObject(NULL_BRUSH));
                Rectangle(dc, box.left, box.top, box.right, box.bottom);
            }
            if (snapshot->Text) {
                texts.Add(*snapshot->Text, static_cast<std::size_t>(placed.FirstLine),
                          static_cast<std::size_t>(placed.EndLine),
                          bandLeft + rich->Left + rich->InsetX,
                          boxTop + rich->InsetY - placed.BoxFrom);
            }
            continue;
        }
        if (placed.Piece > 0) {
            continue; // a continued text shows its box only
        }
        if (const auto* shape = dynamic_cast<const ReportShape*>(&element)) {
            const int width = std::max(1, Round(0.25 * target.PixelsPerMmY));
            const PenHandle pen = SolidPen(width, shape->Pen);
            const Selection penSelected(dc, pen.get());
            const int y = target.Y(bandTop + shape->Top + shape->Height / 2);
            MoveToEx(dc, target.X(bandLeft + shape->Left), y, nullptr);
            LineTo(dc, target.X(bandLeft + shape->Left + shape->Width), y);
            continue;
        }
        if (const auto* sys = dynamic_cast<const ReportSystemData*>(&element)) {
            const std::string value = sys->Data == SysDataKind::PageNumber
                                          ? std::to_string(pageIndex + 1)
                                          : ShownDateText(produced_, sys->Data);
            DrawLabel(dc, texts, target, band, *sys, sys->Text + value, placed);
            continue;
        }
        if (const auto* label = dynamic_cast<const ReportLabel*>(&element)) {
            const std::string& caption = snapshot ? snapshot->Captions[index] : label->Caption;
            DrawLabel(dc, texts, target, band, *label, caption, placed);
        }
    }
}

void Report::RenderPage(HDC dc, std::size_t index, const RenderTarget& target) {
    if (!layout_ || index >= layout_->Pages().size()) {
        throw std::out_of_range("No such page of the report");
    }
    const report::PageSetup& page = layout_->Page();
    Fill(dc, target.Rect(0, 0, page.Width, page.Height), clWhite);
    PageTextBatch texts(dc, target);
    for (const PlacedBand& placed : layout_->Pages()[index].Bands) {
        switch (placed.Kind) {
        case BandKind::Title:
            RenderBand(dc, texts, TitleBand, placed, nullptr, index, target);
            break;
        case BandKind::PageFooter:
            RenderBand(dc, texts, PageFooterBand, placed, nullptr, index, target);
            break;
        case BandKind::Detail:
            RenderBand(dc, texts, DetailBand, placed,
                       &details_.at(static_cast<std::size_t>(placed.Row)), index, target);
            break;
        }
    }
    texts.Draw();
}

MetafileHandle Report::PageMetafile(std::size_t index, HDC reference) {
    const WindowDc screen(nullptr);
    if (!reference) {
        reference = screen.Get();
    }
    const report::PageSetup& page = layout_ ? layout_->Page() : Page;
    const RECT frame{0, 0, Round(page.Width * 100), Round(page.Height * 100)};
    const HDC dc = CreateEnhMetaFileA(reference, nullptr, &frame, "Zandrel\0Report\0");
    if (!dc) {
        throw SystemError("Cannot create a metafile for the report's page", "CreateEnhMetaFileA");
    }
    RenderTarget target;
    target.PixelsPerMmX =
        double(GetDeviceCaps(reference, HORZRES)) / GetDeviceCaps(reference, HORZSIZE);
    target.PixelsPerMmY =
        double(GetDeviceCaps(reference, VERTRES)) / GetDeviceCaps(reference, VERTSIZE);
    try {
        RenderPage(dc, index, target);
    } catch (...) {
        const MetafileHandle unfinished(CloseEnhMetaFile(dc));
        throw;
    }
    return MetafileHandle(CloseEnhMetaFile(dc));
}

bool Report::Print(const PrinterChoice& printer, const Clock& clock,
                   const std::function<bool(std::size_t, std::size_t)>& progress) {
    const PrinterSettings settings(printer);
    const PrinterDc dc(printer.Name.c_str(), settings.Mode());
    if (!dc) {
        throw SystemError("Cannot open the printer " + printer.Name, "CreateDCA");
    }
    PrintDevice device(dc.Get());
    return Print(device, clock, progress);
}

bool Report::Print(PrintDevice& device, const Clock& clock,
                   const std::function<bool(std::size_t, std::size_t)>& progress) {
    const HDC dc = device.Dc();
    const double perMmX = GetDeviceCaps(dc, LOGPIXELSX) / 25.4;
    const double perMmY = GetDeviceCaps(dc, LOGPIXELSY) / 25.4;
    // Every print produces the report again from the start, on the paper
    // that the printer gives.
    const report::PaperFit fit = report::FitToPaper(Page, GetDeviceCaps(dc, PHYSICALWIDTH) / perMmX,
                                                    GetDeviceCaps(dc, PHYSICALHEIGHT) / perMmY);
    Prepare(clock, fit.Page);
    ProduceAll();
    PrintJob job(device, "Zandrel");
    RenderTarget target;
    target.PixelsPerMmX = perMmX * fit.Scale;
    target.PixelsPerMmY = perMmY * fit.Scale;
    // The device's point (0, 0) is the physical offset away from the paper's corner.
    target.OriginX = -GetDeviceCaps(dc, PHYSICALOFFSETX);
    target.OriginY = -GetDeviceCaps(dc, PHYSICALOFFSETY);
    const std::size_t pages = PageCount();
    for (std::size_t page = 0; page < pages; ++page) {
        job.StartPage(page + 1);
        RenderPage(dc, page, target);
        job.EndPage(page + 1);
        if (progress && !progress(page + 1, pages) && page + 1 < pages) {
            return false; // the job aborts the document
        }
    }
    job.End();
    return true;
}

} // namespace zandrel
