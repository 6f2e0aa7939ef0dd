#pragma once
// Where a window goes when the monitors change under it.
#include "storage/core/clock.h"

#include <optional>
#include <span>

namespace zandrel {

struct WindowPlace {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// A window that lies on no monitor any more comes back onto the nearest one,
// moved no further than it must to lie wholly on it (or from its top-left
// corner, when it is larger); its size stays. Nothing for a window of which
// some part lies on a monitor, or when there is no monitor.
std::optional<WindowPlace> BackOntoMonitor(WindowPlace window,
                                           std::span<const MonitorArea> monitors);

} // namespace zandrel
