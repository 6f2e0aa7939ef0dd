#pragma once
// Text in the Windows code pages that RTF fonts name, as UTF-8.
#include <string>
#include <string_view>

namespace zandrel {

constexpr int kWesternCodePage = 1252;

// The code page of an RTF font's \fcharsetN; 0 for the document's own
// (ANSI and DEFAULT) and for character sets without one.
int CodePageOfCharset(int charset);

// Appends `codePoint` to `utf8`; a surrogate or a value beyond Unicode as U+FFFD.
void AppendUtf8(std::string& utf8, char32_t codePoint);

// Appends `bytes` of `codePage` to `utf8`, double-byte characters of the
// East Asian code pages included. A byte sequence the code page does not
// define becomes U+FFFD (or, on Windows, the platform's own stand-in); a
// code page the platform does not know is read as Windows-1252.
void AppendCodePageText(std::string& utf8, int codePage, std::string_view bytes);

} // namespace zandrel
