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

// The fonts of one drawing on one device.
class DeviceFonts {
public:
    explicit DeviceFonts(double pixelsPerMm) : pixelsPerMm_(pixelsPerMm) {}
    HFONT Get(const report::FontSpec& font);

private:
    double pixelsPerMm_;
    std::map<report::FontSpec, FontHandle> fonts_;
};

// Draws the lines [first, end) of `layout` with the layout's top-left corner
// at (left, top), in mm on the paper: highlights, then each run in its
// font and colour, every character at its laid-out place.
void DrawTextLines(HDC dc, const RenderTarget& target, DeviceFonts& fonts,
                   const report::TextLayout& layout, std::size_t first, std::size_t end,
                   double left, double top);

// A text of the system's ANSI code page in UTF-16.
std::u16string WideText(std::string_view ansi);

} // namespace zandrel
