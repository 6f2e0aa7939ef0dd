#include "catalog/core/rtf_plain_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace zandrel {
namespace {

TEST(RtfPlainTextTest, RichEditDocumentGivesItsTextOnly) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 "
        "Arial;}{\\f1\\fswiss Tahoma;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\cf1\\b\\f0\\fs20 "
        "Call\\b0  the {\\i dentist}\\par\r\nTomorrow\\tab 9:00\\line end\\par\r\n}\r\n";
    EXPECT_EQ(RtfToPlainText(rtf), "Call the dentist\nTomorrow\t9:00\nend\n");
    EXPECT_TRUE(IsRtf(rtf));
    EXPECT_FALSE(IsRtf("Zandrel by Borvath"));
}

TEST(RtfPlainTextTest, EscapesAndSymbols) {
    EXPECT_EQ(RtfToPlainText("{\\rtf1 caf\\'e9 \\'C9t\\'e9}"), "café Été");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\\\b\\{c\\}d\\~e\\_f\\-g}"), "a\\b{c}d\u00a0e-fg");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\lquote x\\rquote  \\emdash\\bullet}"), "‘x’ —•");
    // A control word ends at its delimiting space, which is not text; a second one is.
    EXPECT_EQ(RtfToPlainText("{\\rtf1\\b  two\\b0 x}"), " twox");
    // Negative parameters and digits right after a word belong to it.
    EXPECT_EQ(RtfToPlainText("{\\rtf1\\fi-360\\li720 x}"), "x");
}

struct Case {
    const char* Rtf;
    const char* Text;
};

// Characters beyond ASCII, as a rich-edit control and other writers store them.
TEST(RtfPlainTextTest, EveryCharacterComesOutAsUtf8) {
    const Case cases[] = {
        // \'xx in the code page of the current font's character set.
        {"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
         "{\\f1\\fnil\\fcharset204 Arial;}{\\f2\\fswiss\\fcharset161{\\*\\panose 0}Arial;}}"
         "\\f1\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 \\f2\\'e3\\'e5\\'e9\\'e1 \\f0 caf\\'e9}",
         "Привет γεια café"},
        // The default font's character set, a font's own code page, \plain back to the default.
        {"{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0 A;}{\\f1\\fcharset238 B;}{\\f2\\cpg1253 C;}}"
         "\\'9a{\\f2\\'e1}\\f0\\'e1\\plain\\'9a}",
         "šαáš"},
        // The document's code page where the font names none; groups end a font.
        {"{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 A;}{\\f1\\fcharset161 G;}}"
         "{\\f1\\'e1}\\'e1}",
         "αб"},
        // East Asian code pages: two bytes, one character.
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Gothic;}{\\f1\\fcharset134 SimSun;}}"
         "\\f0\\'82\\'a0\\'82\\'a2 \\f1\\'c4\\'e3\\'ba\\'c3}",
         "あい 你好"},
        // \uN for any character, with its fallback skipped.
        {"{\\rtf1\\uc1 \\u8364?\\u8220?x\\u8221?\\u8230?\\u8482?}", "€“x”…™"},
        {"{\\rtf1\\uc1 \\u954?\\u-28483?\\u233\\'e9}", "κ\u90bdé"},
        {"{\\rtf1\\uc2 \\u12354\\'82\\'a0 c\\uc0 \\u233 ab}", "あ céab"},
        // Surrogate pairs are joined; a lone one is no character.
        {"{\\rtf1\\uc1 \\u-10179?\\u-8704? \\u-10179?x}", "😀 \uFFFDx"},
        // \ucN belongs to its group, and the fallback ends with its group.
        {"{\\rtf1{\\uc2 \\u-3913??}\\u233?z\\uc3 {\\u233}xy}", "\uf0b7éz\u00e9xy"},
        // An N beyond 16 bits is not understood: its fallback stands.
        {"{\\rtf1\\u99999999999999999999?x\\bin99999999999999999}", "?x"},
        // Special spaces.
        {"{\\rtf1 a\\emspace b\\enspace c\\qmspace d}", "a\u2003b\u2002c\u2005d"},
        // Nothing after the document's group.
        {"{\\rtf1 inside}\r\n{\\rtf1 after}\r\nand more", "inside"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RtfToPlainText(c.Rtf), c.Text) << c.Rtf;
}

