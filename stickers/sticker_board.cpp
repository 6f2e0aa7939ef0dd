#include "stickers/sticker_board.h"

#include "framework/application.h"
#include "stickers/core/sticker_changes.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace zandrel {

namespace {

// Moves, shows, hides and stacks windows in one batch (DeferWindowPos), in
// the order given: a window goes directly below the one named, or with
// HWND_TOP above all. Should the batch fail, the rest goes one window at a
// time.
class WindowPosBatch {
public:
    explicit WindowPosBatch(int count) : batch_(BeginDeferWindowPos(count)) {}
    ~WindowPosBatch() {
        if (batch_) {
            EndDeferWindowPos(batch_);
        }
    }
    WindowPosBatch(const WindowPosBatch&) = delete;
    WindowPosBatch& operator=(const WindowPosBatch&) = delete;

    void Add(HWND window, HWND after, WindowBounds bounds, UINT flags) {
        if (batch_) {
            batch_ = DeferWindowPos(batch_, window, after, bounds.Left, bounds.Top, bounds.Width,
                                    bounds.Height, flags);
        }
        if (!batch_) {
            SetWindowPos(window, after, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
                         flags);
        }
    }

private:
    HDWP batch_;
};

constexpr UINT kQuiet = SWP_NOACTIVATE | SWP_NOOWNERZORDER;

std::uintptr_t Id(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window);
}

HWND WindowOf(std::uintptr_t id) {
    return reinterpret_cast<HWND>(id);
}

bool SamePictures(const StickerPictures& a, const StickerPictures& b) {
    return a.Pin == b.Pin && a.PinRed == b.PinRed && a.Banner == b.Banner &&
           a.BannerRed == b.BannerRed;
}

ShownSticker Shown(const TFormMemo& sticker) {
    if (!sticker.Handle()) {
        return {};
    }
    const RECT rect = sticker.ScreenRect();
    return {
        Id(sticker.Handle()), sticker.Name(),
        sticker.Red(),        {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top},
        sticker.Visible(),    sticker.LoadedText()};
}

struct StackingScan {
    const std::unordered_set<HWND>& Set;
    std::vector<HWND> Order;
};

BOOL CALLBACK ScanStacking(HWND window, LPARAM scan) {
    auto& state = *reinterpret_cast<StackingScan*>(scan);
    if (state.Set.contains(window) ||
        (IsWindowVisible(window) && !(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST))) {
        state.Order.push_back(window);
    }
    return TRUE;
}

bool CanActivate(HWND window) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED) &&
           (style & (WS_POPUP | WS_CHILD)) != WS_CHILD;
}

// Where the activation goes when the active window disappears with the
// whole set: the next window below it that can take it, else the first one
// from the top; none when there is none.
HWND NextActive(HWND active, const std::unordered_set<HWND>& set) {
    for (HWND window = GetWindow(active, GW_HWNDNEXT); window;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (!set.contains(window) && CanActivate(window)) {
            return window;
        }
    }
    for (HWND window = GetTopWindow(nullptr); window && window != active;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (!set.contains(window) && CanActivate(window)) {
            return window;
        }
    }
    return nullptr;
}

// A full rebuild destroys every window of the set, the active one too, and
// the system hands the activation on before the new set shows: it is handed
// on the same way here, the windows it keeps included.
void HandOnActivation(const std::unordered_set<HWND>& set) {
    const HWND active = GetActiveWindow();
    if (!active || !set.contains(active)) {
        return;
    }
    const HWND next = NextActive(active, set);
    if (next && GetForegroundWindow() == active && SetForegroundWindow(next)) {
        return;
    }
    if (!next || !SetActiveWindow(next)) {
        SetActiveWindow(nullptr);
    }
}

} // namespace

// One window's part of the batch.
struct StickerBoard::Placement {
    TFormMemo* Sticker = nullptr;
    bool Shows = false;   // afterwards: stacked with the set
    bool Changes = false; // moved, sized, shown or hidden; else at most restacked
    UINT Flags = 0;       // SetWindowPos flags of the change
    WindowBounds Bounds;
};

bool StickerBoard::EnsurePlaceholder(WindowBounds bounds) {
    if (!stickers_.empty() && stickers_.front()->Handle()) {
        return false;
    }
    auto placeholder = std::make_unique<TFormMemo>(host_, bounds.Width, bounds.Height);
    placeholder->LoadText(".");
    if (stickers_.empty()) {
        stickers_.push_back(std::move(placeholder));
    } else {
        stickers_.front() = std::move(placeholder);
    }
    return true;
}

