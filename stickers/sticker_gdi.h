#pragma once
// The drawing objects of the stickers. Fonts and pens are shared, made when
// first asked for and freed with their owner, the sticker board: one text
// font per face and pixel height (so per size and DPI) and one black pen per
// width. A sticker holds no GDI object of its own beyond its window region.
// An object the system refuses (at its limit of objects) falls back to a
// stock one, and a refused outline region to the plain client area, so that
// the sticker stays whole; a shared object refused is asked for again next
// time.
#include "framework/handles.h"

#include <functional>
#include <map>
#include <span>
#include <string>
#include <utility>

namespace zandrel {

// The calls that make the objects: the system's, unless a test puts in a
// stand-in that refuses some.
struct GdiMaker {
    std::function<HFONT(const LOGFONTA&)> Font = [](const LOGFONTA& font) {
        return CreateFontIndirectA(&font);
    };
    std::function<HPEN(int width)> Pen = [](int width) {
        return CreatePen(PS_SOLID, width, RGB(0, 0, 0));
    };
    std::function<HRGN(std::span<const POINT>)> Polygon = [](std::span<const POINT> points) {
        return CreatePolygonRgn(points.data(), int(points.size()), ALTERNATE);
    };
    std::function<HRGN(const RECT&)> Rectangle = [](const RECT& rect) {
        return CreateRectRgnIndirect(&rect);
    };
};

class StickerGdi {
public:
    explicit StickerGdi(GdiMaker maker = {}) : maker_(std::move(maker)) {}
    StickerGdi(const StickerGdi&) = delete;
    StickerGdi& operator=(const StickerGdi&) = delete;

    // Fixed pitch, normal weight; refused: the system's fixed-pitch font.
    HFONT TextFont(const std::string& face, int pixelHeight);
    // Solid; refused: the stock black pen, one pixel wide.
    HPEN BlackPen(int width);
    // The region of `outline`; refused: the rectangle `plain`; null when the
    // system refuses that too.
    RegionHandle Region(std::span<const POINT> outline, const RECT& plain) const;

private:
    GdiMaker maker_;
    std::map<std::pair<std::string, int>, FontHandle> fonts_;
    std::map<int, PenHandle> pens_;
};

} // namespace zandrel
