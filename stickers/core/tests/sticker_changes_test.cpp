#include "stickers/core/sticker_changes.h"

#include <gtest/gtest.h>

#include <vector>

namespace zandrel {
namespace {

PlannedSticker Planned(int index, std::optional<ScreenPosition> position = ScreenPosition{814, 0},
                       int dpi = kDesignDpi) {
    return {index, StickerName(index), false, StickerWidth, StickerHeightNormal, dpi, position};
}

ShownSticker Window(std::uintptr_t handle, std::string_view name, std::string_view text = "t",
                    bool visible = true, WindowBounds bounds = {814, 0, 210, 140},
                    int dpi = kDesignDpi) {
    return {handle, name, false, bounds, visible, text, dpi};
}

struct PlaceCase {
    const char* what;
    std::optional<ScreenPosition> wanted; // none: kept hidden
    bool visible;
    WindowBounds bounds;
    bool place;
    int dpi = kDesignDpi; // the plan's and the window's
};

// A hidden sticker's rectangle is never seen: it is not worth a move.
TEST(StickerChangesTest, AKeptWindowIsPlacedOnlyWhenWhatShowsDiffers) {
    const PlaceCase cases[] = {
        {"where it belongs", ScreenPosition{814, 0}, true, {814, 0, 210, 140}, false},
        {"rolled up", ScreenPosition{814, 0}, true, {814, 0, 210, 70}, true},
        {"dragged away", ScreenPosition{814, 0}, true, {300, 200, 210, 140}, true},
        {"shown again", ScreenPosition{814, 0}, false, {814, 0, 210, 140}, true},
        {"kept hidden", std::nullopt, true, {814, 0, 210, 140}, true},
        {"hidden, wherever it is", std::nullopt, false, {1, 2, 210, 70}, false},
        {"where it belongs at 144 DPI", ScreenPosition{814, 0}, true, {814, 0, 315, 210}, false, 144},
        {"at its 96-DPI size at 144 DPI", ScreenPosition{814, 0}, true, {814, 0, 210, 140}, true, 144},
    };
    for (const PlaceCase& c : cases) {
        const StickerPlan plan{{}, kDesignDpi, {Planned(0, c.wanted, c.dpi)}, 0};
        const StickerMessage message{7, "t"};
        const ShownSticker window = Window(7, "Memo_0", "t", c.visible, c.bounds, c.dpi);
        const StickerChanges changes = DiffStickers(plan, {&message, 1}, {&window, 1});
        EXPECT_EQ(changes.Updates[0].Place, c.place) << c.what;
    }
}

// Messages: 0 linked to window 10; 1 a copy put in place of the message of
// window 11 (not linked); 2 new; 3 not started, still linked to window 13;
// 4 linked to window 15, which its monitor's DPI change made out of date.
// Windows: 12 showed a deleted message, 14 was closed.
TEST(StickerChangesTest, WindowsFollowTheirLinksThenTheirNames) {
    const StickerMessage messages[] = {{10, "a"}, {0, "b"}, {0, "c"}, {13, "d"}, {15, "e"}};
    const StickerPlan plan{
        {}, kDesignDpi, {Planned(0), Planned(1), Planned(2), Planned(4, ScreenPosition{}, 144)}, 4};
    const ShownSticker shown[] = {Window(11, "Memo_1"), Window(10, "Memo_0"), Window(12, "Memo_5"),
                                  Window(13, "Memo_2"), Window(0, ""),        Window(15, "Memo_4")};
    const StickerChanges changes = DiffStickers(plan, messages, shown);
    ASSERT_EQ(changes.Updates.size(), 4u);
    EXPECT_EQ(changes.Updates[0].Window, std::optional<std::size_t>(1));
    EXPECT_EQ(changes.Updates[1].Window, std::optional<std::size_t>(0));
    EXPECT_TRUE(changes.Updates[1].Reload);
    // Window 13 bears the name Memo_2 but still belongs to message 3.
    EXPECT_EQ(changes.Updates[2].Window, std::nullopt);
    EXPECT_EQ(changes.Updates[3].Window, std::nullopt);
    EXPECT_EQ(changes.Gone, (std::vector<std::size_t>{2, 3, 4, 5}));
}

struct StackCase {
    const char* what;
    std::vector<std::uintptr_t> current; // top first
    std::vector<std::uintptr_t> wanted;  // top first
    std::vector<std::uintptr_t> raised;  // in order
};

// The set is 1 (the placeholder) at the bottom and 2, 3, 4... above it; 90
// and 91 are other windows.
TEST(StickerChangesTest, OnlyTheWindowsAboveTheLowestOutOfOrderOneAreRaised) {
    const StackCase cases[] = {
        {"in order above the others", {3, 2, 1, 90, 91}, {3, 2, 1}, {}},
        {"a new sticker on top (Add)", {3, 2, 1, 90}, {4, 3, 2, 1}, {4}},
        {"one gone from the middle (Delete)", {4, 2, 1, 90}, {4, 2, 1}, {}},
        {"one shown again in the middle", {4, 2, 1}, {4, 3, 2, 1}, {3, 4}},
        {"one raised by a click", {2, 3, 1}, {3, 2, 1}, {3}},
        {"another window over the set", {90, 3, 2, 1, 91}, {3, 2, 1}, {1, 2, 3}},
        {"another window inside the set", {3, 90, 2, 1}, {3, 2, 1}, {1, 2, 3}},
        {"nothing shows yet", {90}, {2, 1}, {1, 2}},
    };
    for (const StackCase& c : cases) {
        EXPECT_EQ(WindowsToRaise(c.current, c.wanted), c.raised) << c.what;
    }
}

} // namespace
} // namespace zandrel
