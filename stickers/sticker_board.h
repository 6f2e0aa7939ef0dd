#pragma once
// The set of stickers on the desktop: destroyed and built afresh as a whole
// from the message list whenever something may have changed.
#include "stickers/unit_memo.h"

#include <memory>
#include <vector>

namespace zandrel {

class StickerBoard {
public:
    explicit StickerBoard(StickerHost host) : host_(std::move(host)) {}
    StickerBoard(const StickerBoard&) = delete;
    StickerBoard& operator=(const StickerBoard&) = delete;

    // Destroys every sticker, puts up the placeholder, creates one sticker per
    // started message (linked through its StickerHandle, red after its alarm
    // moment, hidden for Keep Hidden, otherwise at its own place or in the
    // cascade) and makes the last message the current one.
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

private:
    TFormMemo& CreateSticker(int width, int height, int dpi);

    StickerHost host_;
    std::vector<std::unique_ptr<TFormMemo>> stickers_;
};

} // namespace zandrel
