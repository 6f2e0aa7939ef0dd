#pragma once
// Where a hint window stands and for how long: the size made from the
// measured text, the place near the pointer, the bounds kept on the desktop.
#include "framework/core/dpi_scale.h"

#include <cstddef>

namespace zandrel {

struct HintRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const HintRect&, const HintRect&) = default;
};

struct HintPoint {
    int X = 0;
    int Y = 0;
};

// The desktop as the hint keeps to it.
struct DesktopArea {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// The pointer rests this long over a control before its hint shows.
constexpr int kHintShowPause = 500;

// A hint's rectangle at 0, 0 for text measured as textWidth by textHeight:
// 6 pixels wider and 2 higher than the text (at 96 DPI; the margins scale).
HintRect HintTextBounds(int textWidth, int textHeight, DpiScale scale = {});

// The rectangle moved so that its top-left corner lies under the pointer's
// tip, cursorHeight below it, clear of the cursor picture.
HintRect PlaceBelowPointer(const HintRect& rect, HintPoint pointer, int cursorHeight);

// The bounds a hint window takes for rect: 4 pixels more at the bottom, then
// moved back onto the desktop where it would run off its bottom, its right
// or its left.
HintRect ActivatedHintBounds(HintRect rect, const DesktopArea& desktop, DpiScale scale = {});

// How long a hint stays on the screen, in milliseconds: 2500, or for a long
// text long enough to read it at about 15 characters a second, up to a
// minute.
int HintHidePause(std::size_t textLength);

} // namespace zandrel
