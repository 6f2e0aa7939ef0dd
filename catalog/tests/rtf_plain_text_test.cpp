#include "catalog/rtf_plain_text.h"

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
    EXPECT_EQ(RtfToPlainText("{\\rtf1 caf\\'e9 \\'C9t\\'e9}"), "caf\xe9 \xc9t\xe9");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\\\b\\{c\\}d\\~e\\_f\\-g}"), "a\\b{c}d\xa0"
                                                                     "e-fg");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\lquote x\\rquote  \\emdash\\bullet}"),
              "\x91x\x92 \x97\x95");
    // A control word ends at its delimiting space, which is not text; a second one is.
    EXPECT_EQ(RtfToPlainText("{\\rtf1\\b  two\\b0 x}"), " twox");
    // Negative parameters and digits right after a word belong to it.
    EXPECT_EQ(RtfToPlainText("{\\rtf1\\fi-360\\li720 x}"), "x");
}

TEST(RtfPlainTextTest, UnicodeKeepsLatinCharactersAndUsesTheFallbackForOthers) {
    // Latin-1 characters: the \uN itself, its fallback skipped.
    EXPECT_EQ(RtfToPlainText("{\\rtf1\\uc1 \\u233\\'e9t\\u233?}"), "\xe9t\xe9");
    // Other characters: the fallback stands in, for \ucN characters.
    EXPECT_EQ(RtfToPlainText("{\\rtf1\\uc1 \\u8364?x}"), "?x");
    EXPECT_EQ(RtfToPlainText("{\\rtf1\\uc2 \\u233 ab c}"), "\xe9 c");
    EXPECT_EQ(RtfToPlainText("{\\rtf1\\uc0 \\u233 ab}"), "\xe9"
                                                         "ab");
    // Negative values are code units above 32767; \ucN is scoped to its group.
    EXPECT_EQ(RtfToPlainText("{\\rtf1{\\uc2 \\u-3913??}\\u233?z}"), "??\xe9z");
    // The fallback ends with its group.
    EXPECT_EQ(RtfToPlainText("{\\rtf1\\uc3 {\\u233}xy}"), "\xe9xy");
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
    EXPECT_EQ(RtfToPlainText("{\\rtf1\\u99999999999999999999?x\\bin99999999999999999}"), "?x");
    EXPECT_EQ(RtfToPlainText(std::string(100000, '{') + "deep"), "deep");

    // Random bytes made of RTF's special characters: no crash, no runaway output.
    std::mt19937 random(7);
    const std::string alphabet = "{}\\'*uc0123456789-abinpar ?\r\n\xe9";
    for (int round = 0; round < 2000; ++round) {
        std::string input;
        const int length = static_cast<int>(random() % 64);
        for (int i = 0; i < length; ++i)
            input += alphabet[random() % alphabet.size()];
        EXPECT_LE(RtfToPlainText(input).size(), input.size()) << input;
    }
}

} // namespace
} // namespace zandrel
