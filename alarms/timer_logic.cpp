#include "alarms/timer_logic.h"

namespace zandrel {

namespace {

constexpr TDateTime SecondsPerDay = 86400;

bool JustPassed(TDateTime moment, const Clock& clock, TDateTime changeWindow) {
    return clock.Now() > moment && clock.Now() < moment + changeWindow;
}

} // namespace

TimerSource TimerSourceOf(const TMessageEntry& entry) {
    const MessageRecord& record = entry.Record;
    return {record.StartDate, record.AlarmDate, record.IncType, record.NextWarn};
}

TDateTime ChangeWindow(int intervalMs) {
    return intervalMs / 1000.0 * 3 / SecondsPerDay;
}

bool StickersDue(const TimerSource& message, const Clock& clock, TDateTime changeWindow) {
    const bool started = JustPassed(message.StartDate, clock, changeWindow);
    const bool alarmed = JustPassed(message.AlarmDate, clock, changeWindow);
    return started || alarmed;
}

bool WarningDue(const TimerSource& message, const Clock& clock) {
    return message.IncType >= 1 && message.IncType <= 3 && clock.Now() > message.NextWarn;
}

void RunTimerTick(int count, int intervalMs, const Clock& clock, const TimerTickActions& actions) {
    const TDateTime changeWindow = ChangeWindow(intervalMs);
    for (int i = 0; i < count; ++i) {
        if (StickersDue(actions.Message(i), clock, changeWindow))
            actions.RebuildDue(i);
        if (WarningDue(actions.Message(i), clock)) {
            actions.OpenWarning(i);
            return;
        }
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
