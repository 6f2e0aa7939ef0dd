#pragma once
// The report's texts on devices. Texts are laid out once, measured with
// fonts at a fine reference size that no device's rounding distorts, and
// every device draws the laid-out lines at its own scale with each
// character at the place the layout gave it: the preview on the screen and
// the printer's paper show the same lines, and no run overlaps the next.
#include "framework/device_context.h"
#include "framework/handles.h"
#include "framework/report/core/text_layout.h"

#include <windows.h>

#include <map>
#include <string_view>
#include <vector>

namespace zandrel {

// Where a page goes on a device: its resolution and the device point of the
// paper's top-left corner.
struct RenderTarget {
    double PixelsPerMmX = 96 / 25.4;
    double PixelsPerMmY = 96 / 25.4;
    double OriginX = 0;
    double OriginY = 0;

    int X(double mm) const;
    int Y(double mm) const;
    RECT Rect(double left, double top, double width, double height) const;
};

// A font of the layouts with its em height in a device's pixels.
FontHandle CreateReportFont(const report::FontSpec& font, double pixelsPerMm);

// Measures on a memory DC, with fonts 20 units to the point.
class ReportTextMeasurer : public report::TextMeasurer {
public:
    ReportTextMeasurer();
    report::FontMetrics Metrics(const report::FontSpec& font) override;
    void Advances(const report::FontSpec& font, std::u16string_view text,
                  std::vector<double>& advances) override;

private:
    HFONT Font(const report::FontSpec& font);

    MemoryDc dc_;
    std::map<report::FontSpec, FontHandle> fonts_;
    std::vector<INT> extents_;
};

// The texts of one page on one device, drawn together, font by font: a
// PostScript printer driver keeps only a few of the fonts it sent to the
// printer and sends a font again each time it comes back (under Wine, the
// whole font's header for every change of font).
class PageTextBatch {
public:
    PageTextBatch(HDC dc, const RenderTarget& target) : dc_(dc), target_(target) {}
    // Draws the highlights of the lines [first, end) of `layout` at once and
    // keeps their runs: the layout's top-left corner is at (left, top), in
    // mm on the paper, every character at its laid-out place.
    void Add(const report::TextLayout& layout, std::size_t first, std::size_t end, double left,
             double top);
    // Draws every text kept, in its font and colour.
    void Draw();

private:
    struct Text {
        report::FontSpec Font;
        COLORREF Colour;
        POINT At;
        std::u16string Characters;
        std::vector<INT> Spacing;
    };
    HFONT Font(const report::FontSpec& font);

    HDC dc_;
    const RenderTarget& target_;
    std::vector<Text> texts_;
    std::map<report::FontSpec, FontHandle> fonts_;
};

// A text of the system's ANSI code page in UTF-16.
std::u16string WideText(std::string_view ansi);

} // namespace zandrel
