#include "mainwindow/core/message_search.h"

#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

TEST(MessageSearchTest, LettersFoldToLowerCaseInEveryScript) {
    const struct {
        char16_t Upper;
        char16_t Lower;
    } pairs[] = {
        {u'A', u'a'},           {u'Z', u'z'},           {u'\u00C9', u'\u00E9'},
        {u'\u0178', u'\u00FF'}, {u'\u0141', u'\u0142'}, {u'\u0391', u'\u03B1'},
        {u'\u03A3', u'\u03C3'}, {u'\u03C2', u'\u03C3'}, {u'\u0401', u'\u0451'},
        {u'\u0416', u'\u0436'}, {u'\u042F', u'\u044F'}, {u'\u0490', u'\u0491'},
        {u'\u0531', u'\u0561'}, {u'\uFF21', u'\uFF41'},
    };
    for (const auto& pair : pairs) {
        EXPECT_EQ(FoldCase(pair.Upper), pair.Lower) << int(pair.Upper);
        EXPECT_EQ(FoldCase(pair.Lower), pair.Lower) << int(pair.Lower);
    }
    for (const char16_t unchanged : {u'1', u'\u00D7', u'\u0131', u'\u4E2D', char16_t(0xD83D)})
        EXPECT_EQ(FoldCase(unchanged), unchanged) << int(unchanged);
}

TEST(MessageSearchTest, AMatchIsFoundWhereverTheFormattingPutsIt) {
    EXPECT_EQ(Utf8ToUtf16("a\xC3\xA9\xD0\x96\xF0\x9F\x98\x80\xFF"),
              u"a\u00E9\u0416\U0001F600\uFFFD");
    const auto match = FindInText(u"Buy \u041C\u041E\u041B\u041E\u041A\u041E today",
                                  u"\u043C\u043E\u043B\u043E\u043A\u043E");
    ASSERT_TRUE(match);
    EXPECT_EQ(match->Position, 4u);
    EXPECT_EQ(match->Length, 6u);
    EXPECT_FALSE(FindInText(u"anything", u""));
}

// Messages: 0 plain text, 1 RTF, 2 Cyrillic RTF, 3 RTF again.
class FindNextMessageTest : public ::testing::Test {
protected:
    FindNextMessageTest() {
        const test::FakeClock clock(45000, 0.001);
        for (const char* text : {
                 "Call Anna about the CAF\xC9",
                 "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Buy {\\b fresh} milk\\par}",
                 "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 "
                 "\\'ea\\'f3\\'ef\\'e8\\'f2\\'fc "
                 "\\'ec\\'ee\\'eb\\'ee\\'ea\\'ee}",
                 "{\\rtf1 milk for the caf\\'e9}",
             }) {
            list_.New(clock, text);
        }
    }
    std::optional<std::size_t> FindFrom(int current, std::u16string_view needle) {
        list_.CurrentIndex = current;
        return FindNextMessage(list_, needle);
    }
    test::TempFolder folder_;
    MessageList list_{folder_.File("ZandrelData.dat")};
};

TEST_F(FindNextMessageTest, SearchesFromTheMessageAfterTheShownOneRoundTheList) {
    const struct {
        int Current;
        std::u16string Needle;
        std::optional<std::size_t> Found;
    } cases[] = {
        {0, u"arial", std::nullopt},                     // the text, not its font table
        {0, u"BUY FRESH MILK", 1},                       // across a formatting group
        {1, u"milk", 3},                                 // the next one, not the shown one
        {3, u"milk", 1},                                 // round from the end
        {3, u"\u041C\u041E\u041B\u041E\u041A\u041E", 2}, // Cyrillic, upper case
        {1, u"caf\u00C9", 3},                            // an RTF escape
        {3, u"caf\u00E9", 0},                            // plain text, Windows-1252
        {2, u"\u043A\u0443\u043F\u0438\u0442\u044C", 2}, // only the shown one holds it
        {0, u"bread", std::nullopt},
        {-1, u"call", 0}, // nothing shown: from the start
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindFrom(c.Current, c.Needle), c.Found) << c.Current;
}

} // namespace
} // namespace zandrel
