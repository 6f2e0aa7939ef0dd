#include "framework/core/dpi_scale.h"
#include "framework/core/monitor_placement.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

TEST(DpiScaleTest, DesignFiguresAtEachDpi) {
    const struct {
        int dpi, design, scaled;
    } cases[] = {{96, 140, 140}, {96, -11, -11}, {120, -11, -14}, {144, -11, -17},
                 {144, 69, 104}, {144, 15, 23},  {192, 43, 86},   {120, 1, 1},
                 {144, 1, 2},    {0, 30, 30},    {-5, 30, 30}};
    for (const auto& c : cases) {
        EXPECT_EQ(DpiScale(c.dpi).Scale(c.design), c.scaled) << c.dpi << " " << c.design;
    }
}

TEST(DpiScaleTest, NearestPictureScaleTheLargerOneHalfway) {
    const struct {
        int dpi, picture;
    } cases[] = {{72, 100},  {96, 100},  {119, 100}, {120, 150}, {144, 150},
                 {167, 150}, {168, 200}, {192, 200}, {288, 200}};
    for (const auto& c : cases) {
        EXPECT_EQ(DpiScale(c.dpi).PictureScale(), c.picture) << c.dpi;
    }
}

TEST(MonitorPlacementTest, AWindowOnNoMonitorComesBackOntoTheNearestOne) {
    const MonitorArea monitors[] = {{0, 0, 1024, 768}, {-1280, 0, 0, 1024}};
    const struct {
        WindowPlace window;
        std::optional<WindowPlace> back;
    } cases[] = {
        {{100, 100, 558, 442}, std::nullopt},            // on the primary monitor
        {{-10, 100, 558, 442}, std::nullopt},            // across both
        {{1020, 700, 558, 442}, std::nullopt},           // a corner still on it
        {{1500, 100, 558, 442}, {{466, 100, 558, 442}}}, // right of everything
        {{-1600, 900, 300, 200}, {{-1280, 824, 300, 200}}},
        {{200, -500, 300, 200}, {{200, 0, 300, 200}}},
        {{3000, 0, 2000, 200}, {{0, 0, 2000, 200}}}, // wider than the monitor
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BackOntoMonitor(c.window, monitors), c.back) << c.window.Left;
    }
    EXPECT_EQ(BackOntoMonitor({1500, 100, 10, 10}, {}), std::nullopt);
}

} // namespace
} // namespace zandrel
