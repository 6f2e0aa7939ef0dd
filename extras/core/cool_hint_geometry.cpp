#include "extras/core/cool_hint_geometry.h"

namespace zandrel {

CoolHintShape EnlargeForEllipse(HintRect rect, int wwwwWidth) {
    rect.Right += wwwwWidth;
    rect.Bottom += 10;
    return {rect, rect.Width(), rect.Height()};
}

} // namespace zandrel
