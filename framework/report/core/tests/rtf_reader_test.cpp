#include "framework/report/core/rtf_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace zandrel::report {
namespace {

const CharacterFormat kBase;

std::string Rtf(const std::string& body) {
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern\\fprq1"
           "\\fcharset204 Courier New;}{\\f2\\fnil\\fcharset2 Symbol;}}{\\colortbl ;\\red255"
           "\\green0\\blue0;\\red0\\green255\\blue0;}\\pard\\f0\\fs20 " +
           body + "\\par}";
}

// The text of every paragraph, joined by '|'.
std::u16string Texts(const RichDocument& document) {
    std::u16string all;
    for (const Paragraph& paragraph : document.Paragraphs) {
        if (!all.empty()) {
            all += u'|';
        }
        for (const TextRun& run : paragraph.Runs) {
            all += run.Text;
        }
    }
    return all;
}

// The format of the run holding `text`.
const CharacterFormat* FormatOf(const RichDocument& document, std::u16string_view text) {
    for (const Paragraph& paragraph : document.Paragraphs) {
        for (const TextRun& run : paragraph.Runs) {
            if (run.Text == text) {
                return &document.Formats[static_cast<std::size_t>(run.Format)];
            }
        }
    }
    return nullptr;
}

TEST(RtfReaderTest, CharacterFormatsOfTheRichTextControl) {
    struct Case {
        const char* Body;
        std::function<bool(const CharacterFormat&)> Expected;
    } cases[] = {
        {"a {\\b x}", [](auto& f) { return f.Bold && !f.Italic; }},
        {"a {\\i x}", [](auto& f) { return f.Italic; }},
        {"a {\\ul x}", [](auto& f) { return f.Underline; }},
        {"a {\\b\\ul\\ulnone x}", [](auto& f) { return f.Bold && !f.Underline; }},
        {"a {\\uldb x}", [](auto& f) { return f.Underline; }},
        {"a {\\strike x}", [](auto& f) { return f.Strike; }},
        {"a {\\super x}", [](auto& f) { return f.Position == Script::Superscript; }},
        {"a {\\sub x}", [](auto& f) { return f.Position == Script::Subscript; }},
        {"a {\\up4 x}", [](auto& f) { return f.RiseHalfPoints == 4; }},
        {"a {\\dn x}", [](auto& f) { return f.RiseHalfPoints == -6; }},
        {"a {\\fs36 x}", [](auto& f) { return f.HalfPoints == 36; }},
        {"a {\\cf1 x}", [](auto& f) { return f.Colour == 0x0000FF; }},
        {"a {\\cf1\\b\\cf0 x}", [](auto& f) { return f.Bold && f.Colour == kAutoColour; }},
        {"a {\\highlight2 x}", [](auto& f) { return f.Highlight == 0x00FF00; }},
        {"a {\\f1 x}",
         [](auto& f) { return f.Face == "Courier New" && f.FixedPitch && f.Charset == 204; }},
        {"{\\b a }{\\i\\fs40\\plain x}",
         [](auto& f) { return !f.Bold && !f.Italic && f.HalfPoints == 20 && f.Face == "Arial"; }},
    };
    for (const auto& c : cases) {
        const RichDocument document = ReadRichText(Rtf(c.Body), kBase);
        const CharacterFormat* format = FormatOf(document, u"x");
        ASSERT_NE(format, nullptr) << c.Body;
        EXPECT_TRUE(c.Expected(*format)) << c.Body;
        EXPECT_NE(FormatOf(document, u"a "), nullptr) << c.Body; // the group's format ends
    }
}

TEST(RtfReaderTest, CharactersComeOutAsUnicode) {
    const struct {
        const char* Body;
        std::u16string Text;
    } cases[] = {
        {"{\\f1 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}", u"Привет"},
        {"\\uc1\\u1055?\\u1088?\\u-24712?", u"Пр\u9f78"},
        {"\\uc0\\u955 x", u"λx"},
        {"caf\\'e9 \\{a\\}\\\\", u"café {a}\\"},
        {"\\emdash\\~\\lquote", u"—\u00a0‘"},
        {"{\\f2 \\'b7\\'e0}", u"\u2022\uf0e0"}, // a bullet, and a symbol by its code point
        {"a{\\*\\unknown b}{\\pict 0123}{\\v hidden}c", u"ac"},
        {"{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}", u"link"},
        {"{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'B7}}item", u"\u2022\titem"},
        {"{\\f2\\u-3913?}\\u-10179?x", u"\u2022\ufffdx"}, // a lone surrogate is no character
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Texts(ReadRichText(Rtf(c.Body), kBase)), c.Text) << c.Body;
    }
    EXPECT_EQ(Texts(ReadRichText("{\\rtf1\\ansi\\ansicpg1253 \\'e1\\'e2}", kBase)), u"αβ");
    EXPECT_EQ(Texts(ReadRichText("{\\rtf1\\mac \\'8e\\'a5}", kBase)), u"é•");
    // An ANSI font is Windows-1252 in any document; \cpg names a font's own.
    EXPECT_EQ(Texts(ReadRichText("{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset0 A;}"
                                 "{\\f1\\cpg1251 B;}}\\f0 J\\'e4rvi \\f1\\'e0}",
                                 kBase)),
              u"Järvi а");
}

