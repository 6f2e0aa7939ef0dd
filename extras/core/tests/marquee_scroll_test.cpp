#include "extras/core/marquee_scroll.h"

#include <gtest/gtest.h>

#include <vector>

namespace zandrel {
namespace {

// The offsets of `ticks` ticks after the start.
std::vector<int> Offsets(MarqueeScroll& scroll, int clientHeight, int ticks) {
    std::vector<int> offsets{scroll.Offset()};
    for (int i = 0; i < ticks; ++i) {
        scroll.AdvanceOffset(clientHeight);
        offsets.push_back(scroll.Offset());
    }
    return offsets;
}

TEST(MarqueeScrollTest, LaysOutTheStripWithAControlHeightOfBlankRowsAroundTheLines) {
    MarqueeScroll scroll;
    scroll.LayoutStrip(224, 70, 59, 13, 1);
    EXPECT_EQ(scroll.StripRect(), (MarqueeRect{0, 0, 224, 59 * 13 + 140}));
    EXPECT_EQ(scroll.ViewRect(), (MarqueeRect{1, 1, 222, 68}));
    EXPECT_EQ(scroll.LineTop(0), 70);
    EXPECT_EQ(scroll.LineTop(2), 96); // an empty line 1 keeps its 13 rows
    EXPECT_EQ(scroll.LineTop(59), scroll.StripRect().Bottom - 70);
}

TEST(MarqueeScrollTest, UpwardRunsFromZeroThroughTheLinesAndStartsAgain) {
    MarqueeScroll scroll;
    scroll.LayoutStrip(100, 70, 3, 13, 1);
    scroll.ResetOffset();
    const std::vector<int> offsets = Offsets(scroll, 70, 111);
    for (int tick = 0; tick <= 109; ++tick) {
        ASSERT_EQ(offsets[tick], tick);
    }
    EXPECT_EQ(offsets[110], 0); // 110 ticks, 5.5 seconds, per pass
    EXPECT_EQ(offsets[111], 1);
}

TEST(MarqueeScrollTest, DownwardStartsBelowTheLinesAndCountsDownToZero) {
    MarqueeScroll scroll;
    scroll.ScrollDown = true;
    scroll.LayoutStrip(100, 70, 1, 13, 1);
    scroll.ResetOffset();
    EXPECT_EQ(scroll.Offset(), 13 + 70);
    const std::vector<int> offsets = Offsets(scroll, 70, 84);
    EXPECT_EQ(offsets[83], 0);
    EXPECT_EQ(offsets[84], 83);
}

} // namespace
} // namespace zandrel