// The stacking now, top first, of the windows that show now and afterwards:
// every other window that shows, stay-on-top ones aside (the set goes below
// those), where the system's list has it; the set's windows in the places
// the list gives the set, in the order of their ranks. A window of unknown
// rank counts as not placed.
std::vector<std::uintptr_t>
StickerBoard::CurrentStacking(const std::vector<Placement>& placements) {
    std::unordered_set<HWND> set;
    std::vector<const TFormMemo*> placed;
    for (const Placement& placement : placements) {
        set.insert(placement.Sticker->Handle());
        if (placement.Shows && placement.Sticker->Visible() && placement.Sticker->StackingRank) {
            placed.push_back(placement.Sticker);
        }
    }
    std::unordered_set<HWND> slots;
    for (const TFormMemo* sticker : placed) {
        slots.insert(sticker->Handle());
    }
    std::sort(placed.begin(), placed.end(), [](const TFormMemo* a, const TFormMemo* b) {
        return a->StackingRank > b->StackingRank;
    });
    StackingScan scan{set, {}};
    EnumWindows(ScanStacking, reinterpret_cast<LPARAM>(&scan));
    std::vector<std::uintptr_t> stacking;
    auto next = placed.begin();
    for (const HWND window : scan.Order) {
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
void StickerBoard::Place(const std::vector<Placement>& placements) {
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

// New windows are created hidden at their final size before anything else
// changes; then names, colours and texts are set, and every move, resize,
// show, hide and restacking goes in one batch, so that no half-changed set
// shows. The windows no sticker keeps are destroyed after the batch has hidden
// them, and the notifications go out once the set stands.
void StickerBoard::Rebuild(bool expanded, const StickerPictures& pictures) {
    const bool repaint = !SamePictures(host_.Pictures, pictures);
    host_.Pictures = pictures;
    Environment& env = App().Env();
    MessageList* list = host_.Messages ? host_.Messages() : nullptr;
    const StickerPlan plan =
        PlanStickers(list ? StickerSources(*list) : std::vector<StickerSource>{}, env, env.Screen(),
                     env.Monitors(), expanded);
    const bool newPlaceholder = EnsurePlaceholder(plan.Placeholder);

    // Making a window may show an error box: the list is looked up again
    // after each step that makes some.
    list = host_.Messages ? host_.Messages() : nullptr;
    std::vector<ShownSticker> shown;
    shown.reserve(stickers_.size());
    for (std::size_t i = 1; i < stickers_.size(); ++i) {
        shown.push_back(Shown(*stickers_[i]));
    }
    const StickerChanges changes =
        DiffStickers(plan, list ? StickerMessages(*list) : std::vector<StickerMessage>{}, shown);

    std::vector<std::unique_ptr<TFormMemo>> made;
    for (std::size_t p = 0; p < plan.Stickers.size(); ++p) {
        if (!changes.Updates[p].Window) {
            made.push_back(std::make_unique<TFormMemo>(host_, plan.Stickers[p].Width,
                                                       plan.Stickers[p].Height));
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

    list = host_.Messages ? host_.Messages() : nullptr;
    std::vector<Placement> placements;
    placements.reserve(stickers_.size() + gone.size());
    TFormMemo& placeholder = *stickers_.front();
    const Placement placeholderPlacement{
        &placeholder, true, true, UINT(placeholder.Visible() ? 0 : SWP_SHOWWINDOW) | SWP_NOSIZE,
        plan.Placeholder};
    const RECT placeholderRect = placeholder.ScreenRect();
    placements.push_back(newPlaceholder || !placeholder.Visible() ||
                                 placeholderRect.left != plan.Placeholder.Left ||
                                 placeholderRect.top != plan.Placeholder.Top
                             ? placeholderPlacement
                             : Placement{&placeholder, true, false, 0, {}});
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
        const bool fresh = !update.Window;
        TMessageEntry& entry = list->Entry(std::size_t(planned.Index));
        entry.StickerHandle = Id(sticker.Handle());
        if (fresh || update.Rename) {
            sticker.SetName(planned.Name);
        }
        if (fresh ? planned.Red : update.Recolour) {
            sticker.SetStickerColor(planned.Red ? kStickerRed : kStickerYellow);
        } else if (repaint && !fresh) {
            InvalidateRect(sticker.Handle(), nullptr, TRUE);
        }
        if (fresh || update.Reload) {
            sticker.LoadText(entry.RichText);
        }
        Placement placement{&sticker, planned.Position.has_value(), false, 0, {}};
        if (planned.Position && (fresh || update.Place)) {
            placement.Changes = true;
            placement.Flags =
                UINT(sticker.Visible() ? 0 : SWP_SHOWWINDOW) | UINT(fresh ? SWP_NOSIZE : 0);
            placement.Bounds = {planned.Position->Left, planned.Position->Top, planned.Width,
                                planned.Height};
        } else if (!planned.Position && update.Place) {
            placement.Changes = true;
            placement.Flags = SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE;
        }
        placements.push_back(placement);
    }
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

    for (const PlannedSticker& planned : plan.Stickers) {
        // A dialog of the mail service runs a loop of its own: the list is
        // looked up again after each one.
        list = host_.Messages ? host_.Messages() : nullptr;
        if (!list || std::size_t(planned.Index) >= list->Count() || !host_.SendMailNotification) {
            break;
        }
        host_.SendMailNotification(list->Entry(std::size_t(planned.Index)));
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
