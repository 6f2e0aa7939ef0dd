#pragma once
// The application's hint machinery: one hint window at a time, made from a
// replaceable class. A hint shows when the pointer has rested over a control
// with a hint for a moment, and goes when the pointer leaves that control (or
// that toolbar button), on a click, after a while, or when its form hides.
// Its timers run on a hidden window of its own.
#include "framework/hints/hint_window.h"
#include "framework/window.h"

#include <functional>
#include <memory>
#include <string>

namespace zandrel {

// What the pointer rests on: a control, or a button of a toolbar.
struct HintTarget {
    HWND Control = nullptr;
    int Button = -1;  // the toolbar button's command, or -1
    RECT Area{};      // screen coordinates
    std::string Text; // the short hint
    bool Enabled = false;
};

// Makes the hint window; the application's "hint window class".
using HintWindowClass = std::function<std::unique_ptr<HintWindow>()>;

class ApplicationHints : private Window {
public:
    // Hints on, with the base hint window.
    ApplicationHints();
    ~ApplicationHints() override;

    bool ShowHint() const { return window_ != nullptr; }
    // Switching on creates the hint window from the current class; switching
    // off destroys it.
    void SetShowHint(bool show);
    void SetHintWindowClass(HintWindowClass windowClass);
    // The hint window, or nullptr while hints are off.
    HintWindow* CurrentWindow() const { return window_.get(); }

    // The pointer is over target (no text, or hints off there: nothing to
    // show); pressed: a mouse button went down.
    void PointerOver(HintTarget target, bool pressed);
    // Hides the hint when its control lies in window (a form that hides).
    void Cancel(HWND window);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool Wanted() const;
    bool PointerStillOver() const;
    void Show();
    void Stop();
    void Forget();

    HintWindowClass class_;
    std::unique_ptr<HintWindow> window_;
    HintTarget target_;
};

} // namespace zandrel
