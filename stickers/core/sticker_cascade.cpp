#include "stickers/core/sticker_cascade.h"

#include <algorithm>
#include <cstdint>

namespace zandrel {

namespace {

constexpr int RowStep = 40;
constexpr int ColumnStep = 30;
constexpr int PlaceholderOffset = 100;
// The classic caption bar (23) and the title strip under it (20).
constexpr int CaptionRowHeight = 43;

// Hands out the cascade slots in order.
class Cascade {
public:
    explicit Cascade(ScreenSize screen) : screen_(screen) {}

    ScreenPosition Next(int width, int height) {
        int top = row_ * RowStep;
        if (top > screen_.Height - height) {
            columnOffset_ += ColumnStep;
            row_ = 1;
            top = RowStep;
        }
        ++row_;
        return {screen_.Width - width - columnOffset_, top};
    }

private:
    ScreenSize screen_;
    int row_ = 0;
    int columnOffset_ = 0;
};

} // namespace

std::vector<StickerSource> StickerSources(const MessageList& list) {
    std::vector<StickerSource> sources;
    sources.reserve(list.Count());
    for (const MessageListItem& item : list.Items()) {
        const MessageRecord& record = item.Entry->Record;
        StickerSource source{record.StartDate, record.AlarmDate, record.KeepHidden != 0, {}};
        // A new message's record holds no place yet (0, 0), which the position
        // check would refuse.
        if (record.PosInvalid == 0 && record.PosLeft >= 1 && record.PosTop >= 1)
            source.Place = ScreenPosition{record.PosLeft, record.PosTop};
        sources.push_back(source);
    }
    return sources;
}

std::string StickerName(int index) {
    return "Memo_" + std::to_string(index);
}

WindowBounds StickerCaptionRow(ScreenPosition place, int width) {
    return {place.Left, place.Top, width, CaptionRowHeight};
}

// Monitors never overlap: the area is covered when the parts of it on each
// monitor add up to all of it.
bool CoveredByMonitors(WindowBounds area, std::span<const MonitorArea> monitors) {
    const std::int64_t right = std::int64_t(area.Left) + area.Width;
    const std::int64_t bottom = std::int64_t(area.Top) + area.Height;
    std::int64_t covered = 0;
    for (const MonitorArea& monitor : monitors) {
        const std::int64_t width =
            std::min<std::int64_t>(right, monitor.Right) - std::max(area.Left, monitor.Left);
        const std::int64_t height =
            std::min<std::int64_t>(bottom, monitor.Bottom) - std::max(area.Top, monitor.Top);
        if (width > 0 && height > 0)
            covered += width * height;
    }
    return covered == std::int64_t(area.Width) * area.Height;
}

StickerPlan PlanStickers(std::span<const StickerSource> messages, const Clock& clock,
                         ScreenSize screen, std::span<const MonitorArea> monitors, bool expanded) {
    StickerPlan plan;
    plan.Placeholder = {screen.Width + PlaceholderOffset, 0, 0, 0};
    if (messages.empty())
        return plan;

    const int height = expanded ? StickerHeightNormal : StickerHeightShort;
    Cascade cascade(screen);
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const StickerSource& message = messages[i];
        if (!(clock.Now() > message.StartDate))
            continue;
        PlannedSticker sticker;
        sticker.Index = static_cast<int>(i);
        sticker.Name = StickerName(sticker.Index);
        sticker.Height = height;
        sticker.Red = clock.Now() > message.AlarmDate;
        const bool placed =
            !message.KeepHidden && message.Place &&
            CoveredByMonitors(StickerCaptionRow(*message.Place, sticker.Width), monitors);
        if (placed)
            sticker.Position = message.Place;
        else if (!message.KeepHidden)
            sticker.Position = cascade.Next(sticker.Width, sticker.Height);
        plan.Stickers.push_back(std::move(sticker));
    }
    plan.CurrentIndex = static_cast<int>(messages.size()) - 1;
    return plan;
}

} // namespace zandrel
