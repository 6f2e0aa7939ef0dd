#pragma once
// A timer of a form: WM_TIMER with its identifier runs OnTimer.
#include "framework/event.h"
#include "framework/form_description.h"

#include <windows.h>

#include <string>

namespace zandrel {

class Timer {
public:
    Timer(const TimerDescription& description, HWND owner, UINT_PTR id);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& Name() const { return name_; }
    UINT_PTR Id() const { return id_; }
    unsigned Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    EventHandler OnTimer;

private:
    std::string name_;
    HWND owner_;
    UINT_PTR id_;
    unsigned interval_;
    bool enabled_ = false;
};

} // namespace zandrel
