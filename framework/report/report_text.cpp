#include "framework/report/report_text.h"

#include "framework/system_error.h"
#include "framework/text/core/utf8.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <tuple>

namespace zandrel {
namespace {

// The measuring fonts' units: twips, 20 to the point.
constexpr double kUnitsPerPoint = 20;
constexpr double kMmPerUnit = 25.4 / 1440;

int Round(double value) {
    return static_cast<int>(std::lround(value));
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
    const std::u16string face = Utf8ToUtf16(font.Face);
    lstrcpynW(description.lfFaceName, Wide(face), LF_FACESIZE);
    FontHandle created(CreateFontIndirectW(&description));
    if (!created) {
        throw SystemError("Cannot create the font " + font.Face, "CreateFontIndirectW");
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
        throw SystemError("Cannot create a device context to measure the report's texts",
                          "CreateCompatibleDC");
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

HFONT PageTextBatch::Font(const report::FontSpec& font) {
    FontHandle& handle = fonts_[font];
    if (!handle) {
        handle = CreateReportFont(font, target_.PixelsPerMmY);
    }
    return handle.get();
}

void PageTextBatch::Add(const report::TextLayout& layout, std::size_t first, std::size_t end,
                        double left, double top) {
    end = std::min(end, layout.Lines.size());
    for (std::size_t line = first; line < end; ++line) {
        const report::TextLine& placed = layout.Lines[line];
        for (const report::PlacedRun& run : placed.Runs) {
            const double x = left + run.Left;
            const double baseline = top + placed.Baseline - run.Rise;
            const auto font = static_cast<std::size_t>(run.Font);
            if (run.Highlight != report::kNoHighlight) {
                const report::FontMetrics& metrics = layout.Metrics[font];
                const RECT behind{target_.X(x), target_.Y(baseline - metrics.Ascent),
                                  target_.X(x + run.Width()),
                                  target_.Y(baseline + metrics.Descent)};
                const BrushHandle brush(CreateSolidBrush(run.Highlight));
                if (!brush) {
                    throw SystemError("Cannot create the brush of a marked text",
                                      "CreateSolidBrush");
                }
                FillRect(dc_, &behind, brush.get());
            }
            // Each character's advance on the device: the differences of its
            // rounded places, so that rounding never adds up along the line.
            Text text{layout.Fonts[font],
                      run.Colour == report::kAutoColour ? GetSysColor(COLOR_WINDOWTEXT)
                                                        : run.Colour,
                      POINT{target_.X(x), target_.Y(baseline)},
                      run.Text,
                      {}};
            int at = text.At.x;
            for (const float runEnd : run.Ends) {
                const int next = target_.X(x + runEnd);
                text.Spacing.push_back(next - at);
                at = next;
            }
            texts_.push_back(std::move(text));
        }
    }
}

void PageTextBatch::Draw() {
    std::stable_sort(texts_.begin(), texts_.end(), [](const Text& a, const Text& b) {
        return std::tie(a.Font, a.Colour) < std::tie(b.Font, b.Colour);
    });
    SetTextAlign(dc_, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    SetBkMode(dc_, TRANSPARENT);
    // The DC's own font comes back at the end; each font is selected once.
    struct OwnFont {
        HDC dc;
        HGDIOBJ font = nullptr;
        ~OwnFont() {
            if (font) {
                SelectObject(dc, font);
            }
        }
    } own{dc_};
    HFONT current = nullptr;
    for (const Text& text : texts_) {
        if (const HFONT font = Font(text.Font); font != current) {
            const HGDIOBJ previous = SelectObject(dc_, font);
            own.font = own.font ? own.font : previous;
            current = font;
        }
        SetTextColor(dc_, text.Colour);
        ExtTextOutW(dc_, text.At.x, text.At.y, 0, nullptr, Wide(text.Characters),
                    static_cast<UINT>(text.Characters.size()), text.Spacing.data());
    }
    texts_.clear();
}

} // namespace zandrel
