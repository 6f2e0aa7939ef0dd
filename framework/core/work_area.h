#pragma once
// Where a window goes on the screen's work area (the screen less the task
// bar).
#include "storage/core/clock.h"

namespace zandrel {

struct WindowOrigin {
    int Left = 0;
    int Top = 0;
};

// The window at left, top moved the least so that its caption and its close
// box lie on the work area: its top and right edges inside it, and its left
// and bottom edges too where the window is not wider or taller than it.
WindowOrigin KeepOnWorkArea(const MonitorArea& work, int left, int top, int width, int height);

// Centred on the work area, and kept on it.
WindowOrigin CentreOnWorkArea(const MonitorArea& work, int width, int height);

} // namespace zandrel
