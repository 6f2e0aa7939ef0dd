#pragma once
// Where the characters of the code pages come from: the program's own tables
// and, for the East Asian double-byte code pages, the platform.
#include <string>
#include <string_view>

namespace zandrel {

// Bytes 0x80 to 0xFF of a single-byte code page (U+FFFD where it defines no
// character); null for a code page without a table of its own.
const char16_t* SingleByteUpperHalf(int codePage);

// Appends the characters of `bytes` in a double-byte code page (932, 936,
// 949, 950) as the platform defines them; false, with `characters`
// unchanged, when any byte sequence is not a character of the code page.
bool PlatformDecode(int codePage, std::string_view bytes, std::u32string& characters);

} // namespace zandrel
