#include "catalog/core/code_page.h"

namespace zandrel {

namespace {

struct CharsetCodePage {
    int Charset;
    int CodePage;
};

// The character sets of Windows fonts and their code pages.
constexpr CharsetCodePage kCharsetCodePages[] = {
    {77, 10000}, // Mac Roman
    {128, 932},  // Shift-JIS
    {129, 949},  // Hangul
    {130, 1361}, // Johab
    {134, 936},  // GB2312
    {136, 950},  // Big5
    {161, 1253}, // Greek
    {162, 1254}, // Turkish
    {163, 1258}, // Vietnamese
    {177, 1255}, // Hebrew
    {178, 1256}, // Arabic
    {186, 1257}, // Baltic
    {204, 1251}, // Cyrillic
    {222, 874},  // Thai
    {238, 1250}, // Central European
    {255, 437},  // OEM
};

} // namespace

int CodePageOfCharset(int charset) {
    for (const CharsetCodePage& entry : kCharsetCodePages) {
        if (entry.Charset == charset)
            return entry.CodePage;
    }
    return 0;
}

void AppendUtf8(std::string& utf8, char32_t codePoint) {
    if ((codePoint >= 0xD800 && codePoint < 0xE000) || codePoint > 0x10FFFF)
        codePoint = 0xFFFD;
    if (codePoint < 0x80) {
        utf8 += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        utf8 += static_cast<char>(0xC0 | (codePoint >> 6));
        utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        utf8 += static_cast<char>(0xE0 | (codePoint >> 12));
        utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        utf8 += static_cast<char>(0xF0 | (codePoint >> 18));
        utf8 += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

} // namespace zandrel
