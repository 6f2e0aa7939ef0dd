#include "mainwindow/core/message_search.h"

#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

TEST(MessageSearchTest, LettersFoldToLowerCaseInEveryScript) {
    const std::u16string upper =
        u"AZ\u00C9\u0178\u0141\u0391\u03A3\u03C2\u0401\u0416\u042F\u0490\u0531\uFF21";
    const std::u16string lower =
        u"az\u00E9\u00FF\u0142\u03B1\u03C3\u03C3\u0451\u0436\u044F\u0491\u0561\uFF41";
    for (std::size_t i = 0; i < upper.size(); ++i)
        EXPECT_EQ(FoldCase(upper[i]), lower[i]) << i;
    for (const char16_t c : lower + u"1\u00D7\u0131\u4E2D\xD83D")
        EXPECT_EQ(FoldCase(c), c) << int(c);
}

TEST(MessageSearchTest, FindsTheTextOfTheNextMessageRoundTheList) {
    const test::TempFolder folder;
    MessageList list(folder.File("ZandrelData.dat"));
    const test::FakeClock clock(45000, 0.001);
    for (const char* text :
         {"Call Anna about the CAF\xC9", // not RTF: Windows-1252
          "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Buy {\\b fresh} milk\\par}",
          "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 \\'ea\\'f3\\'ef\\'e8\\'f2\\'fc "
          "\\'ec\\'ee\\'eb\\'ee\\'ea\\'ee}",
          "{\\rtf1 milk for the caf\\'e9}"})
        list.New(clock, text);
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
        {3, u"caf\u00E9", 0},                            // plain text
        {0, u"bread", std::nullopt},
    };
    for (const auto& c : cases) {
        list.CurrentIndex = c.Current;
        EXPECT_EQ(FindNextMessage(list, c.Needle), c.Found) << c.Current;
    }
}

} // namespace
} // namespace zandrel
