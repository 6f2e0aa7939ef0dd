#include "framework/core/work_area.h"

#include <algorithm>

namespace zandrel {

WindowOrigin KeepOnWorkArea(const MonitorArea& work, int left, int top, int width, int height) {
    left = std::max(left, work.Left);
    left = std::min(left, work.Right - width);
    top = std::min(top, work.Bottom - height);
    top = std::max(top, work.Top);
    return {left, top};
}

WindowOrigin CentreOnWorkArea(const MonitorArea& work, int width, int height) {
    const int left = work.Left + (work.Right - work.Left - width) / 2;
    const int top = work.Top + (work.Bottom - work.Top - height) / 2;
    return KeepOnWorkArea(work, left, top, width, height);
}

} // namespace zandrel
