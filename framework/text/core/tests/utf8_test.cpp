#include "framework/text/core/utf8.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

TEST(Utf8Test, CharactersOfEveryLengthAndBytesThatBeginNone) {
    const struct {
        std::string_view Utf8;
        std::u16string Utf16;
    } cases[] = {
        {"a\xC3\xA9\xE2\x82\xAC", u"aé€"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},               // a surrogate pair
        {"\x80x", u"\uFFFDx"},                             // a stray continuation byte
        {"\xE2\x82x", u"\uFFFD\uFFFDx"},                   // cut short: each byte alone
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // beyond Unicode
        {"\xC3", u"\uFFFD"},                               // at the end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToUtf16(c.Utf8), c.Utf16) << c.Utf8;
    }
}

} // namespace
} // namespace zandrel
