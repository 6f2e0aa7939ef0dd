#include "framework/text/core/rtf_lexer.h"

#include <gtest/gtest.h>

#include <string>

namespace zandrel {
namespace {

// Writes down what the lexer tells: text as it is, \word[N], "{", "}", and
// <destination>.
class Recorder final : public RtfClient {
public:
    explicit Recorder(std::string_view rtf, RtfLexer::Options options = {})
        : lexer(rtf, *this, options) {
        lexer.Run();
    }

    RtfLexer lexer;
    std::string log;
    std::string text;

private:
    void Text(std::string_view utf8) override {
        log += utf8;
        text += utf8;
    }
    void Word(const RtfWord& word) override {
        log += "\\" + std::string(word.Name);
        if (word.HasParameter)
            log += std::to_string(word.Parameter);
    }
    void GroupStart() override { log += "{"; }
    void GroupEnd() override { log += "}"; }
    void Destination(std::string_view word) override { log += "<" + std::string(word) + ">"; }
};

struct Case {
    const char* Rtf;
    const char* Log;
};

TEST(RtfLexerTest, TellsTextWordsAndGroupsInTheirOrder) {
    const Case cases[] = {
        {"{\\rtf1 a\\b  b\\fs-20 c}", "{<rtf>\\rtf1a\\b b\\fs-20c}"},
        {"{\\rtf1 x\\par\r\ny\\\r\nz}after", "{<rtf>\\rtf1x\\pary\\parz}"},
        // Words that stand for a character come as text.
        {"{\\rtf1 a\\tab b\\line c\\cell\\nestcell\\emdash\\zwj\\~\\_\\-}",
         "{<rtf>\\rtf1a\tb\nc\t\t\u2014\u200D\u00A0-}"},
        // Groups without visible text: their first words are told, nothing else.
        {"{\\rtf1{\\*\\x {y}z}{\\info{\\title T}}{\\pict\\bin3 }}}}{\\pn\\pnlvlblt{\\pntxtb q}}w}",
         "{<rtf>\\rtf1{<x>{}}{<info>{<title>}}{<pict>}{<pn>{<pntxtb>}}w}"},
        {"{\\rtf1{\\fonttbl{\\f0 A;}}{\\colortbl;\\red9;}{\\b x\\*y}}",
         "{<rtf>\\rtf1{<fonttbl>{<f>}}{<colortbl>}{<b>\\bxy}}"},
        // Hidden text and control characters are no text.
        {"{\\rtf1 a{\\v b\\par}c\\v d\\plain e\\'01\\u7?\x02}",
         "{<rtf>\\rtf1a{<v>\\v\\par}c\\v\\plaine}"},
        // A stray closing brace before the document; a cut-off document.
        {"}a{\\rtf1 b\\'4", "a{<rtf>\\rtf1b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Recorder(c.Rtf).log, c.Log) << c.Rtf;
}

// \uN's fallback: N characters, a control word or symbol counting as one,
// but not the words that choose the code page of the fallback's bytes.
TEST(RtfLexerTest, UnicodeFallbacks) {
    const Case cases[] = {
        {"{\\rtf1\\uc1\\u233?x\\u233\\'e9x\\u233\\b x\\u233\\par x}", "{<rtf>\\rtf1éxéxéxéx}"},
        {"{\\rtf1{\\fonttbl{\\f1\\fcharset204 B;}}\\u1044\\f1\\'c4x}",
         "{<rtf>\\rtf1{<fonttbl>{<f>}}Д\\f1x}"},
        // A brace ends it; surrogate pairs join; an N beyond 16 bits keeps its fallback.
        {"{\\rtf1\\uc2\\u233?{x}\\u-10179??\\u-8704??\\u-10179??x\\uc0\\u233 y\\u70000?}",
         "{<rtf>\\rtf1é{x}\U0001F600\uFFFDxéy?}"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Recorder(c.Rtf).log, c.Log) << c.Rtf;
}

// Bytes in the code page of their font, of their document or of the symbol fonts.
TEST(RtfLexerTest, CodePagesOfFontsAndDocuments) {
    const Case cases[] = {
        // \cpg comes before the character set, in any order.
        {"{\\fonttbl{\\f0\\cpg1253\\fcharset204 A;}}\\f0\\'e1", "α"},
        // A font without a name still has its character set.
        {"{\\fonttbl{\\f0\\fcharset204;}}\\f0\\'e1", "б"},
        // A font table in a group without visible text defines no font.
        {"{\\*\\x{\\fonttbl{\\f0\\fcharset204 A;}}}\\f0\\'e0", "à"},
        // \ansicpg names the document's code page whether before or after \ansi.
        {"\\ansicpg1251\\ansi\\'e0", "а"},
        {"\\mac\\'8e", "é"},
        {"\\pc\\'82", "é"},
        // Words in a group without visible text change nothing.
        {"{\\*\\x\\ansicpg1251\\deff1}{\\fonttbl{\\f1\\fcharset161 G;}}\\'e1", "á"},
        // Two bytes of a character meet only when nothing comes between them.
        {"{\\fonttbl{\\f0\\fcharset128 G;}}\\f0\\'82\\'a0\\'82{\\'a0}", "あ\uFFFD\uFFFD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Recorder("{\\rtf1" + std::string(c.Rtf) + "}").text, c.Log) << c.Rtf;
    }
    const char* symbol = "{\\rtf1{\\fonttbl{\\f0 A;}{\\f2\\fcharset2 Symbol;}}\\f2\\'b7a\\f0\\'b7}";
    EXPECT_EQ(Recorder(symbol).log, "{<rtf>\\rtf1{<fonttbl>{<f>}{<f>}}\\f2·a\\f0·}");
    EXPECT_EQ(Recorder(symbol, {.SymbolFontsByCodePoint = true}).log,
              "{<rtf>\\rtf1{<fonttbl>{<f>}{<f>}}\\f2\uF0B7\uF061\\f0·}");
}

TEST(RtfLexerTest, FontAndColourTables) {
    const Recorder read("{\\rtf1\\deff1{\\fonttbl{\\f1\\fmodern\\fcharset204 Caf\\'e9 \\u1055? ;}"
                        "{\\f2\\fprq1{\\*\\panose 0}B}}{\\colortbl;\\red255\\blue1;\\green2;}");
    const RtfFont* font = read.lexer.CurrentFont(); // the default font, at the end
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Name, "Cafй П");
    EXPECT_EQ(font->Charset, 204);
    EXPECT_TRUE(font->FixedPitch);
    EXPECT_EQ(read.lexer.Colour(0), std::nullopt);
    EXPECT_EQ(read.lexer.Colour(1), 0x0100FFu);
    EXPECT_EQ(read.lexer.Colour(2), 0x000200u);
    EXPECT_EQ(read.lexer.Colour(3), std::nullopt);
}

} // namespace
} // namespace zandrel
