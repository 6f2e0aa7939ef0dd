#pragma once
// The drawing objects the stickers share, made when first asked for and freed
// with their owner, the sticker board: one text font per face and pixel
// height (so per size and DPI) and one black pen per width. A sticker holds
// no GDI object of its own beyond its window region. One the system refuses
// (at its limit of objects) falls back to a stock object and is asked for
// again next time: the sticker stays whole.
#include "framework/handles.h"

#include <map>
#include <string>
#include <utility>

namespace zandrel {

class SharedGdiObjects {
public:
    SharedGdiObjects() = default;
    SharedGdiObjects(const SharedGdiObjects&) = delete;
    SharedGdiObjects& operator=(const SharedGdiObjects&) = delete;

    // Fixed pitch, normal weight; refused: the system's fixed-pitch font.
    HFONT TextFont(const std::string& face, int pixelHeight);
    // Solid; refused: the stock black pen, one pixel wide.
    HPEN BlackPen(int width);

private:
    std::map<std::pair<std::string, int>, FontHandle> fonts_;
    std::map<int, PenHandle> pens_;
};

} // namespace zandrel
