#include "framework/timer.h"

namespace zandrel {

Timer::Timer(const TimerDescription& description, HWND owner, UINT_PTR id)
    : name_(description.Name), owner_(owner), id_(id), interval_(description.Interval) {
    SetEnabled(description.Enabled);
}

Timer::~Timer() {
    SetEnabled(false);
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled) {
        SetTimer(owner_, id_, interval_, nullptr);
    } else {
        KillTimer(owner_, id_);
    }
}

} // namespace zandrel
