#include "catalog/core/message_text.h"

#include "catalog/core/rtf_plain_text.h"
#include "storage/core/message_list.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zandrel {
namespace {

// A message loaded without a rich-text file: its text is the fallback, the
// 255 record bytes from ShortText's length byte on.
MessageList LoadedWithoutText(std::string_view shortText, unsigned char lengthByte) {
    MessageRecord record{};
    record.Stamp = {0, 730120};
    record.ShortText[0] = lengthByte;
    std::memcpy(record.ShortText + 1, shortText.data(), shortText.size());
    record.PosLeft = 0x7C48C0; // binary bytes after the short text
    MessageList list;
    list.LoadFromBytes({reinterpret_cast<const char*>(&record), sizeof record}, std::nullopt,
                       test::FakeClock(45000));
    return list;
}

TEST(MessageTextTest, AFallbackTextShowsOnlyItsShortTextsCharacters) {
    struct Case {
        std::string_view Short;
        unsigned char Length;
        int CodePage;
        const char* Shown;
    };
    const Case cases[] = {
        {"Caf\xe9 {at} 9\\10", 16, 1252, "Café {at} 9\\10"},
        {"\x8f\xea\x82\xa0 no here", 7, 932, "場あ no"},
        {"tab\tline\r\nnext\x01", 15, 1252, "tab\tline\nnext"},
    };
    for (const Case& c : cases) {
        const MessageList list = LoadedWithoutText(c.Short, c.Length);
        const MessageText shown = TextToShow(list.Entry(0), c.CodePage);
        EXPECT_FALSE(shown.Stored);
        EXPECT_EQ(RtfToPlainText(shown.Rtf), c.Shown) << c.Short;
    }
    // A length byte beyond the field's 238 characters shows the field.
    const MessageList list = LoadedWithoutText(std::string(238, 'x'), 250);
    EXPECT_EQ(RtfToPlainText(TextToShow(list.Entry(0), 1252).Rtf), std::string(238, 'x'));
}

TEST(MessageTextTest, StoredTextsShowAsTheyAreUnlessShownAsPlainText) {
    const test::FakeClock clock(test::At("2024-05-06 10:00:00.000"));
    TMessageEntry entry(clock, "");
    entry.RichText = "{\\rtf1{\\fonttbl{\\f0\\fcharset204 A;}}\\f0\\b \\'cf\\'e0\\par x}";
    EXPECT_EQ(TextToShow(entry, 1252).Rtf, entry.RichText);
    EXPECT_TRUE(TextToShow(entry, 1252).Stored);

    entry.ShownAsPlainText = true;
    const MessageText shown = TextToShow(entry, 1252);
    EXPECT_FALSE(shown.Stored);
    EXPECT_EQ(RtfToPlainText(shown.Rtf), "Па\nx");

    // Another text that is not RTF: all of it, in the ANSI code page.
    entry.RichText = "just a note \xe9";
    EXPECT_EQ(RtfToPlainText(TextToShow(entry, 1252).Rtf), "just a note é");
}

TEST(MessageTextTest, PlainTextMadeRtfReadsBackAsTheSameText) {
    const std::string text = "a\\b{c}d\te\n\nf é € 😀 Привет\n";
    EXPECT_EQ(RtfToPlainText(PlainTextToRtf(text)), text);
    EXPECT_EQ(RtfToPlainText(PlainTextToRtf("one\r\ntwo\rthree")), "one\ntwo\nthree");
}

TEST(MessageTextTest, TheFirstLineIsTheFirstWithText) {
    EXPECT_EQ(FirstLine({"k", "{\\rtf1 \\par  \\tab  Dentist\\tab \\par Tuesday}", true}, 7),
              "Dentist");
    EXPECT_EQ(FirstLine({"k", "{\\rtf1 Zahn\\'e4rzte}", true}, 6), "Zahnär...");
    EXPECT_EQ(FirstLine({"k", "{\\rtf1 }", true}, 7), "");
}

TEST(MessageTextTest, ReplacingLosesEmbeddedItemsWhenFewerObjectsOrPicturesRemain) {
    constexpr const char* object = "{\\rtf1{\\object{\\*\\objdata 01}{\\result{\\pict 00}}}}";
    constexpr const char* picture = "{\\rtf1 x{\\pict\\bin3 {}}}";
    // Word's picture with its copy for older readers is one picture.
    constexpr const char* wordPicture =
        "{\\rtf1{\\*\\shppict{\\pict\\pngblip 00}}{\\nonshppict{\\pict\\wmetafile8 00}}}";
    struct Case {
        const char* Stored;
        const char* Replacement;
        bool Loses;
    };
    const Case cases[] = {
        {object, "{\\rtf1 text}", true},
        {object, picture, true}, // the object's picture alone is not the object
        {picture, "{\\rtf1 {\\b pict} object}", true},
        {object, object, false},
        {wordPicture, picture, false},
        {"fallback bytes", "{\\rtf1 text}", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LosesEmbeddedItems(c.Stored, c.Replacement), c.Loses) << c.Stored;
}

} // namespace
} // namespace zandrel
