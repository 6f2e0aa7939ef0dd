#pragma once
// The visible text of an RTF document, for the places that show a
// message's text without formatting (the data tool's export, a note shown
// as plain text), and the embedded objects and pictures it holds.
#include <string>
#include <string_view>

namespace zandrel {

// True when `text` is an RTF document (begins with "{\rtf").
bool IsRtf(std::string_view text);

// The characters an RTF reader shows, as UTF-8, as the RTF lexer reads
// them (framework/text/core/rtf_lexer.h): \'xx bytes in the code page of
// their font, \uN as its character with its fallback skipped. Paragraph,
// row and line ends become '\n', tabs and table cells '\t'; field results
// and list numbers (\pntext) are text. Formatting, hidden text, font and
// colour tables, pictures, other destinations without visible text and
// anything after the document's group are left out. Any input is accepted:
// unbalanced braces, cut-off control words and hex escapes end or drop
// quietly.
std::string RtfToPlainText(std::string_view rtf);

struct EmbeddedItems {
    int Objects = 0;  // \object groups
    int Pictures = 0; // \pict groups outside objects, a picture's \nonshppict copy not counted
    bool operator==(const EmbeddedItems&) const = default;
};

// What a rich-text control may not keep of a document.
EmbeddedItems CountEmbeddedItems(std::string_view rtf);

} // namespace zandrel
