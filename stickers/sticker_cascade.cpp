#include "stickers/sticker_cascade.h"

namespace zandrel {

namespace {

constexpr int RowStep = 40;
constexpr int ColumnStep = 30;
constexpr int PlaceholderOffset = 100;

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
        sources.push_back({record.StartDate, record.AlarmDate, record.KeepHidden != 0});
    }
    return sources;
}

std::string StickerName(int index) {
    return "Memo_" + std::to_string(index);
}

StickerPlan PlanStickers(std::span<const StickerSource> messages, const Clock& clock,
                         ScreenSize screen, bool expanded) {
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
        if (!message.KeepHidden)
            sticker.Position = cascade.Next(sticker.Width, sticker.Height);
        plan.Stickers.push_back(std::move(sticker));
    }
    plan.CurrentIndex = static_cast<int>(messages.size()) - 1;
    return plan;
}

} // namespace zandrel
