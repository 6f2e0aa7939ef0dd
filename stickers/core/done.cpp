#include "stickers/core/done.h"

namespace zandrel {

bool MoveToNextOccurrence(MessageList& list, std::size_t index, const Clock& clock) {
    TMessageEntry& entry = list.Entry(index);
    const std::optional<Occurrence> next =
        NextOccurrence(entry.Record.StartDate, entry.Record.AlarmDate, entry.Repeat, clock.Now());
    if (!next)
        return false;
    entry.SetStartDate(next->Start);
    entry.SetAlarmDate(next->Alarm);
    entry.SetIncType(entry.Record.IncType, clock);
    entry.Repeat.Due = next->Alarm;
    if (entry.Repeat.Mail)
        entry.Notify = 1;
    list.SaveMessages();
    return true;
}

} // namespace zandrel
