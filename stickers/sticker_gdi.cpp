#include "stickers/sticker_gdi.h"

#include <cstring>

namespace zandrel {

HFONT StickerGdi::TextFont(const std::string& face, int pixelHeight) {
    FontHandle& font = fonts_[{face, pixelHeight}];
    if (!font) {
        LOGFONTA description{};
        description.lfHeight = pixelHeight;
        description.lfWeight = FW_NORMAL;
        description.lfCharSet = DEFAULT_CHARSET;
        description.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        strncpy(description.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        font.reset(maker_.Font(description));
    }
    return font ? font.get() : static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
}

HPEN StickerGdi::BlackPen(int width) {
    PenHandle& pen = pens_[width];
    if (!pen) {
        pen.reset(maker_.Pen(width));
    }
    return pen ? pen.get() : static_cast<HPEN>(GetStockObject(BLACK_PEN));
}

RegionHandle StickerGdi::Region(std::span<const POINT> outline, const RECT& plain) const {
    RegionHandle region(maker_.Polygon(outline));
    if (!region) {
        region.reset(maker_.Rectangle(plain));
    }
    return region;
}

} // namespace zandrel
