#pragma once
// Date-time arithmetic on TDateTime (days since 1899-12-30, fraction = local
// time of day) and the time stamp stored in every message record.
#include "storage/core/clock.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zandrel {

inline constexpr std::int32_t kMsPerDay = 86400000;
// Time stamp Date of 1899-12-30, the day TDateTime counts from.
inline constexpr std::int32_t kDateDelta = 693594;

// Time: milliseconds since midnight; Date: days since 0001-01-01 plus one.
struct TimeStamp {
    std::int32_t Time;
    std::int32_t Date;
};

// M = round(d * 86400000); Date = M div 86400000 + 693594, Time = M mod 86400000.
// Defined for the date-times a clock gives; others are pinned as below.
TimeStamp DateTimeToTimeStamp(TDateTime d);
TDateTime TimeStampToDateTime(TimeStamp stamp);

// The whole days of `date` (truncated toward zero) plus the time of day of
// `time` (its fraction after truncation toward zero).
TDateTime CombineDateTime(TDateTime date, TDateTime time);

struct DateTimeParts {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

// Both directions round to whole milliseconds. Before 1899-12-30 the whole
// part counts days backwards and the fraction is still the time of day
// (-1.25 is 1899-12-29 06:00). Values beyond 0001..9999, and NaN, are
// pinned to that range (NaN to 1899-12-30).
DateTimeParts DecodeDateTime(TDateTime d);
// Nullopt when a part is out of range (month 13, 31 April, hour 24...).
std::optional<TDateTime> EncodeDateTime(const DateTimeParts& parts);

// "YYYY-MM-DD HH:MM:SS.mmm" in both directions.
std::optional<TDateTime> ParseDateTime(std::string_view text);
std::string FormatDateTime(TDateTime d);

} // namespace zandrel
