#pragma once
// The base hint window: a top-most pop-up with a frame that shows a hint's
// text in the hint font (the system's status-bar font) and never takes the
// focus. Derived windows change its creation parameters, its activation and
// its painting. A refused font leaves it the system's font, said once.
#include "framework/hints/core/hint_geometry.h"
#include "framework/refusals.h"
#include "framework/window.h"

#include <string>

namespace zandrel {

HintRect FromRect(const RECT& rect);
RECT ToRect(const HintRect& rect);

class HintWindow : public Window {
public:
    HintWindow();
    ~HintWindow() override;

    // Creates the window from CreateParams; called once the object is whole,
    // so that a derived window's parameters count.
    void Create();

    // The rectangle at 0, 0 that text needs: measured with word breaks and no
    // prefix processing within maxWidth, 6 pixels wider and 2 higher.
    RECT CalcHintRect(int maxWidth, const std::string& text) const;
    // Shows text in rect (screen coordinates), kept on the desktop, top-most
    // and without taking the focus.
    virtual void ActivateHint(RECT rect, const std::string& text);
    void ReleaseHint();

    std::string Text() const;
    HFONT Font() const { return FontOrSystem(font_); }
    COLORREF Color() const { return color_; }
    // The DPI of the window the next hint is for: the hint's font and margins
    // follow it.
    DpiScale Scaling() const { return scale_; }
    void SetScaling(DpiScale scale);

protected:
    virtual WindowCreation CreateParams() const;
    virtual void Paint(HDC dc);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void SetColor(COLORREF color) { color_ = color; }
    // Text measured in the hint font, broken at words within maxWidth.
    SIZE MeasureText(const std::string& text, int maxWidth) const;
    // Draws the window's text in the hint font.
    void DrawHintText(HDC dc, RECT rect, UINT format) const;
    // Tells the user of a refusal, once for each failing call.
    void TellRefusal(const SystemError& error) { refusals_.Tell(error); }

private:
    void MakeFont();
    void EraseBackground(HDC dc) const;

    Refusals refusals_;
    DpiScale scale_;
    FontHandle font_;
    COLORREF color_;
};

// The desktop the hints keep to: the whole virtual screen.
DesktopArea ScreenDesktop();

} // namespace zandrel
