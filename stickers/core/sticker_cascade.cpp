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

// Hands out the cascade slots in order; sizes and steps in pixels at the
// cascade's DPI.
class Cascade {
public:
    Cascade(ScreenSize screen, DpiScale scale) : screen_(screen), scale_(scale) {}

    ScreenPosition Next(int width, int height) {
        const int rowStep = scale_.Scale(RowStep);
        int top = row_ * rowStep;
        if (top > screen_.Height - height) {
            columnOffset_ += scale_.Scale(ColumnStep);
            row_ = 1;
            top = rowStep;
        }
        ++row_;
        return {screen_.Width - width - columnOffset_, top};
    }

private:
    ScreenSize screen_;
    DpiScale scale_;
    int row_ = 0;
    int columnOffset_ = 0;
};

bool Contains(const MonitorArea& monitor, ScreenPosition point) {
    return point.Left >= monitor.Left && point.Left < monitor.Right && point.Top >= monitor.Top &&
           point.Top < monitor.Bottom;
}

} // namespace

std::vector<StickerSource> StickerSources(const MessageList& list) {
    std::vector<StickerSource> sources;
    sources.reserve(list.Count());
    for (const MessageListItem& item : list.Items()) {
        const MessageRecord& record = item.Entry->Record;
        StickerSource source{record.StartDate, record.AlarmDate, record.KeepHidden != 0, {}};
        if (StoredPlaceUsable(record))
            source.Place = ScreenPosition{record.PosLeft, record.PosTop};
        sources.push_back(source);
    }
    return sources;
}

std::string StickerName(int index) {
    return "Memo_" + std::to_string(index);
}

WindowBounds ScreenBounds(const PlannedSticker& planned) {
    const DpiScale scale(planned.Dpi);
    const ScreenPosition place = planned.Position.value_or(ScreenPosition{});
    return {place.Left, place.Top, scale.Scale(planned.Width), scale.Scale(planned.Height)};
}

WindowBounds StickerCaptionRow(ScreenPosition place, DpiScale scale) {
    return {place.Left, place.Top, scale.Scale(StickerWidth), scale.Scale(CaptionRowHeight)};
}

const MonitorArea* MonitorAt(ScreenPosition point, std::span<const MonitorArea> monitors) {
    for (const MonitorArea& monitor : monitors) {
        if (Contains(monitor, point))
            return &monitor;
    }
    return nullptr;
}

const MonitorArea* PrimaryMonitor(std::span<const MonitorArea> monitors) {
    return MonitorAt({0, 0}, monitors);
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
    const MonitorArea* primary = PrimaryMonitor(monitors);
    const DpiScale cascadeScale(primary ? primary->Dpi : kDesignDpi);
    StickerPlan plan;
    plan.Placeholder = {screen.Width + PlaceholderOffset, 0, 0, 0};
    plan.PlaceholderDpi = cascadeScale.Dpi();
    if (messages.empty())
        return plan;

    const int height = expanded ? StickerHeightNormal : StickerHeightShort;
    Cascade cascade(screen, cascadeScale);
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const StickerSource& message = messages[i];
        if (!(clock.Now() > message.StartDate))
            continue;
        PlannedSticker sticker;
        sticker.Index = static_cast<int>(i);
        sticker.Name = StickerName(sticker.Index);
        sticker.Height = height;
        sticker.Red = clock.Now() > message.AlarmDate;
        sticker.Dpi = cascadeScale.Dpi();
        const MonitorArea* home =
            message.Place && !message.KeepHidden ? MonitorAt(*message.Place, monitors) : nullptr;
        if (home &&
            CoveredByMonitors(StickerCaptionRow(*message.Place, DpiScale(home->Dpi)), monitors)) {
            sticker.Position = message.Place;
            sticker.Dpi = home->Dpi;
        } else if (!message.KeepHidden) {
            sticker.Position =
                cascade.Next(cascadeScale.Scale(sticker.Width), cascadeScale.Scale(sticker.Height));
        }
        plan.Stickers.push_back(std::move(sticker));
    }
    plan.CurrentIndex = static_cast<int>(messages.size()) - 1;
    return plan;
}

} // namespace zandrel
