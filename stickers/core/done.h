#pragma once
// "Done" on a red sticker: a message that repeats comes back at its next
// occurrence; one that does not is the user's to delete.
#include "storage/core/message_list.h"

#include <cstddef>

namespace zandrel {

// Moves the message at `index` to its next occurrence (storage/core/repeat.h):
// start and alarm moments, the periodic warning's next moment computed again
// as Replace computes it, its notification mail pending again when it mails;
// then saves. False, with nothing changed, for a message without a next
// occurrence (it does not repeat, or its next one lies past the year 9999).
// Throws std::out_of_range for an index off the list, StorageError when the
// save fails.
bool MoveToNextOccurrence(MessageList& list, std::size_t index, const Clock& clock);

} // namespace zandrel
