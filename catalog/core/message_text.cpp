#include "catalog/core/message_text.h"

#include "catalog/core/rtf_plain_text.h"
#include "framework/text/core/code_page.h"
#include "framework/text/core/utf8.h"

#include <algorithm>
#include <cstring>

namespace zandrel {
namespace {

constexpr std::size_t kFallbackSize = 255;

// The fallback text begins with the record's whole ShortText field, which
// nothing changes while the message is not replaced.
bool IsFallbackText(const TMessageEntry& entry) {
    return entry.RichText.size() == kFallbackSize &&
           std::memcmp(entry.RichText.data(), entry.Record.ShortText, kShortTextSize) == 0;
}

void AppendUnicodeEscape(std::string& rtf, char32_t unit) {
    rtf += "\\u" + std::to_string(unit < 0x8000 ? int(unit) : int(unit) - 0x10000) + ' ';
}

} // namespace

MessageText TextToShow(const TMessageEntry& entry, int ansiCodePage) {
    std::string plain;
    if (IsFallbackText(entry)) {
        const std::size_t length =
            std::min<std::size_t>(entry.Record.ShortText[0], kShortTextSize - 1);
        AppendCodePageText(plain, ansiCodePage, std::string_view(entry.RichText).substr(1, length));
    } else if (!IsRtf(entry.RichText)) {
        AppendCodePageText(plain, ansiCodePage, entry.RichText);
    } else if (entry.ShownAsPlainText) {
        plain = RtfToPlainText(entry.RichText);
    } else {
        return {entry.Key, entry.RichText, true};
    }
    return {entry.Key, PlainTextToRtf(plain), false};
}

std::string PlainTextToRtf(std::string_view utf8) {
    std::string rtf = "{\\rtf1\\ansi\\uc0 ";
    rtf.reserve(rtf.size() + utf8.size() * 2);
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t character = NextUtf8Character(utf8, i);
        if (character == '\r' && i < utf8.size() && utf8[i] == '\n')
            continue; // the line end is its '\n'
        if (character == '\n' || character == '\r') {
            rtf += "\\par\r\n";
        } else if (character == '\t') {
            rtf += "\\tab ";
        } else if (character == '\\' || character == '{' || character == '}') {
            rtf += '\\';
            rtf += static_cast<char>(character);
        } else if (character >= 0x20 && character < 0x7F) {
            rtf += static_cast<char>(character);
        } else if (character >= 0x10000) {
            AppendUnicodeEscape(rtf, 0xD800 + ((character - 0x10000) >> 10));
            AppendUnicodeEscape(rtf, 0xDC00 + ((character - 0x10000) & 0x3FF));
        } else if (character >= 0xA0) {
            AppendUnicodeEscape(rtf, character);
        } // other control characters show nothing
    }
    return rtf + "}";
}

std::string FirstLine(const MessageText& text, std::size_t maxCharacters) {
    const std::string plain = RtfToPlainText(text.Rtf);
    constexpr std::string_view kBlanks = " \t\r\v\f";
    std::size_t start = 0;
    while (start < plain.size()) {
        const std::size_t end = std::min(plain.find('\n', start), plain.size());
        std::string_view line = std::string_view(plain).substr(start, end - start);
        const std::size_t first = line.find_first_not_of(kBlanks);
        if (first == std::string_view::npos) {
            start = end + 1;
            continue;
        }
        line = line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
        std::size_t cut = 0;
        for (std::size_t characters = 0; cut < line.size() && characters < maxCharacters;
             ++characters)
            NextUtf8Character(line, cut);
        return cut < line.size() ? std::string(line.substr(0, cut)) + "..." : std::string(line);
    }
    return {};
}

bool LosesEmbeddedItems(std::string_view stored, std::string_view replacement) {
    const EmbeddedItems before = CountEmbeddedItems(stored);
    const EmbeddedItems after = CountEmbeddedItems(replacement);
    return after.Objects < before.Objects || after.Pictures < before.Pictures;
}

} // namespace zandrel
