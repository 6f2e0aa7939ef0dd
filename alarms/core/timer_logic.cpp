#include "alarms/core/timer_logic.h"

#include <utility>

namespace zandrel {

namespace {

constexpr TDateTime SecondsPerDay = 86400;

bool JustPassed(TDateTime moment, TDateTime now, TDateTime changeWindow) {
    return now > moment && now < moment + changeWindow;
}

// Passed since the last look: the look at exactly the moment did not count
// it, since now > moment is strict.
bool PassedSince(TDateTime moment, TDateTime lastLook, TDateTime now) {
    return lastLook != 0 && lastLook <= moment && moment < now;
}

} // namespace

TimerSource TimerSourceOf(const TMessageEntry& entry) {
    const MessageRecord& record = entry.Record;
    return {record.StartDate, record.AlarmDate, record.IncType, record.NextWarn, entry.TimerLook};
}

TDateTime ChangeWindow(int intervalMs) {
    return intervalMs / 1000.0 * 3 / SecondsPerDay;
}

bool StickersDue(const TimerSource& message, TDateTime now, TDateTime changeWindow) {
    const bool started = JustPassed(message.StartDate, now, changeWindow) ||
                         PassedSince(message.StartDate, message.LastLook, now);
    const bool alarmed = JustPassed(message.AlarmDate, now, changeWindow) ||
                         PassedSince(message.AlarmDate, message.LastLook, now);
    return started || alarmed;
}

bool WarningDue(const TimerSource& message, TDateTime now) {
    return message.IncType >= 1 && message.IncType <= 3 && now > message.NextWarn;
}

void RunTimerTick(int count, int intervalMs, const Clock& clock, const TimerTickActions& actions) {
    const TDateTime changeWindow = ChangeWindow(intervalMs);
    const TDateTime now = clock.Now();
    bool rebuildDue = false;
    for (int i = 0; i < count; ++i) {
        const TimerSource message = actions.Message(i);
        rebuildDue = StickersDue(message, now, changeWindow) || rebuildDue;
        actions.Looked(i, now);
        if (!WarningDue(message, now)) {
            continue;
        }
        if (std::exchange(rebuildDue, false)) {
            actions.RebuildDue();
            if (!WarningDue(actions.Message(i), clock.Now())) {
                continue;
            }
        }
        actions.OpenWarning(i);
        return;
    }
    if (rebuildDue) {
        actions.RebuildDue();
    }
}

std::string PopupName(int number) {
    return "Zandrel_blueChip_" + std::to_string(number);
}

std::string PopupTimeCaption(std::string_view dateTimeText) {
    return "Message time: " + std::string(dateTimeText);
}

std::string PopupCounter::Next(const std::function<bool(const std::string& name)>& nameInUse) {
    Advance();
    for (int tried = 0; tried <= Limit && nameInUse(PopupName(value_)); ++tried)
        Advance();
    return PopupName(value_);
}

} // namespace zandrel
