#pragma once
// Lays a RichDocument out for a width, in millimetres: line breaks, tab
// stops, alignment, indents, spacing and raised or lowered text, with the
// advance of every character measured once. Every device then draws the
// same lines with the same character places at its own scale, so that the
// preview and the paper show the same page.
#include "framework/report/core/rich_text.h"

#include <string>
#include <string_view>
#include <vector>

namespace zandrel::report {

// A font as drawn: the face of a character format at the size it is drawn.
struct FontSpec {
    std::string Face; // UTF-8
    int Charset = 1;
    bool FixedPitch = false;
    double Points = 10;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;

    bool operator==(const FontSpec&) const = default;
    auto operator<=>(const FontSpec&) const = default;
};

struct FontMetrics {
    double Ascent = 0; // mm above the baseline
    double Descent = 0;
};

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual FontMetrics Metrics(const FontSpec& font) = 0;
    // Appends the advance of each UTF-16 unit of `text` in `font`, in mm.
    virtual void Advances(const FontSpec& font, std::u16string_view text,
                          std::vector<double>& advances) = 0;
};

// The characters of one line in one format, with no tab or line break.
struct PlacedRun {
    std::u16string Text;
    std::vector<float> Ends; // where each character ends, in mm from Left
    double Left = 0;         // mm from the text's left edge
    double Rise = 0;         // mm above the line's baseline
    int Font = 0;            // into TextLayout::Fonts
    std::uint32_t Colour = kAutoColour;
    std::uint32_t Highlight = kNoHighlight;

    double Width() const { return Ends.empty() ? 0.0 : Ends.back(); }
};

struct TextLine {
    double Top = 0; // mm from the text's top, spacing before the paragraph included
    double Bottom = 0;
    double Baseline = 0;
    std::vector<PlacedRun> Runs;
};

struct TextLayout {
    std::vector<FontSpec> Fonts;
    std::vector<FontMetrics> Metrics; // of each font
    std::vector<TextLine> Lines;

    double Height() const { return Lines.empty() ? 0.0 : Lines.back().Bottom; }
};

// Words wrap at blanks and tabs (East Asian text between any two
// characters); a word longer than a line is broken where the line ends.
// Blanks at the end of a line are not drawn and take no room.
TextLayout LayOutText(const RichDocument& document, double widthMm, TextMeasurer& measurer);

// A text in one format laid out the same way, with `align`.
TextLayout LayOutPlainText(std::u16string_view text, const CharacterFormat& format, Alignment align,
                           double widthMm, TextMeasurer& measurer);

inline constexpr double TwipsToMm(double twips) {
    return twips * 25.4 / 1440.0;
}
inline constexpr double PointsToMm(double points) {
    return points * 25.4 / 72.0;
}

} // namespace zandrel::report
