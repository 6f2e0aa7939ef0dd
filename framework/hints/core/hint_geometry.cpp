#include "framework/hints/core/hint_geometry.h"

#include <algorithm>

namespace zandrel {

HintRect HintTextBounds(int textWidth, int textHeight, DpiScale scale) {
    return {0, 0, textWidth + scale.Scale(6), textHeight + scale.Scale(2)};
}

HintRect PlaceBelowPointer(const HintRect& rect, HintPoint pointer, int cursorHeight) {
    const int top = pointer.Y + cursorHeight;
    return {pointer.X, top, pointer.X + rect.Width(), top + rect.Height()};
}

HintRect ActivatedHintBounds(HintRect rect, const DesktopArea& desktop, DpiScale scale) {
    rect.Bottom += scale.Scale(4);
    const int width = rect.Width();
    const int height = rect.Height();
    if (rect.Top + height > desktop.Height) {
        rect.Top = desktop.Height - height;
    }
    if (rect.Left + width > desktop.Width) {
        rect.Left = desktop.Width - width;
    }
    if (rect.Left < desktop.Left) {
        rect.Left = desktop.Left;
    }
    return {rect.Left, rect.Top, rect.Left + width, rect.Top + height};
}

int HintHidePause(std::size_t textLength) {
    constexpr int shortest = 2500;
    constexpr std::size_t perCharacter = 66, longest = 60000;
    return int(std::clamp<std::size_t>(textLength * perCharacter, shortest, longest));
}

} // namespace zandrel
