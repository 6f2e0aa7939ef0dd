#include "framework/report/report_text.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

namespace zandrel {
namespace {

// The measuring fonts' units: twips, 20 to the point.
constexpr double kUnitsPerPoint = 20;
constexpr double kMmPerUnit = 25.4 / 1440;

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

std::wstring Utf8ToWide(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(),
                                           int(wide.size()));
    wide.resize(static_cast<std::size_t>(std::max(0, length)));
    return wide;
}

const wchar_t* Wide(std::u16string_view text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}

FontHandle CreateFontOfHeight(const report::FontSpec& font, int height) {
    LOGFONTW description{};
    description.lfHeight = -std::max(1, height);
    description.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    description.lfItalic = font.Italic;
    description.lfUnderline = font.Underline;
    description.lfStrikeOut = font.Strike;
    description.lfCharSet = static_cast<BYTE>(font.Charset);
    description.lfOutPrecision = OUT_TT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily =
        font.FixedPitch ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = Utf8ToWide(font.Face);
    lstrcpynW(description.lfFaceName, face.c_str(), LF_FACESIZE);
    FontHandle created(CreateFontIndirectW(&description));
    if (!created) {
        throw std::runtime_error("Cannot create the font " + font.Face);
    }
    return created;
}

} // namespace

int RenderTarget::X(double mm) const {
    return Round(OriginX + mm * PixelsPerMmX);
}

int RenderTarget::Y(double mm) const {
    return Round(OriginY + mm * PixelsPerMmY);
}

RECT RenderTarget::Rect(double left, double top, double width, double height) const {
    return RECT{X(left), Y(top), X(left + width), Y(top + height)};
}

FontHandle CreateReportFont(const report::FontSpec& font, double pixelsPerMm) {
    return CreateFontOfHeight(font, Round(report::PointsToMm(font.Points) * pixelsPerMm));
}

std::u16string WideText(std::string_view ansi) {
    std::u16string wide(ansi.size(), u'\0');
    const int length =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()),
                            reinterpret_cast<wchar_t*>(wide.data()), int(wide.size()));
    wide.resize(static_cast<std::size_t>(std::max(0, length)));
    return wide;
}

// ---------------------------------------------------------------- measuring

ReportTextMeasurer::ReportTextMeasurer() : dc_(nullptr) {
    if (!dc_) {
        throw std::runtime_error("Cannot create a device context to measure the report's texts");
    }
}

HFONT ReportTextMeasurer::Font(const report::FontSpec& font) {
    FontHandle& handle = fonts_[font];
    if (!handle) {
        handle = CreateFontOfHeight(font, Round(font.Points * kUnitsPerPoint));
    }
    return handle.get();
}

report::FontMetrics ReportTextMeasurer::Metrics(const report::FontSpec& font) {
    const Selection selected(dc_.Get(), Font(font));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_.Get(), &metrics);
    return {metrics.tmAscent * kMmPerUnit, metrics.tmDescent * kMmPerUnit};
}

void ReportTextMeasurer::Advances(const report::FontSpec& font, std::u16string_view text,
                                  std::vector<double>& advances) {
    if (text.empty()) {
        return;
    }
    const Selection selected(dc_.Get(), Font(font));
    const int count = static_cast<int>(text.size());
    extents_.assign(text.size(), 0);
    SIZE size{};
    int fitting = 0;
    GetTextExtentExPointW(dc_.Get(), Wide(text), count, INT_MAX, &fitting, extents_.data(), &size);
    // Each character's end, as far from the start as GDI puts it.
    int previous = 0;
    for (const INT end : extents_) {
        advances.push_back(std::max(0, end - previous) * kMmPerUnit);
        previous = std::max(previous, int(end));
    }
}

// ---------------------------------------------------------------- drawing

HFONT DeviceFonts::Get(const report::FontSpec& font) {
    FontHandle& handle = fonts_[font];
    if (!handle) {
        handle = CreateReportFont(font, pixelsPerMm_);
    }
    return handle.get();
}

void DrawTextLines(HDC dc, const RenderTarget& target, DeviceFonts& fonts,
                   const report::TextLayout& layout, std::size_t first, std::size_t end,
                   double left, double top) {
    const SavedDc saved(dc);
    SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    SetBkMode(dc, TRANSPARENT);
    std::vector<INT> spacing;
    end = std::min(end, layout.Lines.size());
    for (std::size_t line = first; line < end; ++line) {
        const report::TextLine& placed = layout.Lines[line];
        for (const report::PlacedRun& run : placed.Runs) {
            const double x = left + run.Left;
            const double baseline = top + placed.Baseline - run.Rise;
            const auto font = static_cast<std::size_t>(run.Font);
            if (run.Highlight != report::kNoHighlight) {
                const report::FontMetrics& metrics = layout.Metrics[font];
                const RECT behind{target.X(x), target.Y(baseline - metrics.Ascent),
                                  target.X(x + run.Width()), target.Y(baseline + metrics.Descent)};
                const BrushHandle brush(CreateSolidBrush(run.Highlight));
                FillRect(dc, &behind, brush.get());
            }
            // Each character's advance on the device: the differences of its
            // rounded places, so that rounding never adds up along the line.
            spacing.resize(run.Ends.size());
            int at = target.X(x);
            for (std::size_t i = 0; i < run.Ends.size(); ++i) {
                const int next = target.X(x + run.Ends[i]);
                spacing[i] = next - at;
                at = next;
            }
            const Selection selected(dc, fonts.Get(layout.Fonts[font]));
            SetTextColor(dc, run.Colour == report::kAutoColour ? GetSysColor(COLOR_WINDOWTEXT)
                                                               : run.Colour);
            ExtTextOutW(dc, target.X(x), target.Y(baseline), 0, nullptr, Wide(run.Text),
                        static_cast<UINT>(run.Text.size()), spacing.data());
        }
    }
}

} // namespace zandrel
