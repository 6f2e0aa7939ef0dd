#include "framework/core/work_area.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

// A 640 x 480 screen with a task bar of 30 pixels at the bottom: a window that
// fits is centred; a larger one keeps its caption and close box on it.
TEST(WorkAreaTest, CentredAndKeptWithItsCaptionAndCloseBoxOnTheWorkArea) {
    constexpr MonitorArea work{0, 0, 640, 450};
    struct Case {
        int width, height;
        int left, top;
    };
    const Case cases[] = {{300, 200, 170, 125}, {640, 480, 0, 0}, {760, 740, -120, 0}};
    for (const Case& c : cases) {
        const WindowOrigin origin = CentreOnWorkArea(work, c.width, c.height);
        EXPECT_EQ(origin.Left, c.left) << c.width << " x " << c.height;
        EXPECT_EQ(origin.Top, c.top) << c.width << " x " << c.height;
    }
    // Off the work area to the left, or to the right and below: back on it.
    EXPECT_EQ(KeepOnWorkArea(work, -800, 50, 300, 200).Left, 0);
    const WindowOrigin back = KeepOnWorkArea(work, 600, 400, 300, 200);
    EXPECT_EQ(back.Left, 340);
    EXPECT_EQ(back.Top, 250);
}

} // namespace
} // namespace zandrel
