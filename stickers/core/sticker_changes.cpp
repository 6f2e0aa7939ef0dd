#include "stickers/core/sticker_changes.h"

#include <unordered_map>
#include <unordered_set>

namespace zandrel {

std::vector<StickerMessage> StickerMessages(const MessageList& list) {
    std::vector<StickerMessage> messages;
    messages.reserve(list.Count());
    for (const MessageListItem& item : list.Items()) {
        messages.push_back({item.Entry->StickerHandle, item.Entry->RichText});
    }
    return messages;
}

namespace {

// Which shown window each planned sticker keeps.
std::vector<std::optional<std::size_t>> MatchWindows(const StickerPlan& plan,
                                                     std::span<const StickerMessage> messages,
                                                     std::span<const ShownSticker> shown) {
    std::unordered_map<std::uintptr_t, std::size_t> byHandle;
    std::unordered_map<std::string_view, std::size_t> unlinkedByName;
    std::unordered_set<std::uintptr_t> linked;
    for (const StickerMessage& message : messages) {
        if (message.StickerHandle) {
            linked.insert(message.StickerHandle);
        }
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (!shown[i].Handle) {
            continue;
        }
        byHandle.emplace(shown[i].Handle, i);
        if (!linked.contains(shown[i].Handle)) {
            unlinkedByName.emplace(shown[i].Name, i);
        }
    }

    std::vector<std::optional<std::size_t>> kept(plan.Stickers.size());
    std::vector<bool> taken(shown.size(), false);
    auto take = [&](std::size_t planned, std::size_t window) {
        if (!taken[window]) {
            taken[window] = true;
            kept[planned] = window;
        }
    };
    for (std::size_t p = 0; p < plan.Stickers.size(); ++p) {
        const std::size_t index = std::size_t(plan.Stickers[p].Index);
        if (index >= messages.size()) {
            continue;
        }
        if (const auto it = byHandle.find(messages[index].StickerHandle); it != byHandle.end()) {
            take(p, it->second);
        }
    }
    for (std::size_t p = 0; p < plan.Stickers.size(); ++p) {
        if (kept[p]) {
            continue;
        }
        if (const auto it = unlinkedByName.find(plan.Stickers[p].Name);
            it != unlinkedByName.end()) {
            take(p, it->second);
        }
    }
    return kept;
}

bool NeedsPlace(const PlannedSticker& planned, const ShownSticker& window) {
    if (!planned.Position) {
        return window.Visible;
    }
    return !window.Visible || window.Bounds != ScreenBounds(planned);
}

} // namespace

StickerChanges DiffStickers(const StickerPlan& plan, std::span<const StickerMessage> messages,
                            std::span<const ShownSticker> shown) {
    const std::vector<std::optional<std::size_t>> kept = MatchWindows(plan, messages, shown);
    StickerChanges changes;
    changes.Updates.resize(plan.Stickers.size());
    std::vector<bool> keeps(shown.size(), false);
    for (std::size_t p = 0; p < plan.Stickers.size(); ++p) {
        StickerUpdate& update = changes.Updates[p];
        const PlannedSticker& planned = plan.Stickers[p];
        if (!kept[p] || shown[*kept[p]].Dpi != planned.Dpi) {
            continue;
        }
        const ShownSticker& window = shown[*kept[p]];
        keeps[*kept[p]] = true;
        update.Window = kept[p];
        update.Rename = window.Name != planned.Name;
        update.Recolour = window.Red != planned.Red;
        const std::size_t index = std::size_t(planned.Index);
        update.Reload = index >= messages.size() || window.Text != messages[index].Text;
        update.Place = NeedsPlace(planned, window);
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (!keeps[i]) {
            changes.Gone.push_back(i);
        }
    }
    return changes;
}

// The bottom windows of `wanted` may stay where they are when, going up from
// the lowest, each one lies above the one before it and all of them lie
// above every other window (the wanted windows that are raised anyway do not
// count).
std::vector<std::uintptr_t> WindowsToRaise(std::span<const std::uintptr_t> current,
                                           std::span<const std::uintptr_t> wanted) {
    const std::unordered_set<std::uintptr_t> wantedSet(wanted.begin(), wanted.end());
    std::unordered_map<std::uintptr_t, std::size_t> position;
    std::size_t firstOther = current.size();
    for (std::size_t i = 0; i < current.size(); ++i) {
        position.emplace(current[i], i);
        if (firstOther == current.size() && !wantedSet.contains(current[i])) {
            firstOther = i;
        }
    }
    std::size_t staying = 0; // from the bottom of `wanted`
    std::size_t below = firstOther;
    for (auto it = wanted.rbegin(); it != wanted.rend(); ++it) {
        const auto found = position.find(*it);
        if (found == position.end() || found->second >= below) {
            break;
        }
        below = found->second;
        ++staying;
    }
    return {wanted.rbegin() + std::ptrdiff_t(staying), wanted.rend()};
}

} // namespace zandrel
