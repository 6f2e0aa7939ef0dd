#pragma once
// Text in the code pages that RTF documents name, as UTF-8. Both builds give
// the same characters: single-byte code pages (Windows, OEM and Mac) come
// from the program's own tables, Johab from its own decoder, and the East
// Asian double-byte code pages from the platform, with the Mac ones read as
// their Windows supersets.
#include <string>
#include <string_view>

namespace zandrel {

constexpr int kWesternCodePage = 1252;

// The code page of an RTF font's \fcharsetN: Windows-1252 for the ANSI
// character set (0), 0 (the document's own) for DEFAULT (1) and for
// character sets without a code page.
int CodePageOfCharset(int charset);

// Appends `codePoint` to `utf8`; a surrogate or a value beyond Unicode as U+FFFD.
void AppendUtf8(std::string& utf8, char32_t codePoint);

// Appends `bytes` of `codePage` to `utf8`. A byte or byte pair that the code
// page does not define (a user-defined character among them) becomes
// U+FFFD; a code page the program has no table for is read as Windows-1252.
void AppendCodePageText(std::string& utf8, int codePage, std::string_view bytes);

} // namespace zandrel
