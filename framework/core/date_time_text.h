#pragma once
// The standard text of a date-time, as the New command's text, the warning
// pop-up and the catalog show it: the short date, a blank and the long time,
// or the date alone at exactly midnight. The shell supplies the system's
// formats.
#include "storage/core/clock.h"
#include "storage/core/datetime.h"

#include <string>

namespace zandrel {

class DateTimeFormats {
public:
    virtual ~DateTimeFormats() = default;
    virtual std::string ShortDate(const DateTimeParts& parts) const = 0;
    virtual std::string LongTime(const DateTimeParts& parts) const = 0;
};

// To the millisecond: a moment that rounds to 00:00:00.000 is midnight.
std::string DateTimeToText(TDateTime value, const DateTimeFormats& formats);

} // namespace zandrel