// Documents of East Asian, Mac and Korean writers; the same characters in
// both builds.
TEST(RtfPlainTextTest, CodePagesOfWindowsAndMacWriters) {
    const Case cases[] = {
        // An ANSI font is Windows-1252 whatever the document's code page.
        {"{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 MS Mincho;}"
         "{\\f1\\fswiss\\fcharset0 Arial;}}\\f0\\'82\\'a0\\f1  J\\'e4rvi \\'93\\'85\\'94 \\'a9}",
         "あ Järvi “…” ©"},
        // A font without a character set follows the document's code page.
        {"{\\rtf1\\ansicpg932{\\fonttbl{\\f0 Gothic;}}\\f0\\'82\\'a0}", "あ"},
        // The Mac character sets.
        {"{\\rtf1\\mac{\\fonttbl{\\f0\\fcharset77 Times;}{\\f1\\fcharset89 Charcoal;}"
         "{\\f2\\fcharset85 Greek;}{\\f3\\fcharset88 CE;}{\\f4\\fcharset86 Turkish;}}"
         "\\f0 caf\\'8e\\'a5\\'d2x\\'d3 \\f1\\'80\\'e0 \\f2\\'e1 \\f3\\'81 \\f4\\'da}",
         "café•“x” Аа α Ā Ğ"},
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset83 H;}{\\f1\\fcharset84 A;}{\\f2\\fcharset87 T;}}"
         "\\f0\\'e0\\f1\\'c7\\f2\\'a1}",
         "אاก"},
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset78 Osaka;}{\\f1\\fcharset79 K;}{\\f2\\fcharset80 S;}"
         "{\\f3\\fcharset81 T;}}\\f0\\'82\\'a0\\'fd\\'fe\\'ff \\f1\\'b0\\'a1 \\f2\\'c4\\'e3 "
         "\\f3\\'a7A\\'fd}",
         "あ©™… 가 你 你©"},
        // The Mac code pages by number, for the document and for a font.
        {"{\\rtf1\\ansi\\ansicpg10000{\\fonttbl{\\f0 Times;}{\\f1\\cpg10007 C;}}"
         "\\f0\\'8e{\\f1\\'80}\\'8e}",
         "éАé"},
        {"{\\rtf1\\ansicpg10001 \\'82\\'a0\\'fd}", "あ©"},
        {"{\\rtf1\\ansicpg10079 \\'dc\\'a0}", "ÐÝ"},
        // Johab: Hangul by its letters, symbols and Hanja by their KS X 1001 row.
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset130 Johab;}}\\f0\\'88\\'61\\'d0\\'65 "
         "\\'dc\\'b1\\'f7\\'d3 \\'88\\'41}",
         "가한 ㉠漢 ㄱ"},
        // Bytes a code page does not define, and user-defined characters.
        {"{\\rtf1\\ansicpg1252 a\\'81b}", "a\uFFFDb"},
        {"{\\rtf1\\ansicpg932 \\'f0@\\'82}", "\uFFFD@\uFFFD"},
        {"{\\rtf1\\ansicpg1253 \\'aa\\'e1}", "\uFFFDα"},
        // A code page the program has no table for is read as Windows-1252.
        {"{\\rtf1\\ansicpg12345 \\'e9}", "é"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RtfToPlainText(c.Rtf), c.Text) << c.Rtf;
}

TEST(RtfPlainTextTest, HiddenDestinationsAreSkippedWithTheirGroups) {
    EXPECT_EQ(RtfToPlainText("{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}"
                             "{\\*\\unknown {deep {er}} text}shown{\\*\\bkmkstart b}}"),
              "shown");
    // An ignorable mark not at the group's start hides nothing.
    EXPECT_EQ(RtfToPlainText("{\\rtf1{\\b x\\*y}}"), "xy");
    // A hyperlink shows its result, not its instruction.
    EXPECT_EQ(RtfToPlainText("{\\rtf1{\\field{\\*\\fldinst{HYPERLINK \"http://x\"}}"
                             "{\\fldrslt{\\ul link}}}}"),
              "link");
    // Binary data is skipped by its length, braces and all.
    EXPECT_EQ(RtfToPlainText("{\\rtf1{\\pict\\bin4 }{\\}}a}"), "a");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\bin3 }}}b}"), "ab");
}

TEST(RtfPlainTextTest, DamagedInputEndsQuietly) {
    EXPECT_EQ(RtfToPlainText(""), "");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 open {\\b group"), "open group");
    EXPECT_EQ(RtfToPlainText("}}}a}b{"), "ab");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 x\\"), "x");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 x\\'"), "x");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 x\\'4"), "x");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 x\\'zzy}"), "xzzy");
    EXPECT_EQ(RtfToPlainText(std::string(100000, '{') + "deep"), "deep");

    // Random bytes made of RTF's special characters: no crash, no runaway output.
    std::mt19937 random(7);
    const std::string alphabet = "{}\\'*uc0123456789-abinpar ?\r\n\xe9";
    for (int round = 0; round < 2000; ++round) {
        std::string input;
        const int length = static_cast<int>(random() % 64);
        for (int i = 0; i < length; ++i)
            input += alphabet[random() % alphabet.size()];
        EXPECT_LE(RtfToPlainText(input).size(), 3 * input.size()) << input;
    }
}

} // namespace
} // namespace zandrel
