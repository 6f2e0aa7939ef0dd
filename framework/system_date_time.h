#pragma once
// The standard date-time text in the user's own formats (see
// date_time_text.h).
#include "framework/core/date_time_text.h"

#include <windows.h>

namespace zandrel {

// GetDateFormatA with DATE_SHORTDATE and GetTimeFormatA with the default
// (long) time format, for the user's locale.
class SystemDateTimeFormats : public DateTimeFormats {
public:
    std::string ShortDate(const DateTimeParts& parts) const override;
    std::string LongTime(const DateTimeParts& parts) const override;
};

std::string DateTimeToText(TDateTime value);

// The platform's date-time record, field by field.
SYSTEMTIME ToSystemTime(const DateTimeParts& parts);
DateTimeParts ToDateTimeParts(const SYSTEMTIME& time);

} // namespace zandrel
