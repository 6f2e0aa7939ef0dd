#pragma once
// "Remind me later" on a red sticker: the message's alarm moment moves to a
// moment from now, and the sticker is yellow until then.
#include "storage/core/message_list.h"

#include <cstddef>

namespace zandrel {

enum class SnoozeChoice { TenMinutes, OneHour, Tomorrow };

// Moves the alarm moment (AlarmDate) of the message at `index` to now plus
// 10 minutes, 1 hour or 1 day and saves both files; nothing else of the message changes,
// its periodic warnings keep their schedule. Throws std::out_of_range for an
// index off the list, StorageError when the save fails.
void SnoozeMessage(MessageList& list, std::size_t index, SnoozeChoice choice, const Clock& clock);

} // namespace zandrel
