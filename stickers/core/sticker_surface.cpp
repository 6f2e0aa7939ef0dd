#include "stickers/core/sticker_surface.h"

#include <algorithm>

namespace zandrel {

namespace {

constexpr int CornerZone = 14;
constexpr int MainWindowMargin = 50;

StickerPolygon Offset(StickerPolygon polygon, PixelPoint by) {
    for (PixelPoint& point : polygon)
        point = {point.X + by.X, point.Y + by.Y};
    return polygon;
}

} // namespace

StickerPolygon ClassicStickerRegion(int clientWidth, int windowHeight) {
    const int cw = clientWidth;
    const int h = windowHeight;
    return {{{3, 23}, {cw - 10, 23}, {cw, 33}, {cw, h - 2}, {3, h - 2}}};
}

StickerPolygon StickerRegion(int clientWidth, int clientHeight, PixelPoint clientOrigin) {
    // The outline runs along (1,1) (CW-14,1) (CW-4,12) (CW-4,CH) (1,CH) with a
    // 2-pixel pen, which covers the pixel before each line as well: columns 0-1
    // and CW-5..CW-4, rows 0-1 and CH-1 (row CH is outside the client area).
    // A region keeps the pixels left of its right edge and above its bottom
    // edge, so the edges go at x = CW-3 and y = CH (the client's bottom), and
    // at 0 on the top and left. The diagonal moves one pixel up and one right,
    // which keeps the whole slanted line. Nothing of the frame or caption is
    // inside, so the shape does not depend on their sizes.
    const int cw = clientWidth;
    const int ch = clientHeight;
    const StickerPolygon client = {{{0, 0}, {cw - 13, 0}, {cw - 3, 11}, {cw - 3, ch}, {0, ch}}};
    return Offset(client, clientOrigin);
}

std::array<PixelPoint, 6> StickerOutline(int clientWidth, int clientHeight) {
    const int cw = clientWidth;
    const int ch = clientHeight;
    return {{{1, 1}, {cw - 14, 1}, {cw - 4, 12}, {cw - 4, ch}, {1, ch}, {1, 1}}};
}

PixelRect PinRect() {
    return {3, 3, 3 + 15, 3 + 14};
}

PixelRect BannerRect(int clientWidth) {
    return {100, 3, clientWidth - 20, 20};
}

PixelRect FoldedCornerRect(int clientWidth) {
    return {clientWidth - 14, 1, clientWidth - 4, 11};
}

WindowBounds TextBounds(int clientWidth, int clientHeight) {
    return {3, 20, std::max(clientWidth - 8, 0), std::max(clientHeight - 22, 0)};
}

int StickerCursor(int clientWidth, int x, int y) {
    return x >= clientWidth - CornerZone && y <= CornerZone ? WebCursorSlot : DefaultCursorSlot;
}

StickerPress DecideStickerPress(bool leftButtonDown, bool hitReady, int lastMouseX, int lastMouseY,
                                int clientWidth) {
    if (!leftButtonDown || !hitReady)
        return StickerPress::None;
    if (lastMouseX < CornerZone && lastMouseY < CornerZone)
        return StickerPress::ToggleHeight;
    if (lastMouseX > clientWidth - CornerZone && lastMouseY < CornerZone)
        return StickerPress::OpenHomePage;
    return StickerPress::StorePosition;
}

HeightToggle ToggleStickerHeight(int windowHeight) {
    if (windowHeight > StickerHeightNormal - 10)
        return {StickerHeightShort, "Revup2"};
    return {StickerHeightNormal, "Revdn2"};
}

ScreenPosition MainWindowPlacement(WindowBounds mainWindow, ScreenSize screen) {
    ScreenPosition position{mainWindow.Left, mainWindow.Top};
    // Integer division truncates toward zero, also for a window wider than
    // the screen.
    if (position.Left <= 0 || position.Left > screen.Width - MainWindowMargin)
        position.Left = (screen.Width - mainWindow.Width) / 2;
    if (position.Top < 0 || position.Top > screen.Height - MainWindowMargin)
        position.Top = (screen.Height - mainWindow.Height) / 2;
    return position;
}

} // namespace zandrel
