#pragma once
// Helpers for tests that drive real windows: they pump the thread's messages
// while they wait for a state, and never sleep a fixed time.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zandrel::testing {

// Dispatches every pending message of this thread.
void PumpMessages();

// Pumps messages until condition holds or the timeout passes; returns the
// condition's last value.
bool PumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Pumps messages for a moment, so that the window system's answers to what
// the thread did have come before the next input a test sends, as they have
// before a user's click. Under Wine the X server reports an activation's
// focus change late: a FocusOut of the window active again by then cancels
// its modes (WM_CANCELMODE), and a menu open at that time closes.
void LetTheDisplayCatchUp();

// Every window of this (single user-interface) thread, children included.
int ThreadWindows();

// The process's drawing objects. Wine does not count them for
// GetGuiResources; there every live object answers GetObjectType at its slot
// of the handle table.
int GdiObjects();

// For a picture taken from outside (scripts/take_screenshots.sh): waits
// until windows and their children have painted, writes folder/NAME.ready and
// waits for folder/NAME.taken; false when either wait timed out.
bool HandOverForScreenshot(const std::filesystem::path& folder, const std::string& name,
                           const std::vector<HWND>& windows);

// Runs an action from a thread timer, which fires inside whatever message
// loop runs at the time: the loop of a modal form or of a box. The action
// runs at every tick until it says it is done; a tick inside a loop that the
// action itself opened runs it again, so it keeps its own steps.
class InsideLoop {
public:
    explicit InsideLoop(std::function<bool()> action);
    ~InsideLoop();
    InsideLoop(const InsideLoop&) = delete;
    InsideLoop& operator=(const InsideLoop&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    std::function<bool()> action_;
    UINT_PTR timer_ = 0;
    bool done_ = false;
};

// Runs action once the system's pop-up menu window (or a window of the class
// given, such as a modal box) is on the screen, from a timer that fires
// inside the menu's or the box's own message loop; true if it ran. Call
// before the command that opens it (which returns when it has closed);
// action must close it.
class MenuWatcher {
public:
    explicit MenuWatcher(std::function<void(HWND menuWindow)> action,
                         const char* windowClass = "#32768");

    bool Ran() const { return ran_; }

private:
    bool ran_ = false;
    InsideLoop loop_;
};

} // namespace zandrel::testing
