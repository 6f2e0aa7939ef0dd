#pragma once
// What every control that shows a message's text (editor, sticker, pop-up,
// catalog, mail body) loads for it.
#include "storage/core/unit_entry.h"

#include <string>
#include <string_view>

namespace zandrel {

struct MessageText {
    std::string Key;     // whose text it is
    std::string Rtf;     // what the control loads
    bool Stored = false; // `Rtf` is the message's own, as stored (not a plain text made RTF)
};

// The message's RTF as it is stored, but for a note shown as plain text
// (ShownAsPlainText): the characters the plain-text converter finds in it.
// The fallback text of a message without a stored text (its record's
// ShortText and the bytes after it) shows the short text's characters only;
// any other text that is not RTF shows as plain text. Bytes outside RTF are
// read in `ansiCodePage`. Plain text comes as RTF that holds it and nothing else.
MessageText TextToShow(const TMessageEntry& entry, int ansiCodePage);

// An RTF document of the plain text `utf8`: its characters, tabs and line ends.
std::string PlainTextToRtf(std::string_view utf8);

// The first line of the text that holds more than blanks, without them at
// its ends; one longer than `maxCharacters` cut there, with "..." after it.
std::string FirstLine(const MessageText& text, std::size_t maxCharacters);

// True when `replacement` holds fewer embedded objects or fewer pictures
// than `stored`: they would be lost if it took its place.
bool LosesEmbeddedItems(std::string_view stored, std::string_view replacement);

} // namespace zandrel
