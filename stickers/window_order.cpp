#include "stickers/window_order.h"

namespace zandrel {

void WindowPosBatch::Add(HWND window, HWND after, WindowBounds bounds, UINT flags) {
    if (batch_) {
        batch_ = DeferWindowPos(batch_, window, after, bounds.Left, bounds.Top, bounds.Width,
                                bounds.Height, flags);
    }
    if (!batch_) {
        SetWindowPos(window, after, bounds.Left, bounds.Top, bounds.Width, bounds.Height, flags);
    }
}

namespace {

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

} // namespace

std::vector<HWND> ListedStacking(const std::unordered_set<HWND>& set) {
    StackingScan scan{set, {}};
    EnumWindows(ScanStacking, reinterpret_cast<LPARAM>(&scan));
    return std::move(scan.Order);
}

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

} // namespace zandrel
