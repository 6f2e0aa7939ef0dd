#include "storage/core/repeat.h"

#include "storage/core/datetime.h"

#include <algorithm>
#include <cmath>

namespace zandrel {
namespace {

constexpr TDateTime kFirstDay = -693593; // 0001-01-01
constexpr TDateTime kLastDay = 2958465;  // 9999-12-31

// A date-time as its day and its time of day. Before 1899-12-30 the whole
// part counts days backwards and the fraction is still the time of day.
struct DayAndTime {
    std::int64_t Day = 0;
    TDateTime Time = 0;
};

std::optional<DayAndTime> Split(TDateTime moment) {
    if (!std::isfinite(moment) || moment < kFirstDay - 1 || moment > kLastDay + 1)
        return std::nullopt;
    const TDateTime day = moment >= 0 ? std::floor(moment) : std::trunc(moment);
    return DayAndTime{static_cast<std::int64_t>(day), std::fabs(moment - day)};
}

std::optional<TDateTime> Join(std::int64_t day, TDateTime time) {
    if (day < kFirstDay || day > kLastDay)
        return std::nullopt;
    const auto whole = static_cast<TDateTime>(day);
    return day >= 0 ? whole + time : whole - time;
}

// The day `months` calendar months after the month of `day`, on the rule's
// day or the month's last.
std::optional<std::int64_t> MonthsLater(std::int64_t day, std::int64_t months, int ruleDay) {
    const DateTimeParts date = DecodeDateTime(static_cast<TDateTime>(day));
    const std::int64_t index = date.Year * 12LL + (date.Month - 1) + months;
    const auto year = static_cast<int>(index / 12);
    if (year < 1 || year > 9999)
        return std::nullopt;
    for (int d = ruleDay >= 1 ? std::min(ruleDay, 31) : date.Day;; --d) {
        if (const auto found = EncodeDateTime({year, static_cast<int>(index % 12) + 1, d}))
            return static_cast<std::int64_t>(*found);
    }
}

} // namespace

const char* RepeatName(RepeatPeriod period) {
    const auto index = static_cast<std::size_t>(period);
    return index < kRepeatNames.size() ? kRepeatNames[index] : "Never";
}

std::optional<Occurrence> NextOccurrence(TDateTime start, TDateTime alarm, const RepeatRule& rule,
                                         TDateTime now) {
    const std::optional<DayAndTime> s = Split(start), a = Split(rule.Due != 0 ? rule.Due : alarm);
    if (!rule.Repeats() || !s || !a)
        return std::nullopt;
    const bool monthly = rule.Period == RepeatPeriod::Month || rule.Period == RepeatPeriod::Year;
    const std::int64_t step = rule.Period == RepeatPeriod::Day     ? 1
                              : rule.Period == RepeatPeriod::Week  ? 7
                              : rule.Period == RepeatPeriod::Month ? 1
                                                                   : 12;
    // The alarm's day after n periods.
    auto dayAfter = [&](std::int64_t n) -> std::optional<std::int64_t> {
        if (n == 0)
            return a->Day;
        if (monthly)
            return MonthsLater(a->Day, n * step, rule.Day);
        return a->Day + n * step;
    };
    // Compared as days and times: before 1899-12-30 date-times do not grow
    // with time.
    const std::optional<DayAndTime> nowDay = Split(now);
    if (!nowDay)
        return std::nullopt;
    auto after = [&](std::int64_t n) -> std::optional<bool> {
        const auto day = dayAfter(n);
        if (!day || *day > kLastDay)
            return std::nullopt;
        return *day > nowDay->Day || (*day == nowDay->Day && a->Time > nowDay->Time);
    };

    // A first guess from the distance, then whole periods either way.
    std::int64_t n = 0;
    if (nowDay->Day > a->Day) {
        if (monthly) {
            const DateTimeParts from = DecodeDateTime(static_cast<TDateTime>(a->Day));
            const DateTimeParts to = DecodeDateTime(static_cast<TDateTime>(nowDay->Day));
            n = ((to.Year - from.Year) * 12LL + (to.Month - from.Month)) / step;
        } else {
            n = (nowDay->Day - a->Day) / step;
        }
    }
    for (;; ++n) {
        const std::optional<bool> later = after(n);
        if (!later)
            return std::nullopt;
        if (*later)
            break;
    }
    while (n > 0 && after(n - 1).value_or(false))
        --n;

    const std::int64_t shift = *dayAfter(n) - a->Day;
    const auto newStart = Join(s->Day + shift, s->Time);
    const auto newAlarm = Join(a->Day + shift, a->Time);
    if (!newStart || !newAlarm)
        return std::nullopt;
    return Occurrence{*newStart, *newAlarm};
}

int DayOfMonth(TDateTime moment) {
    const std::optional<DayAndTime> split = Split(moment);
    return split ? DecodeDateTime(static_cast<TDateTime>(split->Day)).Day : 1;
}

RepeatRule EditedRepeat(const RepeatRule& before, TDateTime alarmBefore, std::int32_t notifyBefore,
                        TDateTime alarm, RepeatPeriod chosen, bool notify) {
    if (chosen == RepeatPeriod::Never || static_cast<std::size_t>(chosen) >= kRepeatNames.size())
        return {};
    const auto dayBefore = Split(alarmBefore), day = Split(alarm);
    const bool sameDay = dayBefore && day && dayBefore->Day == day->Day;
    const bool sameMoment = std::fabs(alarm - alarmBefore) < 1.0 / (24 * 60 * 60);
    RepeatRule rule;
    rule.Period = chosen;
    rule.Day = before.Repeats() && sameDay ? before.Day : DayOfMonth(alarm);
    rule.Due = before.Repeats() && sameMoment && before.Due != 0 ? before.Due : alarm;
    const bool boxAsStored = notify == (notifyBefore >= 1);
    rule.Mail = notify || (boxAsStored && before.Repeats() && before.Mail);
    return rule;
}

} // namespace zandrel
