#include "framework/system_date_time.h"

namespace zandrel {
namespace {

template <typename Format> std::string Formatted(Format format) {
    char text[128] = {};
    return format(text, int(sizeof text)) > 0 ? std::string(text) : std::string();
}

} // namespace

std::string SystemDateTimeFormats::ShortDate(const DateTimeParts& parts) const {
    const SYSTEMTIME time = ToSystemTime(parts);
    return Formatted([&](char* text, int size) {
        return GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, size);
    });
}

std::string SystemDateTimeFormats::LongTime(const DateTimeParts& parts) const {
    const SYSTEMTIME time = ToSystemTime(parts);
    return Formatted([&](char* text, int size) {
        return GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, size);
    });
}

std::string DateTimeToText(TDateTime value) {
    return DateTimeToText(value, SystemDateTimeFormats());
}

SYSTEMTIME ToSystemTime(const DateTimeParts& parts) {
    SYSTEMTIME time{};
    time.wYear = WORD(parts.Year);
    time.wMonth = WORD(parts.Month);
    time.wDay = WORD(parts.Day);
    time.wHour = WORD(parts.Hour);
    time.wMinute = WORD(parts.Minute);
    time.wSecond = WORD(parts.Second);
    time.wMilliseconds = WORD(parts.Millisecond);
    return time;
}

DateTimeParts ToDateTimeParts(const SYSTEMTIME& time) {
    DateTimeParts parts;
    parts.Year = time.wYear;
    parts.Month = time.wMonth;
    parts.Day = time.wDay;
    parts.Hour = time.wHour;
    parts.Minute = time.wMinute;
    parts.Second = time.wSecond;
    parts.Millisecond = time.wMilliseconds;
    return parts;
}

} // namespace zandrel
