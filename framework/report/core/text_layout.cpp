#include "framework/report/core/text_layout.h"

#include <algorithm>
#include <cmath>

namespace zandrel::report {
namespace {

constexpr double kFit = 1e-6;             // mm: rounding that still fits
constexpr double kScriptSize = 2.0 / 3.0; // superscript and subscript, of the full size

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\u3000';
}

// Characters between which East Asian text may break.
bool IsEastAsian(char16_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c < 0xE000;
}

// The fonts of one layout, one per character format.
class Fonts {
public:
    Fonts(const RichDocument& document, TextLayout& layout, TextMeasurer& measurer)
        : document_(document), layout_(layout), measurer_(measurer),
          byFormat_(document.Formats.size(), -1) {}

    int Of(int format) {
        int& font = byFormat_.at(static_cast<std::size_t>(format));
        if (font < 0) {
            font = Add(Spec(document_.Formats[static_cast<std::size_t>(format)]));
        }
        return font;
    }

    const FontSpec& Spec(int font) const { return layout_.Fonts[static_cast<std::size_t>(font)]; }
    const FontMetrics& Metrics(int font) const {
        return layout_.Metrics[static_cast<std::size_t>(font)];
    }
    TextMeasurer& Measurer() { return measurer_; }

    // Raised or lowered text, in mm above the baseline.
    double Rise(int format) const {
        const CharacterFormat& f = document_.Formats[static_cast<std::size_t>(format)];
        double points = f.RiseHalfPoints / 2.0;
        if (f.Position == Script::Superscript) {
            points += f.HalfPoints / 2.0 / 3.0;
        } else if (f.Position == Script::Subscript) {
            points -= f.HalfPoints / 2.0 / 6.0;
        }
        return PointsToMm(points);
    }

private:
    static FontSpec Spec(const CharacterFormat& format) {
        FontSpec spec;
        spec.Face = format.Face;
        spec.Charset = format.Charset;
        spec.FixedPitch = format.FixedPitch;
        spec.Points = format.HalfPoints / 2.0;
        if (format.Position != Script::Normal) {
            spec.Points *= kScriptSize;
        }
        spec.Bold = format.Bold;
        spec.Italic = format.Italic;
        spec.Underline = format.Underline;
        spec.Strike = format.Strike;
        return spec;
    }

    int Add(const FontSpec& spec) {
        const auto found = std::find(layout_.Fonts.begin(), layout_.Fonts.end(), spec);
        if (found != layout_.Fonts.end()) {
            return static_cast<int>(found - layout_.Fonts.begin());
        }
        layout_.Fonts.push_back(spec);
        layout_.Metrics.push_back(measurer_.Metrics(spec));
        return static_cast<int>(layout_.Fonts.size()) - 1;
    }

    const RichDocument& document_;
    TextLayout& layout_;
    TextMeasurer& measurer_;
    std::vector<int> byFormat_;
};

struct Character {
    char16_t Code;
    int Format;
    double Advance; // measured; a tab's depends on where it stands
};

class ParagraphLayout {
public:
    ParagraphLayout(const RichDocument& document, const Paragraph& paragraph, double width,
                    Fonts& fonts, TextLayout& layout)
        : document_(document), paragraph_(paragraph), format_(paragraph.Format), width_(width),
          fonts_(fonts), layout_(layout) {
        std::vector<double> advances;
        for (const TextRun& run : paragraph.Runs) {
            advances.clear();
            fonts_.Measurer().Advances(fonts_.Spec(fonts_.Of(run.Format)), run.Text, advances);
            advances.resize(run.Text.size(), 0.0);
            for (std::size_t i = 0; i < run.Text.size(); ++i) {
                const char16_t c = run.Text[i];
                const bool control = c == u'\t' || c == u'\n';
                characters_.push_back({c, run.Format, control ? 0.0 : advances[i]});
            }
        }
        placed_.resize(characters_.size());
    }

    // Adds the paragraph's lines below `top`; returns the bottom of its last.
    double LayOut(double top) {
        top_ = top;
        const std::size_t count = characters_.size();
        if (count == 0) {
            AddLine(0, 0, 0, 0, true, false);
            return top_;
        }
        bool first = true;
        for (std::size_t start = 0; start < count; first = false) {
            const double x0 =
                std::max(0.0, TwipsToMm(format_.LeftIndent + (first ? format_.FirstIndent : 0)));
            const double limit = width_ - TwipsToMm(format_.RightIndent);
            double x = x0;
            std::size_t end = start;
            std::size_t breakAfter = start; // the last place the line may end
            bool forced = false;
            for (; end < count; ++end) {
                const char16_t c = characters_[end].Code;
                if (c == u'\n') {
                    placed_[end] = 0;
                    ++end;
                    forced = true;
                    break;
                }
                const double advance = c == u'\t' ? NextTab(x) - x : characters_[end].Advance;
                if (end > start && IsEastAsian(c)) {
                    breakAfter = end;
                }
                if (end > start && !IsBlank(c) && c != u'\t' && x + advance > limit + kFit) {
                    if (breakAfter > start) {
                        end = breakAfter;
                    } else if (IsLowSurrogate(c) && end - 1 > start) {
                        --end; // a character's two halves stay together
                    }
                    break;
                }
                placed_[end] = advance;
                x += advance;
                if (IsBlank(c) || c == u'\t' || IsEastAsian(c)) {
                    breakAfter = end + 1;
                }
            }
            AddLine(start, end, x0, limit, end >= count, forced);
            start = end;
        }
        return top_;
    }

private:
    // The next tab stop right of `x`: the paragraph's, the left indent of a
    // hanging first line, then the document's default stops.
    double NextTab(double x) const {
        for (const int stop : format_.Tabs) {
            if (TwipsToMm(stop) > x + kFit) {
                return TwipsToMm(stop);
            }
        }
        const double indent = TwipsToMm(format_.LeftIndent);
        if (format_.FirstIndent < 0 && indent > x + kFit) {
            return indent;
        }
        const double step = TwipsToMm(std::max(1, document_.DefaultTab));
        return (std::floor((x + kFit) / step) + 1) * step;
    }

