#include "stickers/shared_gdi_objects.h"

namespace zandrel {

HFONT SharedGdiObjects::TextFont(const std::string& face, int pixelHeight) {
    FontHandle& font = fonts_[{face, pixelHeight}];
    if (!font) {
        font.reset(CreateFontA(pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face.c_str()));
    }
    return font ? font.get() : static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
}

HPEN SharedGdiObjects::BlackPen(int width) {
    PenHandle& pen = pens_[width];
    if (!pen) {
        pen.reset(CreatePen(PS_SOLID, width, RGB(0, 0, 0)));
    }
    return pen ? pen.get() : static_cast<HPEN>(GetStockObject(BLACK_PEN));
}

} // namespace zandrel
