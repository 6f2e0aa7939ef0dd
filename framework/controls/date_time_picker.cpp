#include "framework/controls/date_time_picker.h"

#include "framework/system_date_time.h"
#include "storage/core/datetime.h"

#include <commctrl.h>

namespace zandrel {
namespace {

ControlWindow PickerWindow(ComponentKind kind) {
    const DWORD format = kind == ComponentKind::TimePicker ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
    return {DATETIMEPICK_CLASSA, format | WS_TABSTOP};
}

} // namespace

DateTimePicker::DateTimePicker(const ComponentDescription& description, HWND parent, int id)
    : Control(description, parent, id, PickerWindow(description.Kind)) {
    if (description.FontColor) {
        SendMessageA(Handle(), DTM_SETMCCOLOR, MCSC_TEXT, ColorRef(*description.FontColor));
    }
}

void DateTimePicker::Notify(const NMHDR& header) {
    if (header.code == DTN_DATETIMECHANGE) {
        Fire(OnChange);
    }
}

TDateTime DateTimePicker::DateTime() const {
    SYSTEMTIME time{};
    if (SendMessageA(Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) !=
        GDT_VALID) {
        return 0;
    }
    return EncodeDateTime(ToDateTimeParts(time)).value_or(0);
}

void DateTimePicker::SetDateTime(TDateTime value) {
    SYSTEMTIME time = ToSystemTime(DecodeDateTime(value));
    SendMessageA(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

} // namespace zandrel
