#pragma once
// The set of stickers on the desktop, brought in line with the message list
// whenever something may have changed. A rebuild shows what building the
// whole set afresh would show, but keeps every window that still shows a
// wanted sticker and changes only what differs.
#include "stickers/core/sticker_changes.h"
#include "stickers/unit_memo.h"

#include <memory>
#include <vector>

namespace zandrel {

class StickerBoard {
public:
    explicit StickerBoard(StickerHost host) : host_(std::move(host)) {}
    StickerBoard(const StickerBoard&) = delete;
    StickerBoard& operator=(const StickerBoard&) = delete;

    // The placeholder and one sticker per started message (linked through its
    // StickerHandle, red after its alarm moment, hidden for Keep Hidden,
    // otherwise at its own place or in the cascade, each one above those
    // before it, all of them fresh), every pending notification handed on,
    // and the last message made the current one.
    void Rebuild(bool expanded, const StickerPictures& pictures);
    void DestroyAll() { stickers_.clear(); }
    // Whether a sticker runs a loop of its own now (its drag, its shell
    // call): it must not be destroyed under it.
    bool InOwnLoop() const;

    // Every sticker object of the last rebuild, the placeholder first; a
    // closed sticker has no window any more.
    const std::vector<std::unique_ptr<TFormMemo>>& Stickers() const { return stickers_; }
    // The sticker with this component name, or null.
    TFormMemo* Find(std::string_view name) const;

    // One window's part of a rebuild's batch.
    struct Placement;

private:
    // Makes the placeholder unless it is there; true when it made one.
    bool EnsurePlaceholder(WindowBounds bounds, int dpi);
    // Puts the set in plan order, new windows made for the stickers that
    // keep none; returns the windows no sticker keeps.
    std::vector<std::unique_ptr<TFormMemo>> TakeWindows(const StickerPlan& plan,
                                                        const StickerChanges& changes);
    // Links, names, colours and texts; what each window needs placing.
    std::vector<Placement> Update(const StickerPlan& plan, const StickerChanges& changes,
                                  bool newPlaceholder, bool picturesChanged);
    void SendNotifications(const StickerPlan& plan);

    StickerHost host_;
    // Declared before the stickers that draw with them: freed after them.
    SharedGdiObjects gdiObjects_;
    std::vector<std::unique_ptr<TFormMemo>> stickers_;
};

} // namespace zandrel
