#pragma once
// The arithmetic of the scrolling marquee: where the strip of lines lies, the
// part of the control it shows, and the strip row at the control's top.
// The strip holds one control height of blank rows, the lines, and one more
// control height of blank rows.

namespace zandrel {

struct MarqueeRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool operator==(const MarqueeRect&) const = default;
};

class MarqueeScroll {
public:
    // Places the strip for lineCount lines of lineHeight pixels in a control
    // of width x height with a bevel of bevelWidth pixels.
    void LayoutStrip(int width, int height, int lineCount, int lineHeight, int bevelWidth);
    // The strip row where line `index` begins.
    int LineTop(int index) const { return height_ + index * lineHeight_; }
    // Upward scrolling starts with the blank rows above the lines, downward
    // with the blank rows below them.
    void ResetOffset();
    // One pixel per tick. Upward: 0 ... clientHeight + lines, then 0 again.
    // Downward: from the last start down to 0, then back to the start.
    void AdvanceOffset(int clientHeight);

    bool ScrollDown = false;
    const MarqueeRect& StripRect() const { return stripRect_; }
    const MarqueeRect& ViewRect() const { return viewRect_; }
    int Offset() const { return offset_; }

private:
    MarqueeRect stripRect_;
    MarqueeRect viewRect_;
    int height_ = 0;
    int lineCount_ = 0;
    int lineHeight_ = 0;
    int offset_ = 0;
};

} // namespace zandrel
