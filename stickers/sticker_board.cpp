#include "stickers/sticker_board.h"

#include "framework/application.h"
#include "framework/system_error.h"
#include "stickers/window_order.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace zandrel {

namespace {

constexpr UINT kQuiet = SWP_NOACTIVATE | SWP_NOOWNERZORDER;

std::uintptr_t Id(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window);
}

HWND WindowOf(std::uintptr_t id) {
    return reinterpret_cast<HWND>(id);
}

ShownSticker Shown(const TFormMemo& sticker) {
    if (!sticker.Handle()) {
        return {};
    }
    const RECT rect = sticker.ScreenRect();
    return {
        Id(sticker.Handle()), sticker.Name(),
        sticker.Red(),        {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top},
        sticker.Visible(),    sticker.LoadedText(),
        sticker.Scaling().Dpi()};
}

} // namespace

// One window's part of the batch.
struct StickerBoard::Placement {
    TFormMemo* Sticker = nullptr;
    bool Shows = false;   // afterwards: stacked with the set
    bool Changes = false; // moved, sized, shown or hidden; else at most raised
    UINT Flags = 0;       // SetWindowPos flags of the change
    WindowBounds Bounds;
};

namespace {

using Placement = StickerBoard::Placement;

// Off the screen; moved only when the screen's width changed.
Placement PlaceholderPlacement(TFormMemo& placeholder, WindowBounds wanted, bool made) {
    const RECT rect = placeholder.ScreenRect();
    if (!made && placeholder.Visible() && rect.left == wanted.Left && rect.top == wanted.Top) {
        return {&placeholder, true, false, 0, {}};
    }
    return {&placeholder, true, true, UINT(placeholder.Visible() ? 0 : SWP_SHOWWINDOW) | SWP_NOSIZE,
            wanted};
}

// A new window was made at its size; a kept one is sized too.
Placement StickerPlacement(TFormMemo& sticker, const PlannedSticker& planned, bool made,
                           bool place) {
    Placement placement{&sticker, planned.Position.has_value(), false, 0, {}};
    if (planned.Position && (made || place)) {
        placement.Changes = true;
        placement.Flags =
            UINT(sticker.Visible() ? 0 : SWP_SHOWWINDOW) | UINT(made ? SWP_NOSIZE : 0);
        placement.Bounds = ScreenBounds(planned);
    } else if (!planned.Position && place) {
        placement.Changes = true;
        placement.Flags = SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE;
    }
    return placement;
}

// The stacking now, top first, of the windows that show now and afterwards:
// every other window that shows, stay-on-top ones aside (the set goes below
// those), where the system's list has it; the set's windows in the places
// the list gives the set, in the order of their ranks. A window of unknown
// rank counts as not placed.
std::vector<std::uintptr_t> CurrentStacking(const std::vector<Placement>& placements) {
    std::unordered_set<HWND> set;
    std::unordered_set<HWND> slots;
    std::vector<const TFormMemo*> placed;
    for (const Placement& placement : placements) {
        set.insert(placement.Sticker->Handle());
        if (placement.Shows && placement.Sticker->Visible() && placement.Sticker->StackingRank) {
            placed.push_back(placement.Sticker);
            slots.insert(placement.Sticker->Handle());
        }
    }
    std::sort(placed.begin(), placed.end(), [](const TFormMemo* a, const TFormMemo* b) {
        return a->StackingRank > b->StackingRank;
    });
    std::vector<std::uintptr_t> stacking;
    auto next = placed.begin();
    for (const HWND window : ListedStacking(set)) {
        if (!set.contains(window)) {
            stacking.push_back(Id(window));
        } else if (slots.contains(window)) {
            stacking.push_back(Id((*next++)->Handle()));
        }
    }
    return stacking;
}

// The set ends stacked as showing each window on top of all in turn would
// stack it; only the windows out of that order are raised.
void Place(const std::vector<Placement>& placements) {
    std::unordered_map<HWND, const Placement*> byWindow;
    std::vector<std::uintptr_t> wanted;
    for (auto it = placements.rbegin(); it != placements.rend(); ++it) {
        byWindow.emplace(it->Sticker->Handle(), &*it);
        if (it->Shows) {
            wanted.push_back(Id(it->Sticker->Handle()));
        }
    }
    const std::vector<std::uintptr_t> raised = WindowsToRaise(CurrentStacking(placements), wanted);
    {
        WindowPosBatch batch(int(placements.size()));
        std::unordered_set<HWND> done;
        for (const std::uintptr_t window : raised) {
            const Placement& placement = *byWindow.at(WindowOf(window));
            const UINT change = placement.Changes ? placement.Flags : SWP_NOMOVE | SWP_NOSIZE;
            batch.Add(WindowOf(window), HWND_TOP, placement.Bounds, change | kQuiet);
            done.insert(WindowOf(window));
        }
        for (const Placement& placement : placements) {
            const HWND window = placement.Sticker->Handle();
            if (placement.Changes && !done.contains(window)) {
                batch.Add(window, nullptr, placement.Bounds,
                          placement.Flags | SWP_NOZORDER | kQuiet);
            }
        }
    }
    for (const Placement& placement : placements) { // bottom first
        if (placement.Shows) {
            placement.Sticker->StackingRank = TFormMemo::NextStackingRank();
        }
    }
}

} // namespace

