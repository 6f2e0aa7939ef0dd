#pragma once
// What a rebuild changes on the screen: the set that PlanStickers wants,
// compared with the windows that show now. A window that still shows a
// wanted sticker is kept and only what differs is changed in it; the others
// are created or destroyed. The result on the screen is the same as if every
// window had been destroyed and the set built afresh.
#include "stickers/core/sticker_cascade.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace zandrel {

// A message's side of the comparison. Views into the message list: valid
// until the list changes.
struct StickerMessage {
    std::uintptr_t StickerHandle = 0; // the window it is linked to; 0 none
    std::string_view Text;            // RichText
};

// In list order.
std::vector<StickerMessage> StickerMessages(const MessageList& list);

// One window of the set as it is now.
struct ShownSticker {
    std::uintptr_t Handle = 0; // 0: closed, the window is gone
    std::string_view Name;
    bool Red = false;
    WindowBounds Bounds; // the window's rectangle on the screen
    bool Visible = false;
    std::string_view Text; // as it was last loaded
    int Dpi = kDesignDpi;  // what it is laid out for
};

// What becomes of one planned sticker.
struct StickerUpdate {
    // The shown window that it keeps; none: a new window.
    std::optional<std::size_t> Window;
    bool Rename = false;
    bool Recolour = false;
    bool Reload = false;
    // Moved, resized, shown or hidden.
    bool Place = false;
};

struct StickerChanges {
    // One per planned sticker, in plan order.
    std::vector<StickerUpdate> Updates;
    // The shown windows that no planned sticker keeps, closed ones included.
    std::vector<std::size_t> Gone;
};

// A planned sticker keeps the window its message is linked to; one whose
// message lost its link (Replace puts a copy in the message's place) keeps
// the window of its name that no message is linked to. A window laid out for
// another DPI than the planned one is not kept. A kept window needs
// Place when its visibility differs, or when it shows and its rectangle is
// not the planned one; a hidden sticker's rectangle is never seen.
StickerChanges DiffStickers(const StickerPlan& plan, std::span<const StickerMessage> messages,
                            std::span<const ShownSticker> shown);

// The set is stacked as a full rebuild stacks it, raising each window on top
// of all in turn, placeholder first: `wanted` (top first) directly on top of
// every other window. Windows are only ever raised to the top, as a window
// system that follows only raises on its own display needs. `current` is the
// stacking now, top first, of the windows that show now and still show
// afterwards, the set's and others. The windows that need raising, in the
// order to raise them: all but those at the bottom of `wanted` that already
// lie on top of all in the wanted order.
std::vector<std::uintptr_t> WindowsToRaise(std::span<const std::uintptr_t> current,
                                           std::span<const std::uintptr_t> wanted);

} // namespace zandrel
