#include "framework/core/date_time_text.h"

namespace zandrel {

std::string DateTimeToText(TDateTime value, const DateTimeFormats& formats) {
    const DateTimeParts parts = DecodeDateTime(value);
    std::string text = formats.ShortDate(parts);
    if (parts.Hour != 0 || parts.Minute != 0 || parts.Second != 0 || parts.Millisecond != 0) {
        text += ' ';
        text += formats.LongTime(parts);
    }
    return text;
}

} // namespace zandrel
