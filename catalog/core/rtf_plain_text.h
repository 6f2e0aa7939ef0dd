#pragma once
// The visible text of an RTF document, for the places that show a
// message's text without formatting (the data tool's export).
#include <string>
#include <string_view>

namespace zandrel {

// True when `text` is an RTF document (begins with "{\rtf").
bool IsRtf(std::string_view text);

// The characters an RTF reader shows, as UTF-8: \'xx bytes read in the code
// page of the current font's character set (the document's \ansicpg where
// the font names none), \uN as its character with the \ucN fallback
// skipped. Paragraph and line ends become '\n', tabs '\t'. Formatting, font
// and colour tables, pictures, other hidden destinations and anything after
// the document's group are left out. Any input is accepted: unbalanced
// braces, cut-off control words and hex escapes end or drop quietly.
std::string RtfToPlainText(std::string_view rtf);

} // namespace zandrel