bool StickerBoard::EnsurePlaceholder(WindowBounds bounds, int dpi) {
    if (!stickers_.empty() && stickers_.front()->Handle()) {
        return false;
    }
    auto placeholder = std::make_unique<TFormMemo>(host_, gdi_, bounds.Width, bounds.Height, dpi);
    placeholder->LoadText(".");
    if (stickers_.empty()) {
        stickers_.push_back(std::move(placeholder));
    } else {
        stickers_.front() = std::move(placeholder);
    }
    return true;
}

// Making a window may show an error box: the set stays whole until every new
// window is made. At the system's limits the next window would be refused
// too: none is asked for after a refusal.
std::vector<std::unique_ptr<TFormMemo>> StickerBoard::TakeWindows(StickerPlan& plan,
                                                                  StickerChanges& changes) {
    std::vector<std::unique_ptr<TFormMemo>> made;
    for (std::size_t p = 0; p < plan.Stickers.size(); ++p) {
        if (changes.Updates[p].Window) {
            continue;
        }
        const PlannedSticker& planned = plan.Stickers[p];
        try {
            made.push_back(std::make_unique<TFormMemo>(host_, gdi_, planned.Width, planned.Height,
                                                       planned.Dpi));
        } catch (const SystemError& refused) {
            LeaveOut(plan, changes, p, refused.what());
            break;
        }
    }
    std::vector<std::unique_ptr<TFormMemo>> next;
    next.reserve(plan.Stickers.size() + 1);
    next.push_back(std::move(stickers_.front()));
    auto nextMade = made.begin();
    for (const StickerUpdate& update : changes.Updates) {
        next.push_back(update.Window ? std::move(stickers_[1 + *update.Window])
                                     : std::move(*nextMade++));
    }
    std::vector<std::unique_ptr<TFormMemo>> gone;
    for (const std::size_t index : changes.Gone) {
        gone.push_back(std::move(stickers_[1 + index]));
    }
    stickers_ = std::move(next);
    return gone;
}

void StickerBoard::LeaveOut(StickerPlan& plan, StickerChanges& changes, std::size_t from,
                            const std::string& reason) {
    MessageList* list = host_.Messages ? host_.Messages() : nullptr;
    std::size_t kept = from;
    for (std::size_t p = from; p < plan.Stickers.size(); ++p) {
        if (changes.Updates[p].Window) {
            plan.Stickers[kept] = plan.Stickers[p];
            changes.Updates[kept++] = changes.Updates[p];
        } else if (list && std::size_t(plan.Stickers[p].Index) < list->Count()) {
            list->Entry(std::size_t(plan.Stickers[p].Index)).StickerHandle = 0;
        }
    }
    leftOut_ = int(plan.Stickers.size() - kept);
    leftOutReason_ = reason;
    plan.Stickers.resize(kept);
    changes.Updates.resize(kept);
}

std::optional<std::string> StickerBoard::TakeLeftOutReport() {
    if (leftOut_ == std::exchange(leftOutReported_, leftOut_) || leftOut_ == 0) {
        return std::nullopt;
    }
    return std::to_string(leftOut_) + (leftOut_ == 1 ? " note" : " notes") +
           " could not be shown as stickers: the system refused what they need. They stay in "
           "the list and the editor; a refresh shows them once the system has room.\n" +
           leftOutReason_;
}

