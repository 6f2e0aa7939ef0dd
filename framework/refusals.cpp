#include "framework/refusals.h"

#include "framework/application.h"

namespace zandrel {

void Refusals::Tell(const SystemError& error) {
    if (told_.insert(error.Call()).second) {
        App().ReportError(error.what());
    }
}

HBRUSH SolidBrush(HDC dc, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

HFONT FontOrSystem(const FontHandle& font) {
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void ClipWindow(HWND window, const std::function<HRGN()>& makeRegion, const char* call,
                const std::string& failure) {
    SetLastError(ERROR_SUCCESS); // GDI may refuse without a reason: none rather than a stale one
    RegionHandle region(makeRegion());
    if (!region) {
        throw SystemError(failure, call);
    }
    if (!SetWindowRgn(window, region.get(), TRUE)) {
        throw SystemError(failure, "SetWindowRgn");
    }
    region.release();
}

} // namespace zandrel