    // Adds the line of characters [start, end).
    void AddLine(std::size_t start, std::size_t end, double x0, double limit, bool last,
                 bool forced) {
        std::size_t shown = end;
        while (shown > start &&
               (IsBlank(characters_[shown - 1].Code) || characters_[shown - 1].Code == u'\n')) {
            --shown;
        }
        double used = 0;
        std::size_t lastTab = start;
        for (std::size_t i = start; i < shown; ++i) {
            used += placed_[i];
            if (characters_[i].Code == u'\t') {
                lastTab = i + 1;
            }
        }
        const double extra = std::max(0.0, limit - x0 - used);
        double offset = 0;
        double perBlank = 0;
        switch (format_.Align) {
        case Alignment::Right:
            offset = extra;
            break;
        case Alignment::Center:
            offset = extra / 2;
            break;
        case Alignment::Justify:
            if (!last && !forced) {
                const auto blanks =
                    std::count_if(characters_.begin() + static_cast<std::ptrdiff_t>(lastTab),
                                  characters_.begin() + static_cast<std::ptrdiff_t>(shown),
                                  [](const Character& c) { return IsBlank(c.Code); });
                perBlank = blanks > 0 ? extra / static_cast<double>(blanks) : 0.0;
            }
            break;
        case Alignment::Left:
            break;
        }

        TextLine line;
        double x = x0 + offset;
        PlacedRun* run = nullptr;
        for (std::size_t i = start; i < shown; ++i) {
            const Character& c = characters_[i];
            double advance = placed_[i];
            if (c.Code == u'\t') {
                run = nullptr;
                x += advance;
                continue;
            }
            if (IsBlank(c.Code) && i >= lastTab) {
                advance += perBlank;
            }
            if (!run || run->Font != fonts_.Of(c.Format) || run->Rise != fonts_.Rise(c.Format) ||
                run->Colour != Format(c).Colour || run->Highlight != Format(c).Highlight) {
                line.Runs.emplace_back();
                run = &line.Runs.back();
                run->Left = x;
                run->Font = fonts_.Of(c.Format);
                run->Rise = fonts_.Rise(c.Format);
                run->Colour = Format(c).Colour;
                run->Highlight = Format(c).Highlight;
            }
            run->Text += c.Code;
            run->Ends.push_back(static_cast<float>(run->Width() + advance));
            x += advance;
        }

        // As tall as its tallest character, raised and lowered text included;
        // an empty line as its paragraph mark.
        double ascent = 0;
        double descent = 0;
        bool any = false;
        for (std::size_t i = start; i < end; ++i) {
            if (characters_[i].Code == u'\n' && i > start) {
                continue;
            }
            Extend(characters_[i].Format, ascent, descent);
            any = true;
        }
        if (!any) {
            Extend(paragraph_.EndFormat, ascent, descent);
        }
        double height = ascent + descent;
        if (format_.LineMultiple && format_.LineSpacing > 0) {
            height *= format_.LineSpacing / 240.0;
        } else if (format_.LineSpacing > 0) {
            height = std::max(height, TwipsToMm(format_.LineSpacing));
        } else if (format_.LineSpacing < 0) {
            height = TwipsToMm(-format_.LineSpacing);
        }
        const bool first = start == 0;
        line.Top = top_;
        const double before = first ? TwipsToMm(format_.SpaceBefore) : 0.0;
        line.Baseline = top_ + before + height - descent;
        line.Bottom = top_ + before + height + (last ? TwipsToMm(format_.SpaceAfter) : 0.0);
        top_ = line.Bottom;
        layout_.Lines.push_back(std::move(line));
    }

    void Extend(int format, double& ascent, double& descent) {
        if (format < 0 || static_cast<std::size_t>(format) >= document_.Formats.size()) {
            return;
        }
        const FontMetrics& metrics = fonts_.Metrics(fonts_.Of(format));
        const double rise = fonts_.Rise(format);
        ascent = std::max(ascent, metrics.Ascent + rise);
        descent = std::max(descent, metrics.Descent - rise);
    }

    const CharacterFormat& Format(const Character& c) const {
        return document_.Formats[static_cast<std::size_t>(c.Format)];
    }

    const RichDocument& document_;
    const Paragraph& paragraph_;
    const ParagraphFormat& format_;
    double width_;
    Fonts& fonts_;
    TextLayout& layout_;
    std::vector<Character> characters_;
    std::vector<double> placed_; // each character's advance on its line
    double top_ = 0;
};

} // namespace

TextLayout LayOutText(const RichDocument& document, double widthMm, TextMeasurer& measurer) {
    TextLayout layout;
    Fonts fonts(document, layout, measurer);
    double top = 0;
    for (const Paragraph& paragraph : document.Paragraphs) {
        top = ParagraphLayout(document, paragraph, widthMm, fonts, layout).LayOut(top);
    }
    return layout;
}

TextLayout LayOutPlainText(std::u16string_view text, const CharacterFormat& format, Alignment align,
                           double widthMm, TextMeasurer& measurer) {
    RichDocument document;
    const int index = document.FormatIndex(format);
    Paragraph paragraph;
    paragraph.Format.Align = align;
    paragraph.EndFormat = index;
    paragraph.Runs.push_back(TextRun{std::u16string(text), index});
    document.Paragraphs.push_back(std::move(paragraph));
    return LayOutText(document, widthMm, measurer);
}

} // namespace zandrel::report
