#include "storage/core/datetime.h"

#include <cmath>
#include <cstdio>

namespace zandrel {
namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

// Days from 1970-01-01 to 1899-12-30.
constexpr std::int64_t kEpochShift = -25569;

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Date-times outside 0001-01-01..9999-12-31 (and NaN) come only from damaged
// records; they are pinned to that range so that no conversion overflows.
TDateTime Pinned(TDateTime d) {
    constexpr TDateTime kFirst = -693593.0;       // 0001-01-01
    constexpr TDateTime kLast = 2958465.99999999; // 9999-12-31 23:59:59.999
    if (std::isnan(d))
        return 0;
    return d < kFirst ? kFirst : d > kLast ? kLast : d;
}

} // namespace

TimeStamp DateTimeToTimeStamp(TDateTime d) {
    const auto ms = static_cast<std::int64_t>(std::llround(Pinned(d) * kMsPerDay));
    std::int64_t days = ms / kMsPerDay;
    std::int64_t time = ms % kMsPerDay;
    if (time < 0) { // keeps Time within the day for dates before 1899-12-30
        time += kMsPerDay;
        --days;
    }
    return {static_cast<std::int32_t>(time), static_cast<std::int32_t>(days + kDateDelta)};
}

TDateTime TimeStampToDateTime(TimeStamp stamp) {
    const std::int64_t ms =
        (static_cast<std::int64_t>(stamp.Date) - kDateDelta) * kMsPerDay + stamp.Time;
    return static_cast<TDateTime>(ms) / kMsPerDay;
}

TDateTime CombineDateTime(TDateTime date, TDateTime time) {
    return std::trunc(date) + (time - std::trunc(time));
}

DateTimeParts DecodeDateTime(TDateTime d) {
    d = Pinned(d);
    std::int64_t days = static_cast<std::int64_t>(std::trunc(d));
    std::int64_t ms = std::llround(std::fabs(d - std::trunc(d)) * kMsPerDay);
    if (ms >= kMsPerDay) { // the fraction rounded up to a whole day
        ms -= kMsPerDay;
        days += d < 0 ? -1 : 1;
    }
    DateTimeParts parts;
    CivilFromDays(days + kEpochShift, parts.Year, parts.Month, parts.Day);
    parts.Hour = static_cast<int>(ms / 3600000);
    parts.Minute = static_cast<int>(ms / 60000 % 60);
    parts.Second = static_cast<int>(ms / 1000 % 60);
    parts.Millisecond = static_cast<int>(ms % 1000);
    return parts;
}

std::optional<TDateTime> EncodeDateTime(const DateTimeParts& p) {
    if (p.Year < 1 || p.Year > 9999 || p.Month < 1 || p.Month > 12 || p.Day < 1 ||
        p.Day > DaysInMonth(p.Year, p.Month) || p.Hour < 0 || p.Hour > 23 || p.Minute < 0 ||
        p.Minute > 59 || p.Second < 0 || p.Second > 59 || p.Millisecond < 0 || p.Millisecond > 999)
        return std::nullopt;
    const auto days = static_cast<TDateTime>(
        DaysFromCivil(p.Year, static_cast<unsigned>(p.Month), static_cast<unsigned>(p.Day)) -
        kEpochShift);
    const TDateTime time =
        ((p.Hour * 60 + p.Minute) * 60 * 1000 + p.Second * 1000 + p.Millisecond) /
        static_cast<TDateTime>(kMsPerDay);
    return days >= 0 ? days + time : days - time;
}

std::optional<TDateTime> ParseDateTime(std::string_view text) {
    // Exactly "YYYY-MM-DD HH:MM:SS.mmm": check the shape, then the digits.
    static constexpr std::string_view kShape = "dddd-dd-dd dd:dd:dd.ddd";
    if (text.size() != kShape.size())
        return std::nullopt;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == 'd' ? !digit : text[i] != kShape[i])
            return std::nullopt;
    }
    const auto number = [&](std::size_t at, std::size_t width) {
        int value = 0;
        for (std::size_t i = at; i < at + width; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    return EncodeDateTime({number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2),
                           number(17, 2), number(20, 3)});
}

std::string FormatDateTime(TDateTime d) {
    const DateTimeParts p = DecodeDateTime(d);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d", p.Year, p.Month,
                  p.Day, p.Hour, p.Minute, p.Second, p.Millisecond);
    return buffer;
}

} // namespace zandrel
