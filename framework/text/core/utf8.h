#pragma once
// Reading UTF-8: one character at a time, or all of it as UTF-16 (what the
// system's wide-character calls and the text layout take).
#include <string>
#include <string_view>

namespace zandrel {

// The character at `i`, which moves past it. A byte that begins no
// well-formed character (a stray continuation byte, a sequence cut short,
// a value beyond Unicode) is U+FFFD, and reading goes on at the next byte.
char32_t NextUtf8Character(std::string_view utf8, std::size_t& i);

// Appends `utf8` as UTF-16, characters beyond U+FFFF as surrogate pairs.
void AppendUtf16(std::u16string& utf16, std::string_view utf8);
std::u16string Utf8ToUtf16(std::string_view utf8);

} // namespace zandrel
