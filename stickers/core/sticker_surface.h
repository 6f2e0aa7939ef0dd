#pragma once
// The shape of a sticker and what the pointer does on it: everything the
// sticker window computes, without the window. The figures are those of a
// sticker at 96 DPI; at another DPI each one is scaled.
#include "framework/core/dpi_scale.h"
#include "stickers/core/sticker_cascade.h"

#include <array>
#include <string_view>

namespace zandrel {

struct PixelPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A closed polygon: the last point joins the first.
using StickerPolygon = std::array<PixelPoint, 5>;

// The window region of a sticker whose frame and caption are those of the
// classic sizeable captioned window (client origin at (4, 23) of the window).
// Window coordinates; CW client width, H window height.
StickerPolygon ClassicStickerRegion(int clientWidth, int windowHeight);

// The window region for the real frame: clientOrigin is where the client
// area's (0, 0) lies in window coordinates (left frame width; top frame plus
// caption height). The region follows the painted outline, grown outwards
// just enough that its pen stays visible, and never reaches beyond the
// client area, so no frame or caption shows whatever their sizes.
StickerPolygon StickerRegion(int clientWidth, int clientHeight, PixelPoint clientOrigin,
                             DpiScale scale = {});

// The painted outline in client coordinates, closed, and its pen's width
// (2 at 96 DPI).
std::array<PixelPoint, 6> StickerOutline(int clientWidth, int clientHeight, DpiScale scale = {});
int OutlinePenWidth(DpiScale scale = {});

// The pin bitmap's place (15 x 14 at 96 DPI, unscaled there).
PixelRect PinRect(DpiScale scale = {});
// The banner bitmap is stretched into this.
PixelRect BannerRect(int clientWidth, DpiScale scale = {});
// The folded corner: a white rectangle crossed by its diagonal from
// (Left, Top) to (Right, Bottom).
PixelRect FoldedCornerRect(int clientWidth, DpiScale scale = {});
// RichEdit1 on a resize; never negative, also on the 0 x 0 placeholder.
WindowBounds TextBounds(int clientWidth, int clientHeight, DpiScale scale = {});

// Screen cursor slots.
inline constexpr int DefaultCursorSlot = 0;
inline constexpr int WebCursorSlot = 51;

// The cursor for a pointer movement over the sticker's surface: the web
// cursor over the folded corner (X >= CW - 14 and Y <= 14).
int StickerCursor(int clientWidth, int x, int y, DpiScale scale = {});

enum class StickerPress {
    None,          // an ordinary client-area press
    ToggleHeight,  // the pin
    OpenHomePage,  // the folded corner
    StorePosition, // anything else: the press drags the sticker
};

// WM_NCHITTEST: decided from the last pointer movement seen over the surface,
// not from the query's own point. The action zones (X < 14, Y < 14 and
// X > CW - 14, Y < 14) are a pixel smaller than the cursor zone.
StickerPress DecideStickerPress(bool leftButtonDown, bool hitReady, int lastMouseX, int lastMouseY,
                                int clientWidth, DpiScale scale = {});

// The hit-test answer: caption (a drag) for StorePosition, client otherwise.
inline bool AnswersCaption(StickerPress press) {
    return press == StickerPress::StorePosition;
}

struct HeightToggle {
    int Height = 0;
    std::string_view Sound;
};

// The pin: a sticker higher than StickerHeightNormal - 10 rolls up to
// StickerHeightShort with "Revup2", any other rolls down to
// StickerHeightNormal with "Revdn2" (each height scaled).
HeightToggle ToggleStickerHeight(int windowHeight, DpiScale scale = {});

// Where a double-click on a sticker puts the main window: centred on an axis
// on which it is off the screen (Left <= 0 or Left > screen width - 50;
// Top < 0 or Top > screen height - 50), unchanged on the other.
ScreenPosition MainWindowPlacement(WindowBounds mainWindow, ScreenSize screen);

} // namespace zandrel
