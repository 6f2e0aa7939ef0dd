#include "mainwindow/core/message_search.h"

#include "catalog/core/rtf_plain_text.h"
#include "framework/text/core/code_page.h"
#include "framework/text/core/utf8.h"

namespace zandrel {
namespace {

// Upper-case letters from First to Last (every other one when Alternate,
// where upper and lower case take turns) fold by Delta.
struct FoldRange {
    char16_t First;
    char16_t Last;
    int Delta;
    bool Alternate;
};

constexpr FoldRange kFoldRanges[] = {
    {0x00B5, 0x00B5, 0x03BC - 0x00B5, false}, // micro sign: Greek mu
    {0x00C0, 0x00D6, 32, false},
    {0x00D8, 0x00DE, 32, false},
    {0x0100, 0x012E, 1, true},
    {0x0132, 0x0136, 1, true},
    {0x0139, 0x0147, 1, true},
    {0x014A, 0x0176, 1, true},
    {0x0178, 0x0178, 0x00FF - 0x0178, false},
    {0x0179, 0x017D, 1, true},
    {0x017F, 0x017F, 's' - 0x017F, false}, // long s
    {0x01CD, 0x01DB, 1, true},
    {0x01DE, 0x01EE, 1, true},
    {0x01F8, 0x021E, 1, true},
    {0x0222, 0x0232, 1, true},
    {0x0246, 0x024E, 1, true},
    {0x0386, 0x0386, 0x26, false},
    {0x0388, 0x038A, 0x25, false},
    {0x038C, 0x038C, 0x40, false},
    {0x038E, 0x038F, 0x3F, false},
    {0x0391, 0x03A1, 32, false},
    {0x03A3, 0x03AB, 32, false},
    {0x03C2, 0x03C2, 1, false}, // final sigma
    {0x03D8, 0x03EE, 1, true},
    {0x0400, 0x040F, 0x50, false},
    {0x0410, 0x042F, 32, false},
    {0x0460, 0x0480, 1, true},
    {0x048A, 0x04BE, 1, true},
    {0x04C0, 0x04C0, 15, false},
    {0x04C1, 0x04CD, 1, true},
    {0x04D0, 0x052E, 1, true},
    {0x0531, 0x0556, 0x30, false},
    {0x1E00, 0x1E94, 1, true},
    {0x1E9E, 0x1E9E, 0x00DF - 0x1E9E, false}, // capital sharp s
    {0x1EA0, 0x1EFE, 1, true},
    {0x2126, 0x2126, 0x03C9 - 0x2126, false}, // ohm sign: omega
    {0x212A, 0x212A, 'k' - 0x212A, false},    // kelvin sign
    {0x212B, 0x212B, 0x00E5 - 0x212B, false}, // angstrom sign
    {0xFF21, 0xFF3A, 32, false},              // full-width Latin
};

std::u16string Folded(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded)
        c = FoldCase(c);
    return folded;
}

std::u16string SearchableText(const std::string& richText) {
    if (IsRtf(richText))
        return Utf8ToUtf16(RtfToPlainText(richText));
    std::string utf8;
    AppendCodePageText(utf8, kWesternCodePage, richText);
    return Utf8ToUtf16(utf8);
}

} // namespace

char16_t FoldCase(char16_t c) {
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? char16_t(c + 32) : c;
    for (const FoldRange& range : kFoldRanges) {
        if (c >= range.First && c <= range.Last && (!range.Alternate || (c - range.First) % 2 == 0))
            return char16_t(c + range.Delta);
    }
    return c;
}

std::optional<TextMatch> FindInText(std::u16string_view text, std::u16string_view needle) {
    if (needle.empty())
        return std::nullopt;
    const std::size_t position = Folded(text).find(Folded(needle));
    if (position == std::u16string::npos)
        return std::nullopt;
    return TextMatch{position, needle.size()};
}

std::optional<std::size_t> FindNextMessage(const MessageList& list, std::u16string_view needle) {
    const std::size_t count = list.Count();
    const int current = list.CurrentIndex;
    const std::size_t start =
        current >= 0 && std::size_t(current) < count ? std::size_t(current) + 1 : 0;
    for (std::size_t step = 0; step < count && !needle.empty(); ++step) {
        const std::size_t index = (start + step) % count;
        if (FindInText(SearchableText(list.Entry(index).RichText), needle))
            return index;
    }
    return std::nullopt;
}

} // namespace zandrel
