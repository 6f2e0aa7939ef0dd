#pragma once
// Date pickers and time pickers; both run OnChange when their value changes.
#include "framework/controls/control.h"
#include "storage/core/clock.h"

namespace zandrel {

class DateTimePicker : public Control {
public:
    DateTimePicker(const ComponentDescription& description, HWND parent, int id);
    void Notify(const NMHDR& header) override;

    // The whole date-time the picker holds (a date picker's time of day and a
    // time picker's date are whatever it keeps).
    TDateTime DateTime() const;
    void SetDateTime(TDateTime value);
};

} // namespace zandrel