std::vector<StickerBoard::Placement> StickerBoard::Update(const StickerPlan& plan,
                                                          const StickerChanges& changes,
                                                          bool newPlaceholder,
                                                          bool picturesChanged) {
    std::vector<Placement> placements;
    placements.reserve(stickers_.size());
    placements.push_back(
        PlaceholderPlacement(*stickers_.front(), plan.Placeholder, newPlaceholder));
    MessageList* list = host_.Messages ? host_.Messages() : nullptr;
    for (std::size_t p = 0; p < plan.Stickers.size(); ++p) {
        TFormMemo& sticker = *stickers_[1 + p];
        const PlannedSticker& planned = plan.Stickers[p];
        const StickerUpdate& update = changes.Updates[p];
        if (!list || std::size_t(planned.Index) >= list->Count()) {
            break;
        }
        if (!sticker.Handle()) {
            continue; // closed under an error box
        }
        const bool made = !update.Window;
        TMessageEntry& entry = list->Entry(std::size_t(planned.Index));
        entry.StickerHandle = Id(sticker.Handle());
        if (made || update.Rename) {
            sticker.SetName(planned.Name);
        }
        if (made ? planned.Red : update.Recolour) {
            sticker.SetStickerColor(planned.Red ? kStickerRed : kStickerYellow);
        } else if (!made && picturesChanged) {
            InvalidateRect(sticker.Handle(), nullptr, TRUE);
        }
        if (made || update.Reload) {
            sticker.LoadMessage(entry);
        }
        placements.push_back(StickerPlacement(sticker, planned, made, update.Place));
    }
    return placements;
}

// A dialog of the mail service runs a loop of its own: the list is looked up
// again after each notification.
void StickerBoard::SendNotifications(const StickerPlan& plan) {
    for (const PlannedSticker& planned : plan.Stickers) {
        MessageList* list = host_.Messages ? host_.Messages() : nullptr;
        if (!list || std::size_t(planned.Index) >= list->Count() || !host_.SendMailNotification) {
            return;
        }
        host_.SendMailNotification(list->Entry(std::size_t(planned.Index)));
    }
}

// New windows are made hidden at their final size before anything else
// changes; then links, names, colours and texts are set, and every move,
// resize, show, hide and raise goes in one batch, so that no half-changed
// set shows. The windows no sticker keeps are destroyed once the batch has
// hidden them, and the notifications go out when the set stands.
void StickerBoard::Rebuild(bool expanded, const StickerPictures& pictures) {
    const bool picturesChanged = host_.Pictures != pictures;
    host_.Pictures = pictures;
    Environment& env = App().Env();
    MessageList* list = host_.Messages ? host_.Messages() : nullptr;
    StickerPlan plan =
        PlanStickers(list ? StickerSources(*list) : std::vector<StickerSource>{}, env, env.Screen(),
                     env.Monitors(), expanded);
    const bool newPlaceholder = EnsurePlaceholder(plan.Placeholder, plan.PlaceholderDpi);

    std::vector<ShownSticker> shown;
    shown.reserve(stickers_.size());
    for (std::size_t i = 1; i < stickers_.size(); ++i) {
        shown.push_back(Shown(*stickers_[i]));
    }
    list = host_.Messages ? host_.Messages() : nullptr;
    StickerChanges changes =
        DiffStickers(plan, list ? StickerMessages(*list) : std::vector<StickerMessage>{}, shown);
    leftOut_ = 0;
    std::vector<std::unique_ptr<TFormMemo>> gone = TakeWindows(plan, changes);

    std::vector<Placement> placements = Update(plan, changes, newPlaceholder, picturesChanged);
    for (const auto& sticker : gone) {
        if (sticker->Handle() && sticker->Visible()) {
            placements.push_back(
                {sticker.get(), false, true, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE, {}});
        }
    }
    std::unordered_set<HWND> set;
    for (const Placement& placement : placements) {
        set.insert(placement.Sticker->Handle());
    }
    HandOnActivation(set);
    Place(placements);

    const HWND capture = GetCapture();
    for (const auto& sticker : stickers_) {
        if (sticker->Handle()) {
            sticker->MakeFresh(capture);
        }
    }
    // Last first, as they were made.
    while (!gone.empty()) {
        gone.pop_back();
    }
    SendNotifications(plan);
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
