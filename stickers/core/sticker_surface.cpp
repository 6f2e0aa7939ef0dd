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

StickerPolygon StickerRegion(int clientWidth, int clientHeight, PixelPoint clientOrigin,
                             DpiScale scale) {
    // The outline's pen of width P covers P / 2 pixels left of and above each
    // line and (P - 1) / 2 right of and below it (at 96 DPI: P = 2, the pixel
    // before each line and the line's own). A region keeps the pixels left of
    // its right edge and above its bottom edge, so its right edge goes one
    // pixel past the pen, its left and top edges on the pen's first pixels
    // (the client's first at 96 DPI), its bottom on the client's bottom (the
    // outline's bottom line lies just below). The diagonal moves as far up
    // and right, which keeps the whole slanted line. Nothing of the frame or
    // caption is inside, so the shape does not depend on their sizes.
    const auto outline = StickerOutline(clientWidth, clientHeight, scale);
    const int pen = OutlinePenWidth(scale);
    const int grow = (pen - 1) / 2 + 1;
    const int left = std::max(outline[0].X - pen / 2, 0);
    const int top = std::max(outline[0].Y - pen / 2, 0);
    auto grown = [grow, top](PixelPoint point) {
        return PixelPoint{point.X + grow, std::max(point.Y - grow, top)};
    };
    const StickerPolygon client = {{{left, top},
                                    grown(outline[1]),
                                    grown(outline[2]),
                                    {outline[3].X + grow, clientHeight},
                                    {left, clientHeight}}};
    return Offset(client, clientOrigin);
}

std::array<PixelPoint, 6> StickerOutline(int clientWidth, int clientHeight, DpiScale scale) {
    const int cw = clientWidth;
    const int ch = clientHeight;
    const int edge = scale.Scale(1);
    return {{{edge, edge},
             {cw - scale.Scale(14), edge},
             {cw - scale.Scale(4), scale.Scale(12)},
             {cw - scale.Scale(4), ch},
             {edge, ch},
             {edge, edge}}};
}

int OutlinePenWidth(DpiScale scale) {
    return scale.Scale(2);
}

PixelRect PinRect(DpiScale scale) {
    return {scale.Scale(3), scale.Scale(3), scale.Scale(3 + 15), scale.Scale(3 + 14)};
}

PixelRect BannerRect(int clientWidth, DpiScale scale) {
    return {scale.Scale(100), scale.Scale(3), clientWidth - scale.Scale(20), scale.Scale(20)};
}

PixelRect FoldedCornerRect(int clientWidth, DpiScale scale) {
    return {clientWidth - scale.Scale(14), scale.Scale(1), clientWidth - scale.Scale(4),
            scale.Scale(11)};
}

WindowBounds TextBounds(int clientWidth, int clientHeight, DpiScale scale) {
    return {scale.Scale(3), scale.Scale(20), std::max(clientWidth - scale.Scale(8), 0),
            std::max(clientHeight - scale.Scale(22), 0)};
}

int StickerCursor(int clientWidth, int x, int y, DpiScale scale) {
    const int zone = scale.Scale(CornerZone);
    return x >= clientWidth - zone && y <= zone ? WebCursorSlot : DefaultCursorSlot;
}

StickerPress DecideStickerPress(bool leftButtonDown, bool hitReady, int lastMouseX, int lastMouseY,
                                int clientWidth, DpiScale scale) {
    if (!leftButtonDown || !hitReady)
        return StickerPress::None;
    const int zone = scale.Scale(CornerZone);
    if (lastMouseX < zone && lastMouseY < zone)
        return StickerPress::ToggleHeight;
    if (lastMouseX > clientWidth - zone && lastMouseY < zone)
        return StickerPress::OpenHomePage;
    return StickerPress::StorePosition;
}

HeightToggle ToggleStickerHeight(int windowHeight, DpiScale scale) {
    if (windowHeight > scale.Scale(StickerHeightNormal - 10))
        return {scale.Scale(StickerHeightShort), "Revup2"};
    return {scale.Scale(StickerHeightNormal), "Revdn2"};
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
