#include "framework/report/core/rtf_reader.h"
#include "framework/report/core/text_layout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace zandrel::report {
namespace {

// Every character 1 mm wide at 10 points; ascent 3 mm and descent 1 mm.
class EvenMeasurer : public TextMeasurer {
public:
    FontMetrics Metrics(const FontSpec& font) override {
        return {font.Points * 0.3, font.Points * 0.1};
    }
    void Advances(const FontSpec& font, std::u16string_view text,
                  std::vector<double>& advances) override {
        advances.insert(advances.end(), text.size(), font.Points / 10);
    }
};

TextLayout LayOut(const std::string& body, double width) {
    EvenMeasurer measurer;
    return LayOutText(ReadRichText("{\\rtf1 " + body + "}", CharacterFormat{}), width, measurer);
}

// Each line as its runs' texts, each run prefixed by its left edge in mm.
std::u16string Lines(const TextLayout& layout) {
    std::u16string all;
    for (const TextLine& line : layout.Lines) {
        all += all.empty() ? u"" : u"|";
        for (const PlacedRun& run : line.Runs) {
            char left[16];
            const int length = std::snprintf(left, sizeof left, "%g:", run.Left);
            all += std::u16string(left, left + length) + run.Text + u";";
        }
    }
    return all;
}

TEST(TextLayoutTest, LinesBreakAndAlign) {
    const struct {
        const char* Body;
        double Width;
        std::u16string Lines;
    } cases[] = {
        {"aaa bbb ccc", 10, u"0:aaa bbb;|0:ccc;"},
        {"aaa bbb    ccc", 7, u"0:aaa bbb;|0:ccc;"},     // blanks hang at the line end
        {"abcdefghijkl", 5, u"0:abcde;|0:fghij;|0:kl;"}, // a word longer than a line
        {"\\qr ab cd", 4, u"2:ab;|2:cd;"},               // right-aligned
        {"\\qc ab", 6, u"2:ab;"},                        // centred
        {"\\qj a b cc", 5, u"0:a b;|0:cc;"},             // justified but the last line
        {"ab\\line cd", 20, u"0:ab;|0:cd;"},             // a line break
        {"\\li200\\ri100\\fi-100 aa bb cc", 10, u"1.76389:aa bb;|3.52778:cc;"}, // indents
        {"a\\tab b", 30, u"0:a;12.7:b;"},                                       // the default stops
        {"\\tx1440 a\\tab b\\tab c", 40, u"0:a;25.4:b;38.1:c;"},  // its own stop, then the default
        {"\\fi-1440\\li1440 *\\tab item", 60, u"0:*;25.4:item;"}, // hanging: a stop at the indent
        {"\\u27700?\\u27701?\\u27702?", 2, u"0:\u6c34\u6c35;|0:\u6c36;"}, // East Asian text
        {"a {\\b b} c", 20, u"0:a ;2:b;3: c;"},                           // runs by format
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(Lines(LayOut(c.Body, c.Width)) == c.Lines) << c.Body;
    }
}

TEST(TextLayoutTest, CharactersEndWhereTheyWereMeasured) {
    const TextLayout layout = LayOut("\\qj a b cc", 5);
    const PlacedRun& run = layout.Lines[0].Runs[0];
    EXPECT_EQ(run.Ends, (std::vector<float>{1, 4, 5})); // the blank takes the room left
}

TEST(TextLayoutTest, LineHeights) {
    const struct {
        const char* Body;
        std::vector<double> Bottoms;
        std::vector<double> Baselines;
    } cases[] = {
        {"a\\par b", {4, 8}, {3, 7}},
        {"a {\\fs40 b}", {8}, {6}},             // the tallest character
        {"\\par\\fs40\\par", {4, 12}, {3, 10}}, // empty lines: their paragraph mark's
        {"a {\\super 2}", {4.18}, {3.18}},      // raised by a third of the size
        {"a {\\sub 2}", {4.26}, {3}},           // lowered by a sixth
        {"\\sb720\\sa1440 a\\line b", {16.7, 46.1}, {15.7, 19.7}}, // spacing around a paragraph
        {"\\sl-720 a", {12.7}, {11.7}},                            // exactly
        {"\\sl720 a\\par\\sl10 b", {12.7, 16.7}, {11.7, 15.7}},    // at least
        {"\\sl480\\slmult1 a", {8}, {7}},                          // double
    };
    for (const auto& c : cases) {
        const TextLayout layout = LayOut(c.Body, 50);
        ASSERT_EQ(layout.Lines.size(), c.Bottoms.size()) << c.Body;
        for (std::size_t i = 0; i < layout.Lines.size(); ++i) {
            EXPECT_NEAR(layout.Lines[i].Bottom, c.Bottoms[i], 0.05) << c.Body << " line " << i;
            EXPECT_NEAR(layout.Lines[i].Baseline, c.Baselines[i], 0.05) << c.Body << " line " << i;
        }
    }
}

TEST(TextLayoutTest, RaisedAndLoweredTextIsSmallerAndOffFromTheBaseline) {
    const TextLayout layout = LayOut("x{\\super 2}{\\sub 3}{\\up6 4}", 50);
    const auto& runs = layout.Lines[0].Runs;
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_NEAR(layout.Fonts[runs[1].Font].Points, 20.0 / 3, 1e-9);
    EXPECT_NEAR(runs[1].Rise, PointsToMm(10.0 / 3), 1e-9);
    EXPECT_NEAR(runs[2].Rise, -PointsToMm(10.0 / 6), 1e-9);
    EXPECT_NEAR(runs[3].Rise, PointsToMm(3), 1e-9);
    EXPECT_EQ(layout.Fonts[runs[3].Font].Points, 10);
}

} // namespace
} // namespace zandrel::report
