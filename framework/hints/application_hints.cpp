#include "framework/hints/application_hints.h"

#include "framework/controls/control.h"

namespace zandrel {
namespace {

constexpr char kHintTimerClass[] = "Zandrel.HintTimers";
constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kHideTimer = 2;
// While a hint waits or shows, the pointer is watched for leaving its control.
constexpr UINT_PTR kWatchTimer = 3;
constexpr UINT kWatchInterval = 100;

bool SameTarget(const HintTarget& a, const HintTarget& b) {
    return a.Control == b.Control && a.Button == b.Button;
}

} // namespace

ApplicationHints::ApplicationHints() : class_([] { return std::make_unique<HintWindow>(); }) {
    WindowCreation creation;
    creation.ClassName = kHintTimerClass;
    creation.Style = 0;
    creation.Place = {0, 0, 0, 0};
    creation.Parent = HWND_MESSAGE;
    CreateHandle(creation);
    SetShowHint(true);
}

ApplicationHints::~ApplicationHints() {
    window_.reset();
    DestroyHandle();
}

void ApplicationHints::SetShowHint(bool show) {
    if (show == ShowHint()) {
        return;
    }
    Stop();
    if (show) {
        auto window = class_();
        window->Create();
        window_ = std::move(window);
    } else {
        window_.reset();
    }
}

void ApplicationHints::SetHintWindowClass(HintWindowClass windowClass) {
    class_ = std::move(windowClass);
}

bool ApplicationHints::Wanted() const {
    return window_ && target_.Enabled && !target_.Text.empty();
}

void ApplicationHints::PointerOver(HintTarget target, bool pressed) {
    if (!SameTarget(target, target_)) {
        Stop();
        target_ = std::move(target);
        if (Wanted()) {
            SetTimer(Handle(), kShowTimer, kHintShowPause, nullptr);
            SetTimer(Handle(), kWatchTimer, kWatchInterval, nullptr);
        }
    }
    // A click ends the hint; it comes back only over another control.
    if (pressed) {
        Stop();
    }
}

void ApplicationHints::Cancel(HWND window) {
    if (target_.Control && (target_.Control == window || IsChild(window, target_.Control))) {
        Forget();
    }
}

bool ApplicationHints::PointerStillOver() const {
    POINT pointer{};
    if (!GetCursorPos(&pointer) || !PtInRect(&target_.Area, pointer)) {
        return false;
    }
    const HWND under = WindowFromPoint(pointer);
    return under == target_.Control || IsChild(target_.Control, under);
}

void ApplicationHints::Show() {
    POINT pointer{};
    GetCursorPos(&pointer);
    window_->SetScaling(ScalingOf(target_.Control));
    const RECT size = window_->CalcHintRect(GetSystemMetrics(SM_CXSCREEN), target_.Text);
    const HintRect placed = PlaceBelowPointer(FromRect(size), {int(pointer.x), int(pointer.y)},
                                              GetSystemMetrics(SM_CYCURSOR));
    window_->ActivateHint(ToRect(placed), target_.Text);
    SetTimer(Handle(), kHideTimer, UINT(HintHidePause(target_.Text.size())), nullptr);
}

// Hides the hint and waits for nothing; the target stays, so that the hint
// does not come back while the pointer rests there.
void ApplicationHints::Stop() {
    for (const UINT_PTR timer : {kShowTimer, kHideTimer, kWatchTimer}) {
        KillTimer(Handle(), timer);
    }
    if (window_) {
        window_->ReleaseHint();
    }
}

void ApplicationHints::Forget() {
    Stop();
    target_ = {};
}

LRESULT ApplicationHints::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) {
        return Window::HandleMessage(message, wParam, lParam);
    }
    if (!PointerStillOver()) {
        Forget();
        return 0;
    }
    switch (wParam) {
    case kShowTimer:
        KillTimer(Handle(), kShowTimer);
        Show();
        break;
    case kHideTimer:
        Stop();
        break;
    default:
        break;
    }
    return 0;
}

} // namespace zandrel
