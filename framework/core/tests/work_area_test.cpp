#include "framework/core/work_area.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

// A 640 x 480 screen with a task bar of 30 pixels at the bottom.
constexpr MonitorArea kWork{0, 0, 640, 450};

TEST(WorkAreaTest, AWindowThatFitsIsCentredAndOneLargerShowsItsCaptionAndCloseBox) {
    struct Case {
        int width, height;
        WindowOrigin expected;
    };
    const Case cases[] = {
        {300, 200, {170, 125}}, // fits: centred
        {640, 480, {0, 0}},     // as wide, taller: caption at the top
        {760, 740, {-120, 0}},  // wider and taller: close box at the right edge
    };
    for (const Case& c : cases) {
        const WindowOrigin origin = CentreOnWorkArea(kWork, c.width, c.height);
        EXPECT_EQ(origin.Left, c.expected.Left) << c.width << " x " << c.height;
        EXPECT_EQ(origin.Top, c.expected.Top) << c.width << " x " << c.height;
    }
}

TEST(WorkAreaTest, AWindowOffTheWorkAreaComesBackTheLeastWay) {
    struct Case {
        int left, top;
        WindowOrigin expected;
    };
    const Case cases[] = {
        {100, 100, {100, 100}}, // on it: stays
        {-800, 50, {0, 50}},    // off to the left
        {600, 400, {340, 250}}, // off to the right and below
        {200, -40, {200, 0}},   // caption above the top
    };
    for (const Case& c : cases) {
        const WindowOrigin origin = KeepOnWorkArea(kWork, c.left, c.top, 300, 200);
        EXPECT_EQ(origin.Left, c.expected.Left) << c.left << ", " << c.top;
        EXPECT_EQ(origin.Top, c.expected.Top) << c.left << ", " << c.top;
    }
}

} // namespace
} // namespace zandrel
