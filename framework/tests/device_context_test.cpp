// The DC owners: a selection puts back what it replaced, and a DC that could
// not be had says so.
#include "framework/device_context.h"
#include "framework/handles.h"

#include <gtest/gtest.h>

namespace zandrel::testing {
namespace {

TEST(DeviceContextTest, SelectionsPutBackThePreviousObjectsInReverseOrder) {
    const WindowDc screen(nullptr);
    const MemoryDc dc(screen.Get());
    ASSERT_TRUE(dc);
    const HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_BRUSH);
    const BrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
    const BrushHandle blue(CreateSolidBrush(RGB(0, 0, 255)));
    {
        const Selection first(dc.Get(), red.get());
        {
            const Selection second(dc.Get(), blue.get());
            EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), blue.get());
        }
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), red.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), original);
}

TEST(DeviceContextTest, APrinterThatIsNotThereGivesNoDc) {
    const PrinterDc printer("Zandrel test printer that does not exist");
    EXPECT_FALSE(printer);
}

} // namespace
} // namespace zandrel::testing
