#include "stickers/core/snooze.h"

namespace zandrel {
namespace {

TDateTime SnoozedAlarm(SnoozeChoice choice, TDateTime now) {
    switch (choice) {
    case SnoozeChoice::TenMinutes:
        return now + 10.0 / (24 * 60);
    case SnoozeChoice::OneHour:
        return now + 1.0 / 24;
    case SnoozeChoice::Tomorrow:
        break;
    }
    return now + 1.0;
}

} // namespace

// A red sticker's message started before now, so the later moment is always
// taken.
void SnoozeMessage(MessageList& list, std::size_t index, SnoozeChoice choice, const Clock& clock) {
    list.Entry(index).SetAlarmDate(SnoozedAlarm(choice, clock.Now()));
    list.SaveMessages();
}

} // namespace zandrel
