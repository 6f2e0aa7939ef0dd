#pragma once
// TFormAbout: the elliptical About window on black, with its pictures, the
// Continue button and the program's description scrolling upward in yellow.
// A press anywhere in it drags it. Refused the ellipse, it shows as the
// rectangle it is, and says so once.
#include "extras/Marquee.h"
#include "framework/form.h"
#include "framework/refusals.h"

#include <memory>
#include <string>
#include <vector>

namespace zandrel {

inline constexpr char kHomePage[] = "https://www.keltrune.com/zandrel/";
inline constexpr char kMailLink[] = "mailto:zandrel@keltrune.com";

class TFormAbout : public Form {
public:
    TFormAbout();
    ~TFormAbout() override;

    // A copy of Memo1's lines, from creation until the window closes.
    std::unique_ptr<std::vector<std::string>> AboutLines;
    TMarquee& AboutMarquee() const { return *AboutMarquee_; }

    void FormCreate(Event& event);
    void FormClose(Event& event);
    void BtnContinueClick(Event& event);
    void Image2DblClick(Event& event);
    void Image3DblClick(Event& event);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;

private:
    // The ellipse the window is clipped to, for its size and DPI.
    void SetEllipse();
    // The marquee over the memo, its lines drawn afresh in its font.
    void PlaceMarquee();

    Refusals refusals_;
    std::unique_ptr<TMarquee> AboutMarquee_;
};

} // namespace zandrel
