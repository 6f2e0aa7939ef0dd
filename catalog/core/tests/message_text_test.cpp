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
    const test::FakeClock clock(test::At("2024-05-06 10:00:00.000"));
    MessageList stored;
    TMessageEntry& entry = stored.Append(std::make_unique<TMessageEntry>(clock, ""));
    entry.Key = MakeKey(entry.Record.Stamp);
    entry.Record.ShortText[0] = lengthByte;
    std::memcpy(entry.Record.ShortText + 1, shortText.data(), shortText.size());
    entry.Record.PosLeft = 0x7C48C0; // binary bytes after the short text
    std::string data, memo;
    stored.SaveToBytes(data, memo);
    MessageList loaded;
    loaded.LoadFromBytes(data, std::nullopt, clock, {1024, 768});
    return loaded;
}

TEST(MessageTextTest, AFallbackTextShowsOnlyItsShortTextsCharacters) {
    struct Case {
        std::string_view Short;
        unsigned char Length;
        int CodePage;
        const char* Shown;
    };
    const Case cases[] = {
        {"Call Anna", 9, 1252, "Call Anna"},
        {"Caf\xe9 {at} 9\\10", 16, 1252, "Café {at} 9\\10"},
        {"\x8f\xea\x82\xa0 no", 7, 932, "場あ no"},
        {"cut here", 3, 1252, "cut"},
        {"", 0, 1252, ""},
        {"tab\tline\r\nnext\x01", 15, 1252, "tab\tline\nnext"},
    };
    for (const Case& c : cases) {
        const MessageList list = LoadedWithoutText(c.Short, c.Length);
        const TMessageEntry& entry = list.Entry(0);
        ASSERT_EQ(entry.RichText.size(), 255u);
        const MessageText shown = TextToShow(entry, c.CodePage);
        EXPECT_FALSE(shown.Stored);
        EXPECT_EQ(shown.Key, entry.Key);
        EXPECT_EQ(RtfToPlainText(shown.Rtf), c.Shown) << c.Short;
    }
    // A length byte beyond the field's 238 characters shows the field.
    const MessageList list = LoadedWithoutText(std::string(238, 'x'), 250);
    EXPECT_EQ(RtfToPlainText(TextToShow(list.Entry(0), 1252).Rtf), std::string(238, 'x'));
}

TEST(MessageTextTest, StoredTextsShowAsTheyAreUnlessShownAsPlainText) {
    const test::FakeClock clock(test::At("2024-05-06 10:00:00.000"));
    TMessageEntry entry(clock, "");
    const std::string rtf = "{\\rtf1{\\fonttbl{\\f0\\fcharset204 A;}}\\f0\\b \\'cf\\'e0\\par x}";
    entry.RichText = rtf;
    MessageText shown = TextToShow(entry, 1252);
    EXPECT_TRUE(shown.Stored);
    EXPECT_EQ(shown.Rtf, rtf);

    entry.ShownAsPlainText = true;
    shown = TextToShow(entry, 1252);
    EXPECT_FALSE(shown.Stored);
    EXPECT_EQ(shown.Rtf, "{\\rtf1\\ansi\\uc0 \\u1055 \\u1072 \\par\r\nx}");

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
    constexpr const char* picture = "{\\rtf1{\\pict 00}}";
    constexpr const char* text = "{\\rtf1 text}";
    EXPECT_TRUE(LosesEmbeddedItems(object, text));
    EXPECT_TRUE(
        LosesEmbeddedItems(object, picture)); // the object's picture alone is not the object
    EXPECT_TRUE(LosesEmbeddedItems(picture, text));
    EXPECT_FALSE(LosesEmbeddedItems(object, object));
    EXPECT_FALSE(LosesEmbeddedItems(text, picture));
    EXPECT_FALSE(LosesEmbeddedItems("fallback bytes", text));
}

} // namespace
} // namespace zandrel
