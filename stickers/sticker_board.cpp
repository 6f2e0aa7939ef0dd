#include "stickers/sticker_board.h"

#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "stickers/core/sticker_cascade.h"

namespace zandrel {

namespace {

// Moves, shows and hides windows in one batch (DeferWindowPos), in the order
// given: with HWND_TOP each one lands above those before it. Should the batch
// fail, the rest goes one window at a time.
class WindowPosBatch {
public:
    explicit WindowPosBatch(int count) : batch_(BeginDeferWindowPos(count)) {}
    ~WindowPosBatch() {
        if (batch_) {
            EndDeferWindowPos(batch_);
        }
    }
    WindowPosBatch(const WindowPosBatch&) = delete;
    WindowPosBatch& operator=(const WindowPosBatch&) = delete;

    void Add(HWND window, HWND after, WindowBounds bounds, UINT flags) {
        if (batch_) {
            batch_ = DeferWindowPos(batch_, window, after, bounds.Left, bounds.Top, bounds.Width,
                                    bounds.Height, flags);
        }
        if (!batch_) {
            SetWindowPos(window, after, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
                         flags);
        }
    }

private:
    HDWP batch_;
};

constexpr UINT kQuiet = SWP_NOACTIVATE | SWP_NOOWNERZORDER;

} // namespace

TFormMemo& StickerBoard::CreateSticker(int width, int height, int dpi) {
    stickers_.push_back(std::make_unique<TFormMemo>(host_, width, height, dpi));
    return *stickers_.back();
}

// The old set goes out of sight in one batch before it is destroyed; the new
// one is created hidden at its final size and shown in one batch, bottom to
// top, so that each sticker lies above the one before it.
void StickerBoard::Rebuild(bool expanded, const StickerPictures& pictures) {
    {
        WindowPosBatch hide(int(stickers_.size()));
        for (const auto& sticker : stickers_) {
            if (sticker->Handle() && sticker->Visible()) {
                hide.Add(sticker->Handle(), nullptr, {},
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | kQuiet);
            }
        }
    }
    // Last first, as they were made.
    while (!stickers_.empty()) {
        stickers_.pop_back();
    }
    host_.Pictures = pictures;
    Environment& env = App().Env();
    const ScreenSize screen = env.Screen();
    const std::vector<MonitorArea> monitors = env.Monitors();

    MessageList* list = host_.Messages ? host_.Messages() : nullptr;
    const StickerPlan plan =
        PlanStickers(list ? StickerSources(*list) : std::vector<StickerSource>{}, env, screen,
                     monitors, expanded);

    TFormMemo& placeholder =
        CreateSticker(plan.Placeholder.Width, plan.Placeholder.Height, plan.PlaceholderDpi);
    LoadRichText(placeholder.RichEdit1(), ".");
    std::vector<std::pair<HWND, ScreenPosition>> shown;
    shown.reserve(plan.Stickers.size() + 1);
    shown.emplace_back(placeholder.Handle(),
                       ScreenPosition{plan.Placeholder.Left, plan.Placeholder.Top});

    for (const PlannedSticker& planned : plan.Stickers) {
        TFormMemo& sticker = CreateSticker(planned.Width, planned.Height, planned.Dpi);
        // Creating a window may have shown an error box: the list is looked
        // up again after it.
        list = host_.Messages();
        if (!list || std::size_t(planned.Index) >= list->Count()) {
            break;
        }
        TMessageEntry& entry = list->Entry(std::size_t(planned.Index));
        entry.StickerHandle = reinterpret_cast<std::uintptr_t>(sticker.Handle());
        if (planned.Red) {
            sticker.SetStickerColor(kStickerRed);
        }
        sticker.SetName(planned.Name);
        LoadRichText(sticker.RichEdit1(), entry.RichText);
        if (host_.SendMailNotification) {
            host_.SendMailNotification(entry);
        }
        if (planned.Position) {
            shown.emplace_back(sticker.Handle(), *planned.Position);
        }
    }

    WindowPosBatch show(int(shown.size()));
    for (const auto& [window, place] : shown) {
        if (IsWindow(window)) { // a dialog of the mail service may have let it be closed
            show.Add(window, HWND_TOP, {place.Left, place.Top, 0, 0},
                     SWP_SHOWWINDOW | SWP_NOSIZE | kQuiet);
        }
    }
    list = host_.Messages ? host_.Messages() : nullptr;
    if (plan.CurrentIndex && list && std::size_t(*plan.CurrentIndex) < list->Count()) {
        list->CurrentIndex = *plan.CurrentIndex;
    }
}

bool StickerBoard::InOwnLoop() const {
    for (const auto& sticker : stickers_) {
        if (sticker->Handle() && App().RunsModalLoop(sticker->Handle())) {
            return true;
        }
    }
    return false;
}

TFormMemo* StickerBoard::Find(std::string_view name) const {
    for (const auto& sticker : stickers_) {
        if (sticker->Handle() && sticker->Name() == name) {
            return sticker.get();
        }
    }
    return nullptr;
}

} // namespace zandrel
