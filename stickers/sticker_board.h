#pragma once
// The set of stickers on the desktop, brought in line with the message list
// whenever something may have changed. A rebuild shows what building the
// whole set afresh would show, but keeps every window that still shows a
// wanted sticker and changes only what differs.
#include "stickers/core/sticker_changes.h"
#include "stickers/unit_memo.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zandrel {

class StickerBoard {
public:
    // gdi: how the stickers' drawing objects are made.
    explicit StickerBoard(StickerHost host, GdiMaker gdi = {})
        : host_(std::move(host)), gdi_(std::move(gdi)) {}
    StickerBoard(const StickerBoard&) = delete;
    StickerBoard& operator=(const StickerBoard&) = delete;

    // The placeholder and one sticker per started message (linked through its
    // StickerHandle, red after its alarm moment, hidden for Keep Hidden,
    // otherwise at its own place or in the cascade, each one above those
    // before it, all of them fresh), every pending notification handed on,
    // and the last message made the current one. When the system refuses a
    // new sticker its window or its text control (at its limits), the
    // stickers made before stay and the rest of the new ones are left out of
    // this rebuild: their messages stay in the list, linked to no sticker.
    void Rebuild(bool expanded, const StickerPictures& pictures);
    // What the user is told about the notes the last rebuild left out: how
    // many and the system's reason; once, and again only when their number
    // changes.
    std::optional<std::string> TakeLeftOutReport();
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
    // keep none; those the system refuses leave the plan. Returns the
    // windows no sticker keeps.
    std::vector<std::unique_ptr<TFormMemo>> TakeWindows(StickerPlan& plan,
                                                        StickerChanges& changes);
    // The new stickers from plan position `from` on leave the plan and their
    // messages' links: the system refused the first of them, for `reason`.
    void LeaveOut(StickerPlan& plan, StickerChanges& changes, std::size_t from,
                  const std::string& reason);
    // Links, names, colours and texts; what each window needs placing.
    std::vector<Placement> Update(const StickerPlan& plan, const StickerChanges& changes,
                                  bool newPlaceholder, bool picturesChanged);
    void SendNotifications(const StickerPlan& plan);

    StickerHost host_;
    // Declared before the stickers that draw with them: freed after them.
    StickerGdi gdi_;
    std::vector<std::unique_ptr<TFormMemo>> stickers_;
    // The notes the last rebuild left out, and why; how many the user was
    // last told about.
    int leftOut_ = 0;
    std::string leftOutReason_;
    int leftOutReported_ = 0;
};

} // namespace zandrel
