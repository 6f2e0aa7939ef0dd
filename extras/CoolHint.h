#pragma once
// The program's hint window: a yellow ellipse without frame with the hint's
// text centred in it (a yellow rectangle when the system refuses the shape).
// It replaces the base hint window for the whole application from the
// program's start.
#include "framework/application.h"
#include "framework/hints/hint_window.h"

namespace zandrel {

class TDDGHintWindow : public HintWindow {
public:
    TDDGHintWindow() = default;
    ~TDDGHintWindow() override;

    // Widens the rectangle by "WWWW" and makes it 10 pixels taller, shapes
    // the window as the ellipse of that size, then shows it as the base does.
    void ActivateHint(RECT rect, const std::string& text) override;

protected:
    WindowCreation CreateParams() const override;
    void Paint(HDC dc) override;

private:
    void ReleaseShape();

    bool shaped_ = false; // the window has its ellipse
};

// Makes TDDGHintWindow the application's hint window: hints off, the class
// replaced, hints on again. Called once at start, before the main window.
void InstallCoolHint(Application& application);

} // namespace zandrel
