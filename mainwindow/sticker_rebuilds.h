#pragma once
// The stickers built again whenever the message list may have changed, one
// rebuild at a time, with the pictures they draw and the mail notifications
// that a rebuild sends.
#include "alarms/Email.h"
#include "alarms/core/timer_logic.h"
#include "framework/form.h"
#include "stickers/sticker_board.h"

#include <array>
#include <string>
#include <vector>

namespace zandrel {

class StickerRebuilds {
public:
    // mainWindow: the form whose handlers ask for rebuilds; host: what the
    // stickers reach of it (the notification is the rebuilds' own); mail:
    // the service the notifications go out with.
    StickerRebuilds(Form& mainWindow, StickerHost host, TEmail& mail);
    StickerRebuilds(const StickerRebuilds&) = delete;
    StickerRebuilds& operator=(const StickerRebuilds&) = delete;

    // Builds the stickers again, each `expanded` or short. A rebuild asked
    // for while one runs (from a box it raised), or while a sticker runs a
    // loop of its own (its drag), would destroy windows whose code is still
    // running: it runs once afterwards instead, with the height chosen by
    // then. The notifications' errors are reported at the end, each once, and
    // the notes left out at the system's limits when their number changed.
    void Rebuild(bool expanded);
    bool Running() const { return running_.IsBusy(); }

    // The session ends under open boxes: the notifications already sent are
    // stored now, so that they go out once across restarts too.
    void StoreSentNotifications();
    // The program ends: the stickers go, then their pictures.
    void DestroyAll();

    const StickerBoard& Board() const { return board_; }

private:
    void RunPending();
    // The rebuild's hook: sends the message's pending notification and keeps
    // what went wrong for the end of the rebuild.
    void SendNotification(TMessageEntry& entry);
    // After a rebuild: stores the cleared notifications, then reports what
    // failed, each error once, and the notes left out.
    void FinishRebuild();
    // The pins and banners at 100 per cent, which a scale without its own
    // falls back to, and at the picture scale of every monitor now: each set
    // loaded from the resources when a rebuild first needs it. A picture the
    // system refuses is left out (the stickers show their colour in its
    // place) and asked for again at the next rebuild.
    StickerPictures Pictures();
    void LoadPictureSet(int scale);

    Form& mainWindow_;
    std::function<MessageList*()> messages_;
    TEmail& mail_;
    // Pin, pin red, banner, banner red at 100, 150 and 200 per cent, those
    // loaded so far; they outlive the stickers that draw them.
    std::array<BitmapHandle, 12> bitmaps_;
    StickerBoard board_;
    BusyMark running_;
    bool expanded_ = false;
    bool pending_ = false;
    bool notificationsCleared_ = false;
    std::vector<std::string> notificationErrors_;
};

} // namespace zandrel
