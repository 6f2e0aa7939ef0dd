#include "framework/report/report.h"

#include "framework/application.h"
#include "framework/controls/control.h"
#include "framework/controls/rich_edit.h"
#include "framework/device_context.h"
#include "framework/system_date_time.h"

#include <richedit.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>

namespace zandrel {

using report::BandKind;
using report::PlacedBand;

namespace {

double ScreenPixelsPerMm() {
    const WindowDc screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSX) / 25.4;
}

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

FontHandle MakeFont(const ReportFont& font, double pixelsPerMmY, int points = 0) {
    const double pointsUsed = points > 0 ? points : font.Points;
    const int height = -std::max(1, Round(pointsUsed * pixelsPerMmY * 25.4 / 72.0));
    return FontHandle(CreateFontA(height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, font.Italic,
                                  font.Underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  font.Name.c_str()));
}

// The hidden rich-edit control that measures and draws the rich text.
HWND CreateMeasuringControl() {
    const HWND control =
        CreateWindowExA(0, "RichEdit20A", "", WS_POPUP | ES_MULTILINE, -32000, -32000, 600, 100,
                        nullptr, nullptr, App().Instance(), nullptr);
    if (!control) {
        throw std::runtime_error("Cannot create the report's rich-text element");
    }
    LiftTextLimit(control);
    // Never painted: selecting runs and measuring then cost no drawing.
    SendMessageA(control, WM_SETREDRAW, FALSE, 0);
    return control;
}

// The base font for unformatted text: Arial 10 point, the window-text colour.
void SetBaseFont(HWND control) {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
    format.dwEffects = CFE_AUTOCOLOR;
    format.yHeight = 200;
    lstrcpynA(format.szFaceName, "Arial", LF_FACESIZE);
    SendMessageA(control, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    SendMessageA(control, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
}

// Loads the text into the control at the box's width on the screen.
HWND LoadControl(HWND control, const std::string& content, double widthMm) {
    const int width = std::max(1, Round(widthMm * ScreenPixelsPerMm()));
    SetWindowPos(control, nullptr, -32000, -32000, width, 30000, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SetBaseFont(control);
    if (!content.empty()) {
        LoadRichText(control, content);
    }
    return control;
}

LONG TextLength(HWND control) {
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    return static_cast<LONG>(
        SendMessageA(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
}

POINTL PositionOf(HWND control, LONG character) {
    POINTL point{};
    SendMessageA(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), character);
    return point;
}

std::string TextRange(HWND control, LONG from, LONG to) {
    std::string text(static_cast<std::size_t>(to - from) * 2 + 2, '\0');
    TEXTRANGEA range{{from, to}, text.data()};
    const auto got = SendMessageA(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(0, got)));
    return text;
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

} // namespace

// ---------------------------------------------------------------- rich text

ReportRichText::ReportRichText() = default;
ReportRichText::~ReportRichText() = default;

HWND ReportRichText::MeasuringControl() const {
    if (!control_) {
        control_.reset(CreateMeasuringControl());
    }
    return control_.get();
}

void ReportRichText::Clear() {
    content_.clear();
    measured_ = false;
}

void ReportRichText::Load(std::string_view text) {
    content_.assign(text);
    measured_ = false;
}

void ReportRichText::Measure() {
    if (measured_) {
        return;
    }
    measured_ = true;
    lineBottoms_.clear();
    lineStarts_.clear();
    if (content_.empty()) {
        return;
    }
    const HWND control = LoadControl(MeasuringControl(), content_, Width);
    const LONG length = TextLength(control);
    if (length == 0) {
        return;
    }
    const int lines = static_cast<int>(SendMessageA(control, EM_GETLINECOUNT, 0, 0));
    // One more paragraph at the end: its top is the bottom of the last line.
    CHARRANGE end{length, length};
    SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    SendMessageA(control, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("\r"));
    const double perMm = ScreenPixelsPerMm();
    const LONG top = PositionOf(control, 0).y;
    for (int line = 0; line <= lines; ++line) {
        const auto start = static_cast<LONG>(SendMessageA(control, EM_LINEINDEX, line, 0));
        lineStarts_.push_back(line == lines ? length : std::min(start, length));
        if (line > 0) {
            lineBottoms_.push_back((PositionOf(control, start).y - top) / perMm);
        }
    }
}

int ReportRichText::LineCount() {
    Measure();
    return static_cast<int>(lineBottoms_.size());
}

double ReportRichText::FormattedHeight() {
    Measure();
    return lineBottoms_.empty() ? 0.0 : lineBottoms_.back();
}

const std::vector<double>& ReportRichText::LineBottoms() {
    Measure();
    return lineBottoms_;
}

const std::vector<LONG>& ReportRichText::LineStarts() {
    Measure();
    return lineStarts_;
}

// ---------------------------------------------------------------- production

struct Report::DetailSnapshot {
    std::vector<std::string> Captions; // per element of the detail band
    std::string RichText;
    std::vector<double> LineBottoms;
    std::vector<LONG> LineStarts;
    double RichHeight = 0;
};

Report::Report() {
    TitleBand.Kind = BandKind::Title;
    DetailBand.Kind = BandKind::Detail;
    PageFooterBand.Kind = BandKind::PageFooter;
}

Report::~Report() = default;

void Report::Prepare(const Clock& clock) {
    produced_ = clock.Now();
    details_.clear();
    ended_ = false;
    if (OnBeforePrint) {
        OnBeforePrint();
    }
    layout_ = std::make_unique<report::ReportLayout>(Page, TitleBand.Height, PageFooterBand.Height);
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
                snapshot.RichText = rich->Content();
                snapshot.LineBottoms = rich->LineBottoms();
                snapshot.LineStarts = rich->LineStarts();
                snapshot.RichHeight = rich->Height;
                measure.TextTop = rich->Top;
                measure.TextHeight = rich->Height;
                measure.LineBottoms = snapshot.LineBottoms;
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

namespace {

struct Device {
    HDC dc;
    const RenderTarget& target;
    int X(double mm) const { return Round(target.OriginX + mm * target.PixelsPerMmX); }
    int Y(double mm) const { return Round(target.OriginY + mm * target.PixelsPerMmY); }
    RECT Rect(double left, double top, double width, double height) const {
        return RECT{X(left), Y(top), X(left + width), Y(top + height)};
    }
};

void Fill(const Device& device, const RECT& rect, Color color) {
    const BrushHandle brush(CreateSolidBrush(ColorRef(color)));
    FillRect(device.dc, &rect, brush.get());
}

void DrawLabel(const Device& device, const ReportLabel& label, const std::string& caption,
               double bandLeft, double bandTop, double wrapAt) {
    const FontHandle font = MakeFont(label.Font, device.target.PixelsPerMmY);
    const Selection selected(device.dc, font.get());
    SetBkMode(device.dc, TRANSPARENT);
    SetTextColor(device.dc, ColorRef(label.Font.Colour));
    const double left = bandLeft + label.Left;
    const double top = bandTop + label.Top;
    if (label.AlignRight) {
        SetTextAlign(device.dc, TA_RIGHT | TA_TOP | TA_NOUPDATECP);
        ExtTextOutA(device.dc, device.X(left + label.Width), device.Y(top), 0, nullptr,
                    caption.data(), static_cast<UINT>(caption.size()), nullptr);
        return;
    }
    SetTextAlign(device.dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    // Sized to its text; words wrap where the text would run into the next
    // label of its row, or off the paper.
    const int right = device.X(wrapAt);
    std::size_t from = 0;
    int y = device.Y(top);
    while (from < caption.size()) {
        std::size_t end = caption.size();
        SIZE size{};
        for (;;) {
            GetTextExtentPoint32A(device.dc, caption.data() + from, static_cast<int>(end - from),
                                  &size);
            if (device.X(left) + size.cx <= right) {
                break;
            }
            const auto blank = caption.rfind(' ', end - 1);
            if (blank == std::string::npos || blank <= from) {
                break;
            }
            end = blank;
        }
        TEXTMETRICA metric{};
        GetTextMetricsA(device.dc, &metric);
        if (!label.Transparent) {
            const RECT behind{device.X(left), y, device.X(left) + size.cx, y + metric.tmHeight};
            Fill(device, behind, label.Background);
        }
        ExtTextOutA(device.dc, device.X(left), y, 0, nullptr, caption.data() + from,
                    static_cast<UINT>(end - from), nullptr);
        y += metric.tmHeight;
        from = end;
        while (from < caption.size() && caption[from] == ' ') {
            ++from;
        }
    }
}

// The fonts of one drawing of a text, by their attributes.
using FontCache = std::map<std::tuple<std::string, LONG, DWORD>, FontHandle>;

// Whether the characters [from, to) share one formatting; `format` is theirs.
bool Uniform(HWND control, LONG from, LONG to, CHARFORMAT2A& format) {
    CHARRANGE range{from, to};
    SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    format = CHARFORMAT2A{};
    format.cbSize = sizeof format;
    SendMessageA(control, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    constexpr DWORD uniform =
        CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_COLOR;
    return to - from <= 1 || (format.dwMask & uniform) == uniform;
}

// One line of the control's text [from, to), a run of one formatting at a
// time, at the control's own places: for systems whose rich edit cannot
// render into another device context (Wine's EM_FORMATRANGE is a stub).
void DrawLine(const Device& device, HWND control, LONG from, LONG to, double xMmPerPixel,
              double baselineMm, double leftMm, FontCache& fonts) {
    LONG at = from;
    while (at < to) {
        // The longest run from `at`: doubling, then halving the step.
        CHARFORMAT2A format{};
        LONG good = at + 1;
        LONG bad = to + 1;
        for (LONG step = 2; good < to; step *= 2) {
            const LONG probe = std::min(to, at + step);
            if (!Uniform(control, at, probe, format)) {
                bad = probe;
                break;
            }
            good = probe;
        }
        while (bad <= to && bad - good > 1) {
            const LONG middle = good + (bad - good) / 2;
            (Uniform(control, at, middle, format) ? good : bad) = middle;
        }
        Uniform(control, at, good, format);
        std::string text = TextRange(control, at, good);
        const LONG runStart = at;
        at = good;
        while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
            text.pop_back();
        }
        if (text.empty()) {
            continue;
        }
        const LONG points = std::max<LONG>(1, (format.yHeight + 10) / 20);
        const DWORD effects = format.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE);
        FontHandle& font = fonts[{format.szFaceName, points, effects}];
        if (!font) {
            ReportFont attributes;
            attributes.Name = format.szFaceName;
            attributes.Bold = (effects & CFE_BOLD) != 0;
            attributes.Italic = (effects & CFE_ITALIC) != 0;
            attributes.Underline = (effects & CFE_UNDERLINE) != 0;
            font = MakeFont(attributes, device.target.PixelsPerMmY, int(points));
        }
        const Selection selected(device.dc, font.get());
        SetTextColor(device.dc, (format.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT)
                                                                   : format.crTextColor);
        const double x = leftMm + PositionOf(control, runStart).x * xMmPerPixel;
        ExtTextOutA(device.dc, device.X(x), device.Y(baselineMm), 0, nullptr, text.data(),
                    static_cast<UINT>(text.size()), nullptr);
    }
}

// Where a label's words wrap: 1 mm before the next label to its right on the
// same row (the system's date formats may be longer than the design's), else
// at the paper's edge, the right margin included.
double WrapLimit(const ReportBand& band, const ReportElement& label, double bandLeft,
                 double paperWidth) {
    double limit = paperWidth;
    for (const auto& other : band.Elements) {
        if (other.get() != &label && dynamic_cast<const ReportLabel*>(other.get()) &&
            other->Left > label.Left && std::abs(other->Top - label.Top) < 2.0) {
            limit = std::min(limit, bandLeft + other->Left - 1.0);
        }
    }
    return limit;
}

} // namespace

void Report::RenderBand(HDC dc, const ReportBand& band, const PlacedBand& placed,
                        const DetailSnapshot* snapshot, std::size_t pageIndex,
                        const RenderTarget& target) {
    const Device device{dc, target};
    const double bandLeft = Page.LeftMargin;
    const double bandWidth = Page.Width - Page.LeftMargin - Page.RightMargin;
    const double bandTop = placed.Top;
    Fill(device, device.Rect(bandLeft, bandTop, bandWidth, placed.Height), band.Background);

    for (std::size_t index = 0; index < band.Elements.size(); ++index) {
        const ReportElement& element = *band.Elements[index];
        const SavedDc saved(dc);
        if (const auto* rich = dynamic_cast<const ReportRichText*>(&element)) {
            if (!snapshot || placed.BoxTo <= placed.BoxFrom) {
                continue;
            }
            const double boxTop = bandTop + placed.BoxTop;
            const double boxHeight = placed.BoxTo - placed.BoxFrom;
            const RECT box = device.Rect(bandLeft + rich->Left, boxTop, rich->Width, boxHeight);
            Fill(device, box, rich->Background);
            {
                const PenHandle pen(CreatePen(PS_SOLID, 1, ColorRef(rich->Frame)));
                const Selection penSelected(dc, pen.get());
                const Selection noFill(dc, GetStockObject(NULL_BRUSH));
                Rectangle(dc, box.left, box.top, box.right, box.bottom);
            }
            if (snapshot->LineStarts.empty() || placed.EndLine <= placed.FirstLine) {
                continue;
            }
            const HWND control =
                LoadControl(rich->MeasuringControl(), snapshot->RichText, rich->Width);
            const LONG from = snapshot->LineStarts[static_cast<std::size_t>(placed.FirstLine)];
            const LONG to = snapshot->LineStarts[static_cast<std::size_t>(placed.EndLine)];
            IntersectClipRect(dc, box.left, box.top, box.right + 1, box.bottom + 1);
            SetBkMode(dc, TRANSPARENT);
            // The rich edit renders into the device itself where it can.
            const double twipsPerPixelX = 1440.0 / (target.PixelsPerMmX * 25.4);
            const double twipsPerPixelY = 1440.0 / (target.PixelsPerMmY * 25.4);
            FORMATRANGE range{};
            range.hdc = dc;
            range.hdcTarget = dc;
            range.rc = RECT{Round(box.left * twipsPerPixelX), Round(box.top * twipsPerPixelY),
                            Round(box.right * twipsPerPixelX),
                            Round((box.bottom + target.PixelsPerMmY) * twipsPerPixelY)};
            range.rcPage = range.rc;
            range.chrg = CHARRANGE{from, to};
            const auto rendered =
                SendMessageA(control, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
            SendMessageA(control, EM_FORMATRANGE, FALSE, 0);
            if (rendered > from) {
                continue;
            }
            // Else line by line, in runs of one formatting.
            const double mmPerPixel = 1.0 / ScreenPixelsPerMm();
            FontCache fonts;
            for (int line = placed.FirstLine; line < placed.EndLine; ++line) {
                const auto at = static_cast<std::size_t>(line);
                const double lineTop = line == 0 ? 0.0 : snapshot->LineBottoms[at - 1];
                const double lineBottom = snapshot->LineBottoms[at];
                const double baseline =
                    boxTop + (lineBottom - placed.BoxFrom) - (lineBottom - lineTop) * 0.22;
                SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
                DrawLine(device, control, snapshot->LineStarts[at], snapshot->LineStarts[at + 1],
                         mmPerPixel, baseline, bandLeft + rich->Left, fonts);
            }
            continue;
        }
        if (placed.Piece > 0) {
            continue; // a continued text shows its box only
        }
        if (const auto* shape = dynamic_cast<const ReportShape*>(&element)) {
            const int width = std::max(1, Round(0.25 * target.PixelsPerMmY));
            const PenHandle pen(CreatePen(PS_SOLID, width, ColorRef(shape->Pen)));
            const Selection penSelected(dc, pen.get());
            const int y = device.Y(bandTop + shape->Top + shape->Height / 2);
            MoveToEx(dc, device.X(bandLeft + shape->Left), y, nullptr);
            LineTo(dc, device.X(bandLeft + shape->Left + shape->Width), y);
            continue;
        }
        if (const auto* sys = dynamic_cast<const ReportSystemData*>(&element)) {
            const std::string value = sys->Data == SysDataKind::PageNumber
                                          ? std::to_string(pageIndex + 1)
                                          : ShownDateText(produced_, sys->Data);
            DrawLabel(device, *sys, sys->Text + value, bandLeft, bandTop,
                      WrapLimit(band, element, bandLeft, Page.Width));
            continue;
        }
        if (const auto* label = dynamic_cast<const ReportLabel*>(&element)) {
            const std::string& caption = snapshot ? snapshot->Captions[index] : label->Caption;
            DrawLabel(device, *label, caption, bandLeft, bandTop,
                      WrapLimit(band, element, bandLeft, Page.Width));
        }
    }
}

void Report::RenderPage(HDC dc, std::size_t index, const RenderTarget& target) {
    if (!layout_ || index >= layout_->Pages().size()) {
        throw std::out_of_range("No such page of the report");
    }
    const Device device{dc, target};
    Fill(device, device.Rect(0, 0, Page.Width, Page.Height), clWhite);
    for (const PlacedBand& placed : layout_->Pages()[index].Bands) {
        switch (placed.Kind) {
        case BandKind::Title:
            RenderBand(dc, TitleBand, placed, nullptr, index, target);
            break;
        case BandKind::PageFooter:
            RenderBand(dc, PageFooterBand, placed, nullptr, index, target);
            break;
        case BandKind::Detail:
            RenderBand(dc, DetailBand, placed, &details_.at(static_cast<std::size_t>(placed.Row)),
                       index, target);
            break;
        }
    }
}

MetafileHandle Report::PageMetafile(std::size_t index) {
    const WindowDc screen(nullptr);
    const RECT frame{0, 0, Round(Page.Width * 100), Round(Page.Height * 100)};
    const HDC dc = CreateEnhMetaFileA(screen.Get(), nullptr, &frame, "Zandrel\0Report\0");
    if (!dc) {
        throw std::runtime_error("Cannot create a metafile for the report's page");
    }
    RenderTarget target;
    target.PixelsPerMmX =
        double(GetDeviceCaps(screen.Get(), HORZRES)) / GetDeviceCaps(screen.Get(), HORZSIZE);
    target.PixelsPerMmY =
        double(GetDeviceCaps(screen.Get(), VERTRES)) / GetDeviceCaps(screen.Get(), VERTSIZE);
    try {
        RenderPage(dc, index, target);
    } catch (...) {
        const MetafileHandle unfinished(CloseEnhMetaFile(dc));
        throw;
    }
    return MetafileHandle(CloseEnhMetaFile(dc));
}

bool Report::Print(const std::string& printer, const Clock& clock,
                   const std::function<bool(std::size_t, std::size_t)>& progress) {
    const PrinterDc dc(printer.c_str());
    if (!dc) {
        throw std::runtime_error("Cannot open the printer " + printer);
    }
    // Every print produces the report again from the start.
    Prepare(clock);
    ProduceAll();
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = "Zandrel";
    if (StartDocA(dc.Get(), &document) <= 0) {
        throw std::runtime_error("The printer " + printer + " refused the document");
    }
    RenderTarget target;
    target.PixelsPerMmX = GetDeviceCaps(dc.Get(), LOGPIXELSX) / 25.4;
    target.PixelsPerMmY = GetDeviceCaps(dc.Get(), LOGPIXELSY) / 25.4;
    // The device's point (0, 0) is the physical offset away from the paper's corner.
    target.OriginX = -GetDeviceCaps(dc.Get(), PHYSICALOFFSETX);
    target.OriginY = -GetDeviceCaps(dc.Get(), PHYSICALOFFSETY);
    const std::size_t pages = PageCount();
    for (std::size_t page = 0; page < pages; ++page) {
        StartPage(dc.Get());
        RenderPage(dc.Get(), page, target);
        EndPage(dc.Get());
        if (progress && !progress(page + 1, pages) && page + 1 < pages) {
            AbortDoc(dc.Get());
            return false;
        }
    }
    EndDoc(dc.Get());
    return true;
}

// ---------------------------------------------------------------- reading back

namespace {

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    auto& texts = *reinterpret_cast<std::vector<PageText>*>(data);
    if (record->iType == EMR_EXTTEXTOUTA) {
        const auto& out = *reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        const char* chars = reinterpret_cast<const char*>(record) + out.emrtext.offString;
        texts.push_back({std::string(chars, out.emrtext.nChars), int(out.emrtext.ptlReference.x),
                         int(out.emrtext.ptlReference.y)});
    } else if (record->iType == EMR_EXTTEXTOUTW) {
        const auto& out = *reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        if (out.emrtext.fOptions & ETO_GLYPH_INDEX) {
            return 1;
        }
        const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const char*>(record) +
                                                             out.emrtext.offString);
        std::string text(out.emrtext.nChars * 2 + 1, '\0');
        const int length = WideCharToMultiByte(CP_ACP, 0, chars, int(out.emrtext.nChars),
                                               text.data(), int(text.size()), nullptr, nullptr);
        text.resize(static_cast<std::size_t>(std::max(0, length)));
        texts.push_back({text, int(out.emrtext.ptlReference.x), int(out.emrtext.ptlReference.y)});
    }
    return 1;
}

} // namespace

std::vector<PageText> TextsOfMetafile(HENHMETAFILE metafile) {
    std::vector<PageText> texts;
    EnumEnhMetaFile(nullptr, metafile, CollectText, &texts, nullptr);
    return texts;
}

} // namespace zandrel
