#pragma once
// What zandrel-data prints for a loaded message list.
#include "storage/core/message_list.h"

#include <optional>
#include <string>

namespace zandrel {

// Every stored field of every message, as one JSON document:
// {"messages": [...], "error": null or the load's error text}; Repeat,
// RepeatDay, RepeatDue and RepeatMail only for a message that repeats. Dates are
// numbers with 17 significant digits (null when not finite, as JSON has no
// NaN); byte fields are lowercase hex; addresses are their bytes read as
// Latin-1.
std::string DumpJson(const MessageList& list, const std::optional<std::string>& error);

// A readable copy of every message: dates as "YYYY-MM-DD HH:MM:SS.mmm", the
// warning kind and the repeat by name, and the text as plain text. Both forms are UTF-8:
// the text as its RTF says, the other stored bytes read as Windows-1252.
std::string ExportJson(const MessageList& list, const std::optional<std::string>& error);
std::string ExportText(const MessageList& list);

// The text of a message without formatting, control bytes left out: RTF
// converted, any other text as the program's controls show it (of the
// fallback text of a record without a stored text, its short text).
std::string PlainTextOf(const TMessageEntry& entry);

} // namespace zandrel
