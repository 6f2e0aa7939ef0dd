#include "extras/core/cool_hint_geometry.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

constexpr DesktopArea kDesktop{0, 0, 1024, 768};

// What the window finally covers for text measured as width by height.
struct Shown {
    CoolHintShape shape;
    HintRect window;
};
Shown Show(int textWidth, int textHeight, HintPoint pointer, int wwww) {
    const HintRect placed = PlaceBelowPointer(HintTextBounds(textWidth, textHeight), pointer, 32);
    const CoolHintShape shape = EnlargeForEllipse(placed, wwww);
    return {shape, ActivatedHintBounds(shape.Bounds, kDesktop)};
}

TEST(CoolHintGeometryTest, OneWordIsWiderByWwwwAndTallerByTenAndFour) {
    const Shown bold = Show(22, 13, {100, 100}, 48);
    EXPECT_EQ(bold.window.Width(), 22 + 6 + 48);
    EXPECT_EQ(bold.window.Height(), 13 + 2 + 10 + 4);
    EXPECT_EQ(bold.window.Left, 100);
    EXPECT_EQ(bold.window.Top, 132);
    // The ellipse fills the window but its bottom 4 pixels.
    EXPECT_EQ(bold.shape.EllipseWidth, bold.window.Width());
    EXPECT_EQ(bold.shape.EllipseHeight, bold.window.Height() - 4);
}

TEST(CoolHintGeometryTest, NearTheBottomRightCornerTheWholeWindowStaysOnTheDesktop) {
    const Shown corner = Show(22, 13, {1020, 760}, 48);
    EXPECT_EQ(corner.window.Right, 1024);
    EXPECT_EQ(corner.window.Bottom, 768);
    EXPECT_EQ(corner.window.Width(), 76);
    EXPECT_EQ(corner.window.Height(), 29);
}

TEST(CoolHintGeometryTest, TheEllipseGrowsWithTheLinesOfALongText) {
    const Shown one = Show(1000, 13, {0, 0}, 48);
    const Shown three = Show(1000, 39, {0, 0}, 48);
    EXPECT_EQ(three.shape.EllipseHeight - one.shape.EllipseHeight, 26);
    EXPECT_EQ(three.shape.EllipseWidth, 1000 + 6 + 48);
    // Wider than the desktop once enlarged: it starts at the desktop's left.
    EXPECT_EQ(three.window.Left, 0);
}

} // namespace
} // namespace zandrel
