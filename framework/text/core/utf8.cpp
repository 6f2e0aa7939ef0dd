#include "framework/text/core/utf8.h"

namespace zandrel {

char32_t NextUtf8Character(std::string_view utf8, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0) {
        ++i;
        return U'\uFFFD';
    }
    char32_t character = length == 1 ? lead : lead & (0x3F >> (length - 1));
    bool valid = i + std::size_t(length) <= utf8.size();
    for (int k = 1; valid && k < length; ++k) {
        const auto next = static_cast<unsigned char>(utf8[i + std::size_t(k)]);
        valid = (next & 0xC0) == 0x80;
        character = (character << 6) | (next & 0x3F);
    }
    if (!valid || character > 0x10FFFF) {
        ++i;
        return U'\uFFFD';
    }
    i += std::size_t(length);
    return character;
}

void AppendUtf16(std::u16string& utf16, std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t character = NextUtf8Character(utf8, i);
        if (character >= 0x10000) {
            utf16 += char16_t(0xD800 + ((character - 0x10000) >> 10));
            utf16 += char16_t(0xDC00 + ((character - 0x10000) & 0x3FF));
        } else {
            utf16 += char16_t(character);
        }
    }
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string utf16;
    utf16.reserve(utf8.size());
    AppendUtf16(utf16, utf8);
    return utf16;
}

} // namespace zandrel
