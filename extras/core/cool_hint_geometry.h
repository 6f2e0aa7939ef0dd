#pragma once
// The shape of the rounded hint: the hint rectangle enlarged around its text
// and the ellipse that fills it.
#include "framework/hints/core/hint_geometry.h"

namespace zandrel {

struct CoolHintShape {
    HintRect Bounds;
    int EllipseWidth = 0;
    int EllipseHeight = 0;
};

// rect widened by the width of "WWWW" in the hint font and made 10 pixels
// (at 96 DPI) taller; the ellipse is as wide and as high as that. The base hint window
// adds its 4 pixels afterwards, so the ellipse ends 4 pixels above the
// window's bottom.
CoolHintShape EnlargeForEllipse(HintRect rect, int wwwwWidth, DpiScale scale = {});

} // namespace zandrel
