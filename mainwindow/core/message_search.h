#pragma once
// Find: which message holds a text, case-insensitively in any script, and
// where in a text it lies. Texts are UTF-16, as the Windows controls hold
// them, so that a position found is a position in the editor.
#include "storage/core/message_list.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zandrel {

// The simple Unicode case folding of the Latin, Greek, Cyrillic and
// Armenian letters (and the full-width Latin ones): each upper-case letter
// becomes its lower-case one; everything else stays. One unit for one, so
// positions keep.
char16_t FoldCase(char16_t c);

struct TextMatch {
    std::size_t Position = 0; // in UTF-16 units
    std::size_t Length = 0;
};

// The first place in `text` where `needle` stands, letters compared with
// FoldCase; none for an empty needle.
std::optional<TextMatch> FindInText(std::u16string_view text, std::u16string_view needle);

// The index of the next message whose text holds `needle`: from the one
// after CurrentIndex to the end of the list, then from the start round to
// CurrentIndex itself. A message's text is its RTF read as the export reads
// it, or, when it is not RTF, its bytes as Windows-1252.
std::optional<std::size_t> FindNextMessage(const MessageList& list, std::u16string_view needle);

} // namespace zandrel
