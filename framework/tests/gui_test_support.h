#pragma once
// Helpers for tests that drive real windows: they pump the thread's messages
// while they wait for a state, and never sleep a fixed time.
#include <windows.h>

#include <chrono>
#include <functional>

namespace zandrel::testing {

// Dispatches every pending message of this thread.
void PumpMessages();

// Pumps messages until condition holds or the timeout passes; returns the
// condition's last value.
bool PumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Runs action once the system's pop-up menu window is on the screen, from a
// timer that fires inside the menu's own message loop; true if it ran.
// Call before the command that opens the menu (which returns when the menu
// has closed); action must close the menu.
class MenuWatcher {
public:
    explicit MenuWatcher(std::function<void(HWND menuWindow)> action);
    ~MenuWatcher();
    MenuWatcher(const MenuWatcher&) = delete;
    MenuWatcher& operator=(const MenuWatcher&) = delete;

    bool Ran() const { return ran_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    std::function<void(HWND)> action_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};

} // namespace zandrel::testing
