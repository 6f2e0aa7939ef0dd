#pragma once
// A font, a picture or a shape the system refuses must not cost a window: the
// window goes on with a stand-in (the system's font, a plain colour, its
// rectangle) and tells the user once why. Solid colours are painted with the
// DC's own brush, which the system never refuses.
#include "framework/handles.h"
#include "framework/system_error.h"

#include <functional>
#include <set>
#include <string>

namespace zandrel {

// The refusals a window has told the user of: one error report per failing
// call, however often it fails again (a hint at every mouse move).
class Refusals {
public:
    void Tell(const SystemError& error);

private:
    std::set<std::string> told_;
};

// The DC's own brush, set to colour.
HBRUSH SolidBrush(HDC dc, COLORREF colour);

// font, or the system's font for controls in its place.
HFONT FontOrSystem(const FontHandle& font);

// Clips window to the region makeRegion makes with `call`; the system owns it
// from then on. A refused region or clip leaves the window its rectangle and
// throws a SystemError that starts with `failure`.
void ClipWindow(HWND window, const std::function<HRGN()>& makeRegion, const char* call,
                const std::string& failure);

} // namespace zandrel