TEST(RtfReaderTest, ParagraphsLineBreaksAndTables) {
    const struct {
        std::string Rtf;
        std::u16string Text;
    } cases[] = {
        {"{\\rtf1 one\\par two\\par}", u"one|two"},
        {"{\\rtf1 one\\par\\par two}", u"one||two"},
        {"{\\rtf1 a\\line b\\tab c}", u"a\nb\tc"},
        {"{\\rtf1}", u""},
        {"{\\rtf1 \\trowd\\cellx1000\\cellx3000 \\intbl A\\cell B\\cell\\row after\\par}",
         u"A\tB\t|after"},
        {"plain\r\ntext\nlines\r\n", u"plain|text|lines"},
        {"{\\rtf1 x}\\par y", u"x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Texts(ReadRichText(c.Rtf, kBase)), c.Text) << c.Rtf;
    }
    const RichDocument table = ReadRichText(cases[4].Rtf, kBase);
    EXPECT_EQ(table.Paragraphs[0].Format.Tabs, (std::vector<int>{1000, 3000}));
    EXPECT_TRUE(table.Paragraphs[1].Format.Tabs.empty());
}

TEST(RtfReaderTest, ParagraphFormats) {
    const RichDocument document = ReadRichText(
        "{\\rtf1\\deftab360 \\qr\\li100\\ri200\\fi-50\\sb10\\sa20\\sl-300\\tx900\\tx500 a\\par "
        "\\qc b\\par\\pard\\qj\\sl480\\slmult1 c\\par\\pard d\\par}",
        kBase);
    ASSERT_EQ(document.Paragraphs.size(), 4u);
    const ParagraphFormat& a = document.Paragraphs[0].Format;
    EXPECT_EQ(a.Align, Alignment::Right);
    EXPECT_EQ(std::vector<int>({a.LeftIndent, a.RightIndent, a.FirstIndent, a.SpaceBefore,
                                a.SpaceAfter, a.LineSpacing}),
              std::vector<int>({100, 200, -50, 10, 20, -300}));
    EXPECT_EQ(a.Tabs, (std::vector<int>{500, 900}));
    EXPECT_EQ(document.Paragraphs[1].Format.Align, Alignment::Center);
    EXPECT_EQ(document.Paragraphs[1].Format.LeftIndent, 100);
    EXPECT_EQ(document.Paragraphs[2].Format.Align, Alignment::Justify);
    EXPECT_TRUE(document.Paragraphs[2].Format.LineMultiple);
    EXPECT_EQ(document.Paragraphs[3].Format, ParagraphFormat{});
    EXPECT_EQ(document.DefaultTab, 360);
}

TEST(RtfReaderTest, TextWithoutAFontOfItsOwnTakesTheDefaultFontOrTheBase) {
    const RichDocument withDefault =
        ReadRichText("{\\rtf1\\deff1{\\fonttbl{\\f1 Times New Roman;}}x}", kBase);
    EXPECT_EQ(FormatOf(withDefault, u"x")->Face, "Times New Roman");
    EXPECT_EQ(FormatOf(withDefault, u"x")->HalfPoints, kBase.HalfPoints);
    const RichDocument without = ReadRichText("{\\rtf1\\b0 x}", kBase);
    EXPECT_EQ(*FormatOf(without, u"x"), kBase);
}

} // namespace
} // namespace zandrel::report
