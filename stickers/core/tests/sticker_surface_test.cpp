#include "stickers/core/sticker_surface.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zandrel {
namespace {

constexpr int CW = 202;
constexpr int CH = 46;

TEST(StickerRegionTest, ClassicRegionCutsCaptionFrameAndCorner) {
    const StickerPolygon expected = {{{3, 23}, {192, 23}, {202, 33}, {202, 67}, {3, 67}}};
    EXPECT_EQ(ClassicStickerRegion(CW, 69), expected);
}

TEST(StickerRegionTest, RegionFollowsTheOutlineInsideTheClientArea) {
    const PixelPoint origin{8, 31};
    const StickerPolygon region = StickerRegion(CW, CH, origin);
    const auto outline = StickerOutline(CW, CH);
    // The region's left and top edges lie on the client's, the right edge just
    // past the outline's right line, the bottom on the client's bottom.
    EXPECT_EQ(region[0], (PixelPoint{8, 31}));
    EXPECT_EQ(region[3], (PixelPoint{8 + outline[3].X + 1, 31 + CH}));
    EXPECT_EQ(region[4], (PixelPoint{8, 31 + CH}));
    // The cut corner runs parallel to the outline's, one pixel up and right.
    EXPECT_EQ(region[1], (PixelPoint{8 + outline[1].X + 1, 31 + outline[1].Y - 1}));
    EXPECT_EQ(region[2], (PixelPoint{8 + outline[2].X + 1, 31 + outline[2].Y - 1}));
}

TEST(StickerRegionTest, ClassicFrameGivesNearlyTheClassicRegion) {
    const StickerPolygon derived = StickerRegion(CW, 69 - 23 - 4, {4, 23});
    const StickerPolygon classic = ClassicStickerRegion(CW, 69);
    for (std::size_t i = 0; i < derived.size(); ++i) {
        EXPECT_LE(std::abs(derived[i].X - classic[i].X), 1) << i;
        EXPECT_LE(std::abs(derived[i].Y - classic[i].Y), 2) << i;
    }
}

TEST(StickerPaintingTest, PartsOfTheSurface) {
    EXPECT_EQ(StickerOutline(CW, CH)[2], (PixelPoint{198, 12}));
    EXPECT_EQ(PinRect(), (PixelRect{3, 3, 18, 17}));
    EXPECT_EQ(BannerRect(CW), (PixelRect{100, 3, 182, 20}));
    EXPECT_EQ(FoldedCornerRect(CW), (PixelRect{188, 1, 198, 11}));
    EXPECT_EQ(TextBounds(CW, CH), (WindowBounds{3, 20, 194, 24}));
    EXPECT_EQ(TextBounds(0, 0), (WindowBounds{3, 20, 0, 0})); // the placeholder
}

TEST(StickerPointerTest, CursorZoneIsOnePixelLargerThanTheActionZone) {
    EXPECT_EQ(StickerCursor(CW, CW - 14, 14), WebCursorSlot);
    EXPECT_EQ(StickerCursor(CW, CW - 15, 14), DefaultCursorSlot);
    EXPECT_EQ(StickerCursor(CW, CW - 14, 15), DefaultCursorSlot);
    EXPECT_EQ(DecideStickerPress(true, true, CW - 14, 14, CW), StickerPress::StorePosition);
    EXPECT_EQ(DecideStickerPress(true, true, CW - 13, 13, CW), StickerPress::OpenHomePage);
}

TEST(StickerPointerTest, HitTestZonesInOrder) {
    EXPECT_EQ(DecideStickerPress(false, true, 5, 5, CW), StickerPress::None);
    EXPECT_EQ(DecideStickerPress(true, false, 5, 5, CW), StickerPress::None);
    EXPECT_EQ(DecideStickerPress(true, false, 100, 30, CW), StickerPress::None);
    EXPECT_EQ(DecideStickerPress(true, true, 13, 13, CW), StickerPress::ToggleHeight);
    EXPECT_EQ(DecideStickerPress(true, true, 14, 13, CW), StickerPress::StorePosition);
    EXPECT_EQ(DecideStickerPress(true, true, 100, 30, CW), StickerPress::StorePosition);
    // A narrow sticker whose zones overlap: the pin wins.
    EXPECT_EQ(DecideStickerPress(true, true, 5, 5, 10), StickerPress::ToggleHeight);
    EXPECT_TRUE(AnswersCaption(StickerPress::StorePosition));
    EXPECT_FALSE(AnswersCaption(StickerPress::ToggleHeight));
    EXPECT_FALSE(AnswersCaption(StickerPress::None));
}

TEST(StickerPointerTest, PinRollsUpAndDown) {
    const HeightToggle up = ToggleStickerHeight(140);
    EXPECT_EQ(up.Height, 70);
    EXPECT_EQ(up.Sound, "Revup2");
    const HeightToggle down = ToggleStickerHeight(up.Height);
    EXPECT_EQ(down.Height, 140);
    EXPECT_EQ(down.Sound, "Revdn2");
    EXPECT_EQ(ToggleStickerHeight(130).Height, 140);
    EXPECT_EQ(ToggleStickerHeight(131).Height, 70);
}

// At 144 DPI every figure is one and a half times its 96-DPI size, and the
// region keeps all of the outline's pen of 3 pixels.
TEST(StickerAtHighDpiTest, PartsZonesAndRegionScale) {
    const DpiScale scale(144);
    const int cw = 303, ch = 180;
    EXPECT_EQ(PinRect(scale), (PixelRect{5, 5, 27, 26}));
    EXPECT_EQ(BannerRect(cw, scale), (PixelRect{150, 5, cw - 30, 30}));
    EXPECT_EQ(FoldedCornerRect(cw, scale), (PixelRect{cw - 21, 2, cw - 6, 17}));
    EXPECT_EQ(TextBounds(cw, ch, scale), (WindowBounds{5, 30, cw - 12, ch - 33}));
    EXPECT_EQ(OutlinePenWidth(scale), 3);
    const auto outline = StickerOutline(cw, ch, scale);
    const StickerPolygon region = StickerRegion(cw, ch, {0, 0}, scale);
    EXPECT_EQ(region[0], (PixelPoint{outline[0].X - 1, outline[0].Y - 1}));
    EXPECT_EQ(region[1], (PixelPoint{outline[1].X + 2, outline[1].Y - 1}));
    EXPECT_EQ(region[3], (PixelPoint{outline[3].X + 2, ch}));
    EXPECT_EQ(StickerCursor(cw, cw - 21, 21, scale), WebCursorSlot);
    EXPECT_EQ(DecideStickerPress(true, true, 20, 20, cw, scale), StickerPress::ToggleHeight);
    EXPECT_EQ(DecideStickerPress(true, true, 21, 20, cw, scale), StickerPress::StorePosition);
    EXPECT_EQ(ToggleStickerHeight(210, scale).Height, 105);
    EXPECT_EQ(ToggleStickerHeight(195, scale).Height, 210);
}

TEST(MainWindowPlacementTest, CentresOnlyTheAxesOffTheScreen) {
    const ScreenSize screen{1024, 768};
    // At start-up the main window stands at -800.
    EXPECT_EQ(MainWindowPlacement({-800, 100, 600, 400}, screen), (ScreenPosition{212, 100}));
    EXPECT_EQ(MainWindowPlacement({0, 0, 600, 400}, screen), (ScreenPosition{212, 0}));
    EXPECT_EQ(MainWindowPlacement({974, 718, 600, 400}, screen), (ScreenPosition{974, 718}));
    EXPECT_EQ(MainWindowPlacement({975, 719, 600, 401}, screen), (ScreenPosition{212, 183}));
    EXPECT_EQ(MainWindowPlacement({10, -1, 600, 400}, screen), (ScreenPosition{10, 184}));
    // Wider than the screen: the division truncates toward zero.
    EXPECT_EQ(MainWindowPlacement({0, 10, 1027, 400}, screen), (ScreenPosition{-1, 10}));
}

} // namespace
} // namespace zandrel
