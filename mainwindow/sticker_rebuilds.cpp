#include "mainwindow/sticker_rebuilds.h"

#include "alarms/notification_sender.h"
#include "framework/application.h"
#include "resources/resource_names.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace zandrel {
namespace {

StickerHost WithNotification(StickerHost host, std::function<void(TMessageEntry&)> send) {
    host.SendMailNotification = std::move(send);
    return host;
}

} // namespace

StickerRebuilds::StickerRebuilds(Form& mainWindow, StickerHost host, TEmail& mail)
    : mainWindow_(mainWindow), messages_(host.Messages), mail_(mail),
      board_(WithNotification(std::move(host),
                              [this](TMessageEntry& entry) { SendNotification(entry); })) {}

void StickerRebuilds::LoadPictureSet(int scale) {
    const std::size_t first = scale == 200 ? 8 : scale == 150 ? 4 : 0;
    const std::string suffix = scale == 100 ? "" : "_" + std::to_string(scale);
    std::size_t next = first;
    for (const char* name :
         {res::kBitmapPin, res::kBitmapPinRed, res::kBitmapBanner, res::kBitmapBannerRed}) {
        BitmapHandle& bitmap = bitmaps_[next++];
        if (!bitmap) {
            bitmap.reset(static_cast<HBITMAP>(LoadImageA(
                App().Instance(), (name + suffix).c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
        }
    }
}

StickerPictures StickerRebuilds::Pictures() {
    LoadPictureSet(100);
    for (const MonitorArea& monitor : App().Env().Monitors()) {
        LoadPictureSet(DpiScale(monitor.Dpi).PictureScale());
    }
    const auto& b = bitmaps_;
    StickerPictures pictures(b[0].get(), b[1].get(), b[2].get(), b[3].get());
    pictures.At150 = {b[4].get(), b[5].get(), b[6].get(), b[7].get()};
    pictures.At200 = {b[8].get(), b[9].get(), b[10].get(), b[11].get()};
    return pictures;
}

void StickerRebuilds::Rebuild(bool expanded) {
    expanded_ = expanded;
    if (running_.IsBusy() || board_.InOwnLoop()) {
        if (!std::exchange(pending_, true) && !running_.IsBusy()) {
            mainWindow_.WhenNotModal([this] { RunPending(); });
        }
        return;
    }
    const BusyMark::Hold running(running_);
    const StickerPictures pictures = Pictures();
    try {
        board_.Rebuild(expanded_, pictures);
        while (std::exchange(pending_, false)) {
            board_.Rebuild(expanded_, pictures);
        }
    } catch (...) {
        FinishRebuild();
        throw;
    }
    FinishRebuild();
}

void StickerRebuilds::RunPending() {
    if (std::exchange(pending_, false) && messages_()) {
        Rebuild(expanded_);
    }
}

// A notification that fails (no mail service on this system) is not tried
// again, and the rebuild goes on with the other stickers.
void StickerRebuilds::SendNotification(TMessageEntry& entry) {
    if (entry.Notify < 1) {
        return;
    }
    notificationsCleared_ = true;
    try {
        SendMailNotification(entry, mail_, mainWindow_.Handle());
    } catch (const std::exception& error) {
        if (std::find(notificationErrors_.begin(), notificationErrors_.end(), error.what()) ==
            notificationErrors_.end()) {
            notificationErrors_.emplace_back(error.what());
        }
    }
}

void StickerRebuilds::FinishRebuild() {
    std::vector<std::string> errors = std::exchange(notificationErrors_, {});
    if (std::optional<std::string> leftOut = board_.TakeLeftOutReport()) {
        errors.push_back(std::move(*leftOut));
    }
    MessageList* list = messages_();
    if (std::exchange(notificationsCleared_, false) && list) {
        try {
            list->SaveMessages();
        } catch (const std::exception& error) {
            errors.emplace_back(error.what());
        }
    }
    for (const std::string& error : errors) {
        App().ReportError(error);
    }
}

void StickerRebuilds::StoreSentNotifications() {
    MessageList* list = messages_();
    if (std::exchange(notificationsCleared_, false) && list) {
        App().Guard([&] { list->SaveMessages(); });
    }
}

void StickerRebuilds::DestroyAll() {
    board_.DestroyAll();
    bitmaps_ = {};
}

} // namespace zandrel
