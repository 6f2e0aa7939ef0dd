#include "extras/core/cool_hint_geometry.h"

namespace zandrel {

CoolHintShape EnlargeForEllipse(HintRect rect, int wwwwWidth, DpiScale scale) {
    rect.Right += wwwwWidth;
    rect.Bottom += scale.Scale(10);
    return {rect, rect.Width(), rect.Height()};
}

} // namespace zandrel
