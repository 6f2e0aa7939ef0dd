#pragma once
// Date and time formats for tests that show which parts they were given:
// "DD/MM/YYYY" and "HH:MM:SS".
#include "framework/core/date_time_text.h"

#include <cstdio>
#include <string>

namespace zandrel::test {

class NumericFormats : public DateTimeFormats {
public:
    std::string ShortDate(const DateTimeParts& p) const override {
        char text[32];
        std::snprintf(text, sizeof text, "%02d/%02d/%04d", p.Day, p.Month, p.Year);
        return text;
    }
    std::string LongTime(const DateTimeParts& p) const override {
        char text[32];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", p.Hour, p.Minute, p.Second);
        return text;
    }
};

} // namespace zandrel::test
