#include "stickers/sticker_board.h"

#include "framework/application.h"
#include "framework/rich_edit.h"
#include "stickers/sticker_cascade.h"

namespace zandrel {

TFormMemo& StickerBoard::CreateSticker() {
    stickers_.push_back(std::make_unique<TFormMemo>(host_));
    return *stickers_.back();
}

void StickerBoard::Rebuild(bool expanded, const StickerPictures& pictures) {
    // Last first, as they were made.
    while (!stickers_.empty()) {
        stickers_.pop_back();
    }
    host_.Pictures = pictures;
    Environment& env = App().Env();
    const ScreenSize screen = env.Screen();

    MessageList* list = host_.Messages ? host_.Messages() : nullptr;
    const StickerPlan plan = PlanStickers(
        list ? StickerSources(*list) : std::vector<StickerSource>{}, env, screen, expanded);

    TFormMemo& placeholder = CreateSticker();
    LoadRichText(placeholder.RichEdit1(), ".");
    SetWindowPos(placeholder.Handle(), nullptr, plan.Placeholder.Left, plan.Placeholder.Top,
                 plan.Placeholder.Width, plan.Placeholder.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);

    for (const PlannedSticker& planned : plan.Stickers) {
        TFormMemo& sticker = CreateSticker();
        // Creating a window may have shown an error box: the list is looked
        // up again after it.
        list = host_.Messages();
        if (!list || std::size_t(planned.Index) >= list->Count()) {
            break;
        }
        TMessageEntry& entry = list->Entry(std::size_t(planned.Index));
        SetWindowPos(sticker.Handle(), nullptr, 0, 0, planned.Width, planned.Height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        entry.StickerHandle = reinterpret_cast<std::uintptr_t>(sticker.Handle());
        if (planned.Red) {
            sticker.SetStickerColor(kStickerRed);
        }
        sticker.SetName(planned.Name);
        LoadRichText(sticker.RichEdit1(), entry.RichText);
        if (host_.SendMailNotification) {
            host_.SendMailNotification(entry);
        }
        if (!planned.Position) {
            ShowWindow(sticker.Handle(), SW_HIDE);
            continue;
        }
        // Each one shows above the one before, so every title strip stays
        // in sight.
        SetWindowPos(sticker.Handle(), HWND_TOP, planned.Position->Left, planned.Position->Top, 0,
                     0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
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
