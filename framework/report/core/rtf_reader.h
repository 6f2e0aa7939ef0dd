#pragma once
// Reads a message's text into a RichDocument: RTF as a rich-text control
// shows it, any other text as plain lines.
#include "framework/report/core/rich_text.h"

#include <string_view>

namespace zandrel::report {

// Characters come out as Unicode as the RTF lexer reads them
// (framework/text/core/rtf_lexer.h): bytes in the code page of their font,
// \uN as its character; a symbol font's characters by their code points
// (U+F000 up), its bullet as U+2022 in the text's face. Text without a
// font, size or colour of its own takes `base`'s. Shown: the character
// formats, paragraph alignment, indents, spacing and tab stops, list
// numbers and bullets (as the writer spelled them in \pntext), field
// results; table cells as tab-separated text with the cells' right edges
// as tab stops, a row as one paragraph. Not shown: hidden text, pictures,
// embedded objects and every other destination without visible text. Any
// input is accepted; damage ends quietly.
RichDocument ReadRichText(std::string_view text, const CharacterFormat& base);

} // namespace zandrel::report
