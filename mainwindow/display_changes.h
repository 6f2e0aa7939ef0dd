#pragma once
// What the main window does when the displays change: the program's windows
// brought back onto the monitors, and its icons drawn for a new DPI.
#include "framework/core/monitor_placement.h"
#include "framework/form.h"
#include "framework/handles.h"

#include <functional>
#include <vector>

namespace zandrel {

// Every visible form of the program that lies on no monitor any more comes
// back onto the nearest one, but those that `staysPut` names.
void BringFormsOntoMonitors(const std::vector<MonitorArea>& monitors,
                            const std::function<bool(HWND)>& staysPut);

// A form's caption and task-switcher icons, drawn for its DPI.
class WindowIcons {
public:
    // Sets the icon resource's big and small icons at the form's DPI now.
    void SetFor(Form& form, const char* resource);

private:
    IconHandle big_;
    IconHandle small_;
};

} // namespace zandrel
