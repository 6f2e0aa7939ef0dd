#include "mainwindow/core/text_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

namespace zandrel {
namespace {

TEST(TextFormatTest, AlignmentTagsAndParagraphCodesMeetThroughOneOffset) {
    // Tags 0 left, 1 right, 2 centre; the control's codes 1 left, 2 right, 3 centre.
    EXPECT_EQ(ParagraphAlignmentFor(TextAlignment::Left), 1);
    EXPECT_EQ(ParagraphAlignmentFor(TextAlignment::Right), 2);
    EXPECT_EQ(ParagraphAlignmentFor(TextAlignment::Center), 3);
    for (const int tag : {0, 1, 2}) {
        EXPECT_EQ(AlignmentFromParagraph(ParagraphAlignmentFor(*AlignmentFromTag(tag))), tag);
    }
    EXPECT_EQ(AlignmentFromTag(-1), std::nullopt);
    EXPECT_EQ(AlignmentFromTag(3), std::nullopt);
}

TEST(TextFormatTest, ToolbarShowsTheFormatAtTheSelection) {
    const CharacterFormat character{true, false, true, 290, "Arial"};
    const ParagraphFormat paragraph{AlignmentFromParagraph(3), true, 200};
    const ToolbarState state = ToolbarStateFor(character, paragraph);
    EXPECT_TRUE(state.Bold);
    EXPECT_FALSE(state.Italic);
    EXPECT_TRUE(state.Underline);
    EXPECT_TRUE(state.Bullets);
    EXPECT_EQ(state.FontSize, "14"); // 14.5 points show as whole points
    EXPECT_EQ(state.FontName, "Arial");
    EXPECT_EQ(state.Alignment, TextAlignment::Center);
}

TEST(TextFormatTest, JustifiedTextPressesNoAlignmentButton) {
    const ParagraphFormat justified{AlignmentFromParagraph(4), false, 0};
    EXPECT_EQ(ToolbarStateFor({}, justified).Alignment, std::nullopt);
    const ParagraphFormat unknown{AlignmentFromParagraph(0), false, 0};
    EXPECT_EQ(ToolbarStateFor({}, unknown).Alignment, std::nullopt);
}

TEST(TextFormatTest, FontSizeIsADecimalInteger) {
    EXPECT_EQ(ParseFontSize("12"), 12);
    EXPECT_EQ(ParseFontSize("0"), 0);
    EXPECT_EQ(ParseFontSize("+7"), 7);
    EXPECT_EQ(ParseFontSize("-3"), -3);
    EXPECT_EQ(ParseFontSize("2147483647"), INT_MAX);
}

TEST(TextFormatTest, AnyOtherSizeTextIsReportedWithTheText) {
    for (const char* text :
         {"", " ", "12a", "1 2", " 12", "12 ", "+", "-", "+-5", "1.5", "$10", "2147483648"}) {
        try {
            ParseFontSize(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(std::string(error.what()),
                      std::string("'") + text + "' is not a valid integer value");
        }
    }
}

TEST(TextFormatTest, PointsAndTwips) {
    EXPECT_EQ(PointsToTwips(12), 240);
    EXPECT_EQ(PointsToTwips(0), 0);
    EXPECT_EQ(PointsToTwips(INT_MAX), INT_MAX); // held, not wrapped
    EXPECT_EQ(PointsToTwips(INT_MIN), INT_MIN);
    EXPECT_EQ(TwipsToPoints(239), 11);
}

TEST(TextFormatTest, BulletsRaiseTheLeftIndentToTenPointsAndNoneClearsIt) {
    EXPECT_EQ(LeftIndentForBullets(true, 0), 200);
    EXPECT_EQ(LeftIndentForBullets(true, 199), 200);
    EXPECT_EQ(LeftIndentForBullets(true, 360), 360);
    EXPECT_EQ(LeftIndentForBullets(false, 360), 0);
}

TEST(TextFormatTest, FontNameIsTheItemAtTheSelectionIndexOrEmpty) {
    const std::vector<std::string> items{"Arial", "Courier New"};
    EXPECT_EQ(FontNameAt(items, 1), "Courier New");
    EXPECT_EQ(FontNameAt(items, -1), "");
    EXPECT_EQ(FontNameAt(items, 2), "");
}

TEST(TextFormatTest, FontNamesSortLikeASortedComboBoxOnceEach) {
    EXPECT_EQ(SortedFontNames({"tahoma", "Arial", "@MS Gothic", "Courier", "arial", "Symbol"}),
              (std::vector<std::string>{"@MS Gothic", "Arial", "Courier", "Symbol", "tahoma"}));
}

} // namespace
} // namespace zandrel
