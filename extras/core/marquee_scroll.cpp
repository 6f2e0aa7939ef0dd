#include "extras/core/marquee_scroll.h"

namespace zandrel {

void MarqueeScroll::LayoutStrip(int width, int height, int lineCount, int lineHeight,
                                int bevelWidth) {
    height_ = height;
    lineCount_ = lineCount;
    lineHeight_ = lineHeight;
    stripRect_ = {0, 0, width, lineCount * lineHeight + 2 * height};
    viewRect_ = {bevelWidth, bevelWidth, width - 2 * bevelWidth, height - 2 * bevelWidth};
}

void MarqueeScroll::ResetOffset() {
    offset_ = ScrollDown ? stripRect_.Bottom - height_ : 0;
}

void MarqueeScroll::AdvanceOffset(int clientHeight) {
    if (!ScrollDown) {
        offset_ = offset_ > clientHeight + lineCount_ * lineHeight_ - 1 ? 0 : offset_ + 1;
    } else {
        offset_ = offset_ >= 1 ? offset_ - 1 : stripRect_.Bottom - height_;
    }
}

} // namespace zandrel
