#include "framework/hints/core/hint_geometry.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

constexpr DesktopArea kDesktop{0, 0, 1024, 768};

TEST(HintGeometryTest, TextBoundsAndPlaceBelowThePointer) {
    const HintRect size = HintTextBounds(40, 13);
    EXPECT_EQ(size, (HintRect{0, 0, 46, 15}));
    EXPECT_EQ(PlaceBelowPointer(size, {300, 200}, 32), (HintRect{300, 232, 346, 247}));
}

TEST(HintGeometryTest, ActivationAddsFourAtTheBottomAndStaysPutInsideTheDesktop) {
    EXPECT_EQ(ActivatedHintBounds({100, 50, 146, 65}, kDesktop), (HintRect{100, 50, 146, 69}));
    // Touching the bottom-right corner exactly is still on the desktop.
    EXPECT_EQ(ActivatedHintBounds({978, 749, 1024, 764}, kDesktop),
              (HintRect{978, 749, 1024, 768}));
}

TEST(HintGeometryTest, ActivationMovesAHintBackOntoTheDesktop) {
    // Off the bottom-right corner: up and left, the size kept.
    EXPECT_EQ(ActivatedHintBounds({1000, 760, 1046, 775}, kDesktop),
              (HintRect{978, 749, 1024, 768}));
    // Left of the desktop.
    EXPECT_EQ(ActivatedHintBounds({-30, 10, 16, 25}, kDesktop), (HintRect{0, 10, 46, 29}));
    // Wider than the desktop: the left edge wins.
    EXPECT_EQ(ActivatedHintBounds({500, 10, 1600, 25}, kDesktop), (HintRect{0, 10, 1100, 29}));
    // A desktop that starts left of 0: its width alone decides the right.
    const DesktopArea wide{-1280, 0, 2304, 1024};
    EXPECT_EQ(ActivatedHintBounds({2290, 10, 2336, 25}, wide), (HintRect{2258, 10, 2304, 29}));
    EXPECT_EQ(ActivatedHintBounds({-1300, 10, -1254, 25}, wide), (HintRect{-1280, 10, -1234, 29}));
}

TEST(HintGeometryTest, LongTextsStayLonger) {
    EXPECT_EQ(HintHidePause(0), 2500);
    EXPECT_EQ(HintHidePause(37), 2500);
    EXPECT_EQ(HintHidePause(100), 6600);
    EXPECT_EQ(HintHidePause(5000), 60000);
}

} // namespace
} // namespace zandrel
