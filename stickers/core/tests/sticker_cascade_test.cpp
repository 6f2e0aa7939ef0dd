#include "stickers/core/sticker_cascade.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace zandrel {
namespace {

constexpr TDateTime Second = 1.0 / 86400;
constexpr TDateTime Noon = 45000.5;

class FixedClock : public Clock {
public:
    TDateTime Now() const override { return now; }
    TDateTime now = Noon;
};

StickerSource Started(bool keepHidden = false) {
    return {Noon - 60 * Second, Noon + 1, keepHidden, {}};
}

class StickerPlanTest : public ::testing::Test {
protected:
    StickerPlan Plan(const std::vector<StickerSource>& messages, bool expanded = true) {
        return PlanStickers(messages, clock, screen, monitors, expanded);
    }

    FixedClock clock;
    ScreenSize screen{800, 600};
    std::vector<MonitorArea> monitors{{0, 0, 800, 600}};
};

TEST_F(StickerPlanTest, StartAndAlarmMomentsAreStrict) {
    const StickerPlan plan = Plan({{Noon, Noon + 1, false, {}},      // starts exactly now
                                   {Noon - Second, Noon, false, {}}, // alarm exactly now
                                   {Noon - 2 * Second, Noon - Second, false, {}}}); // alarmed
    ASSERT_EQ(plan.Stickers.size(), 2u);
    EXPECT_EQ(plan.Stickers[0].Index, 1);
    EXPECT_FALSE(plan.Stickers[0].Red);
    EXPECT_EQ(plan.Stickers[1].Index, 2);
    EXPECT_TRUE(plan.Stickers[1].Red);
}

TEST_F(StickerPlanTest, NamesKeepListIndicesAndSlotsCloseUp) {
    const StickerPlan plan = Plan({Started(), {Noon + Second, Noon + 1, false, {}}, Started()});
    ASSERT_EQ(plan.Stickers.size(), 2u);
    EXPECT_EQ(plan.Stickers[0].Name, "Memo_0");
    EXPECT_EQ(plan.Stickers[1].Name, "Memo_2");
    EXPECT_EQ(plan.Stickers[0].Position, (ScreenPosition{800 - 210, 0}));
    EXPECT_EQ(plan.Stickers[1].Position, (ScreenPosition{800 - 210, 40}));
    EXPECT_EQ(plan.CurrentIndex, 2);
}

TEST_F(StickerPlanTest, ColumnsOfNormalStickersOnAScreen600High) {
    const StickerPlan plan = Plan(std::vector<StickerSource>(14, Started()));
    ASSERT_EQ(plan.Stickers.size(), 14u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(plan.Stickers[i].Height, 140);
        EXPECT_EQ(plan.Stickers[i].Position, (ScreenPosition{590, 40 * i})) << i;
    }
    EXPECT_EQ(plan.Stickers[12].Position, (ScreenPosition{560, 40}));
    EXPECT_EQ(plan.Stickers[13].Position, (ScreenPosition{560, 80}));
}

TEST_F(StickerPlanTest, ColumnsOfShortStickersOnAScreen600High) {
    const StickerPlan plan = Plan(std::vector<StickerSource>(15, Started()), false);
    ASSERT_EQ(plan.Stickers.size(), 15u);
    EXPECT_EQ(plan.Stickers[0].Height, 70);
    EXPECT_EQ(plan.Stickers[13].Position, (ScreenPosition{590, 520}));
    EXPECT_EQ(plan.Stickers[14].Position, (ScreenPosition{560, 40}));
}

TEST_F(StickerPlanTest, EveryColumnMovesThirtyPixelsFurtherLeft) {
    screen = {1024, 200}; // two rows of 140 per column (Top 0 and 40), then one per column
    const StickerPlan plan = Plan(std::vector<StickerSource>(4, Started()));
    EXPECT_EQ(plan.Stickers[1].Position, (ScreenPosition{814, 40}));
    EXPECT_EQ(plan.Stickers[2].Position, (ScreenPosition{784, 40}));
    EXPECT_EQ(plan.Stickers[3].Position, (ScreenPosition{754, 40}));
}

TEST_F(StickerPlanTest, KeepHiddenStickerIsBuiltButTakesNoSlot) {
    const StickerPlan plan = Plan({Started(), Started(true), Started()});
    ASSERT_EQ(plan.Stickers.size(), 3u);
    EXPECT_EQ(plan.Stickers[1].Name, "Memo_1");
    EXPECT_FALSE(plan.Stickers[1].Position.has_value());
    EXPECT_EQ(plan.Stickers[2].Position, (ScreenPosition{590, 40}));
}

StickerSource PlacedAt(int left, int top) {
    StickerSource source = Started();
    source.Place = ScreenPosition{left, top};
    return source;
}

TEST_F(StickerPlanTest, StoredPlacesOnAMonitorAreKeptAndTheCascadeClosesUp) {
    monitors.push_back({800, -100, 1800, 700}); // a second monitor to the right
    const StickerPlan plan = Plan({Started(), PlacedAt(100, 200), PlacedAt(700, 50), Started()});
    EXPECT_EQ(plan.Stickers[0].Position, (ScreenPosition{590, 0}));
    EXPECT_EQ(plan.Stickers[1].Position, (ScreenPosition{100, 200}));
    EXPECT_EQ(plan.Stickers[2].Position, (ScreenPosition{700, 50})); // across both monitors
    EXPECT_EQ(plan.Stickers[3].Position, (ScreenPosition{590, 40}));
}

TEST_F(StickerPlanTest, PlacesOffEveryMonitorGoBackToTheCascade) {
    const StickerPlan plan = Plan({PlacedAt(700, 50),    // caption row reaches past the right edge
                                   PlacedAt(100, -10),   // above the top
                                   PlacedAt(100, 570),   // caption row below the bottom
                                   PlacedAt(100, 500)}); // all of the row still on the screen
    EXPECT_EQ(plan.Stickers[0].Position, (ScreenPosition{590, 0}));
    EXPECT_EQ(plan.Stickers[1].Position, (ScreenPosition{590, 40}));
    EXPECT_EQ(plan.Stickers[2].Position, (ScreenPosition{590, 80}));
    EXPECT_EQ(plan.Stickers[3].Position, (ScreenPosition{100, 500}));
    // A monitor with a gap between it and the primary one: no place in the gap.
    monitors = {{0, 0, 800, 600}, {900, 0, 1700, 600}};
    EXPECT_EQ(Plan({PlacedAt(750, 50)}).Stickers[0].Position, (ScreenPosition{590, 0}));
}

TEST_F(StickerPlanTest, KeepHiddenStaysHiddenWithAPlaceToo) {
    StickerSource hidden = PlacedAt(100, 100);
    hidden.KeepHidden = true;
    EXPECT_FALSE(Plan({hidden}).Stickers[0].Position.has_value());
}

TEST_F(StickerPlanTest, EmptyListLeavesOnlyThePlaceholderAndTheCurrentIndex) {
    const StickerPlan plan = Plan({});
    EXPECT_TRUE(plan.Stickers.empty());
    EXPECT_FALSE(plan.CurrentIndex.has_value());
    EXPECT_EQ(plan.Placeholder, (WindowBounds{900, 0, 0, 0}));
}

TEST_F(StickerPlanTest, CurrentIndexIsTheLastMessageEvenWithoutStickers) {
    const StickerPlan plan = Plan({Started(), {Noon + 1, Noon + 2, false, {}}});
    EXPECT_EQ(plan.Stickers.size(), 1u);
    EXPECT_EQ(plan.CurrentIndex, 1);
}

// The cascade hangs on the primary monitor at its DPI; a sticker with a place
// of its own is laid out for the DPI of the monitor there.
TEST_F(StickerPlanTest, EachStickerIsLaidOutForTheDpiOfItsMonitor) {
    monitors = {{0, 0, 800, 600, 144}, {-1000, 0, 0, 600, 96}};
    std::vector<StickerSource> messages = {Started(), PlacedAt(-900, 100), PlacedAt(-100, 100)};
    messages.resize(11, Started());
    const StickerPlan plan = Plan(messages);
    EXPECT_EQ(plan.PlaceholderDpi, 144);
    const struct {
        std::size_t sticker;
        int dpi;
        ScreenPosition position;
    } cases[] = {{0, 144, {800 - 315, 0}},      {1, 96, {-900, 100}},
                 {2, 96, {-100, 100}}, // its caption row reaches onto the primary monitor
                 {3, 144, {800 - 315, 60}},     {8, 144, {800 - 315, 360}},
                 {9, 144, {800 - 315 - 45, 60}}}; // 210 high: a new column after 7 rows
    for (const auto& c : cases) {
        EXPECT_EQ(plan.Stickers[c.sticker].Dpi, c.dpi) << c.sticker;
        EXPECT_EQ(plan.Stickers[c.sticker].Height, StickerHeightNormal) << c.sticker;
        EXPECT_EQ(plan.Stickers[c.sticker].Position, c.position) << c.sticker;
    }
}

TEST(StickerSourcesTest, ReadsEveryRecordInListOrder) {
    FixedClock clock;
    MessageList list;
    list.Append(std::make_unique<TMessageEntry>(clock, "ZandrelData.dat")); // never dragged
    for (std::uint8_t hidden : {0, 2}) {
        auto entry = std::make_unique<TMessageEntry>(clock, "ZandrelData.dat");
        entry->Record.StartDate = Noon - hidden;
        entry->Record.KeepHidden = hidden;
        entry->Record.PosInvalid = hidden ? 1 : 0;
        entry->Record.PosLeft = 12;
        entry->Record.PosTop = 34;
        list.Append(std::move(entry));
    }
    const std::vector<StickerSource> sources = StickerSources(list);
    ASSERT_EQ(sources.size(), 3u);
    EXPECT_FALSE(sources[0].Place.has_value());
    EXPECT_EQ(sources[1].StartDate, Noon);
    EXPECT_EQ(sources[1].AlarmDate, Noon + 1);
    EXPECT_FALSE(sources[1].KeepHidden);
    EXPECT_EQ(sources[1].Place, (ScreenPosition{12, 34}));
    EXPECT_FALSE(sources[2].Place.has_value());
    EXPECT_EQ(sources[2].StartDate, Noon - 2);
    EXPECT_TRUE(sources[2].KeepHidden);
}

} // namespace
} // namespace zandrel
