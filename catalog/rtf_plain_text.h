#pragma once
// The visible text of an RTF document, for the places that show or send a
// message's text without formatting (catalog, mail body, data export).
#include <string>
#include <string_view>

namespace zandrel {

// True when `text` is an RTF document (begins with "{\rtf").
bool IsRtf(std::string_view text);

// The characters an RTF reader shows, as ANSI bytes (Windows-1252, the code
// page the rich-edit control writes): paragraph and line ends become '\n',
// tabs '\t'. Formatting, font and colour tables, pictures and other hidden
// destinations are left out. Any input is accepted: unbalanced braces,
// cut-off control words and hex escapes end or drop quietly.
std::string RtfToPlainText(std::string_view rtf);

} // namespace zandrel
