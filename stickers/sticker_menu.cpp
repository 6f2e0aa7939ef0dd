#include "stickers/sticker_menu.h"

#include "framework/menu.h"
#include "framework/window_messages.h"
#include "resources/form_memo.h"
#include "stickers/core/done.h"
#include "stickers/core/snooze.h"

#include <optional>
#include <string_view>

namespace zandrel {
namespace {

MenuItem* ItemNamed(const Menu& menu, std::string_view name) {
    for (const auto& item : menu.Items()) {
        if (item->Name() == name) {
            return item.get();
        }
    }
    return nullptr;
}

// The index of the sticker's message, unless a command's modal loop runs
// (refused with the default beep) or no message is linked.
std::optional<std::size_t> MessageToChange(const TFormMemo& sticker) {
    if (App().InModalLoop()) {
        App().RefuseCommand();
        return std::nullopt;
    }
    return sticker.LinkedIndex();
}

void Snooze(TFormMemo& sticker, const StickerHost& host, SnoozeChoice choice) {
    if (const auto index = MessageToChange(sticker)) {
        SnoozeMessage(*host.Messages(), *index, choice, App().Env());
        App().PostWhenNotModal(host.MainWindow(), kSnoozedMessage);
    }
}

void Done(TFormMemo& sticker, const StickerHost& host) {
    const auto index = MessageToChange(sticker);
    if (!index) {
        return;
    }
    MessageList& list = *host.Messages();
    if (MoveToNextOccurrence(list, *index, App().Env())) {
        App().PostWhenNotModal(host.MainWindow(), kSnoozedMessage);
    } else if (host.DeleteAsked) {
        host.DeleteAsked(*index, list.Key(*index));
    }
}

} // namespace

void ShowStickerMenu(TFormMemo& sticker, const StickerHost& host, POINT at) {
    if (at.x == -1 && at.y == -1) {
        const RECT window = sticker.ScreenRect();
        at = {window.left + 20, window.top + 40};
    }
    UINT firstId = 1;
    const Menu menu(StickerMenuDescription(), firstId);
    for (const char* onRed : {form_memo::Remind10Minutes, form_memo::Remind1Hour,
                              form_memo::RemindTomorrow, form_memo::Done1}) {
        ItemNamed(menu, onRed)->SetEnabled(sticker.Red());
    }
    const MenuItem* chosen = nullptr;
    {
        // The menu runs a loop of its own: no rebuild destroys the sticker
        // under it.
        const Application::ModalLoop menuLoop(Application::ModalLoop::OwnLoopOf{sticker.Handle()});
        SetForegroundWindow(sticker.Handle());
        chosen = menu.Choose(sticker.Handle(), at);
    }
    if (!chosen || !sticker.Handle()) {
        return;
    }
    const std::string& handler = chosen->HandlerName();
    if (handler == form_memo::on::Remind10MinutesClick) {
        Snooze(sticker, host, SnoozeChoice::TenMinutes);
    } else if (handler == form_memo::on::Remind1HourClick) {
        Snooze(sticker, host, SnoozeChoice::OneHour);
    } else if (handler == form_memo::on::RemindTomorrowClick) {
        Snooze(sticker, host, SnoozeChoice::Tomorrow);
    } else if (handler == form_memo::on::Done1Click) {
        Done(sticker, host);
    } else if (handler == form_memo::on::Edit1Click) {
        sticker.DoubleClickCommand();
    }
}

} // namespace zandrel
