#pragma once
// TMarquee: a panel that scrolls its lines through its client area, one
// pixel every 50 ms. The lines are drawn once into an off-screen strip; each
// tick only copies the visible part of it. A double-click shows the whole
// text in a window of its own. Refused its font, it scrolls in the system's;
// refused its strip, it shows its plain colour; either said once.
#include "extras/core/marquee_scroll.h"
#include "framework/controls/custom_control.h"
#include "framework/device_context.h"
#include "framework/handles.h"
#include "framework/refusals.h"

#include <memory>
#include <string>
#include <vector>

namespace zandrel {

class Form;

enum class TJustification { tjCenter, tjLeft, tjRight };

class TMarquee : public CustomControl {
public:
    // A child of owner, which the full-text window shows again when it
    // closes.
    explicit TMarquee(Form& owner);
    ~TMarquee() override;

    const std::vector<std::string>& Items() const { return items_; }
    std::vector<std::string>& Items() { return items_; }
    void SetItems(const std::vector<std::string>& items);

    bool ScrollDown = false;
    TJustification Justify = TJustification::tjCenter;
    zandrel::Color Color = clBtnFace;
    FontDescription Font;
    zandrel::Color FontColor = kSystemColor | COLOR_BTNTEXT;
    EventHandler OnDone; // when scrolling stops

    bool Active() const { return active_; }
    int Offset() const { return scroll_.Offset(); }
    int LineHeight() const { return lineHeight_; }
    const MarqueeRect& ViewRect() const { return scroll_.ViewRect(); }

    // Changes of the lines, the font or the size show after a stop and a
    // new start.
    void StartScroll();
    virtual void StopScroll();
    virtual void RenderStrip();
    void ScrollTick();
    void AdvanceOffset();
    void ResetOffset();
    void MeasureLineHeight();
    void LayoutStrip();
    void MakeFont();
    void DrawStripLine(RECT rect, int index);
    // Shows every line in TFormAbout2, modally.
    void ShowFullText();

protected:
    void Paint(HDC dc) override;
    void Tick(UINT_PTR id) override;

private:
    // The off-screen bitmap with the marquee's font selected.
    class StripCanvas {
    public:
        StripCanvas(HDC like, int width, int height, HFONT font);
        HDC Get() const { return dc_.Get(); }

    private:
        MemoryDc dc_;
        BitmapHandle bitmap_;
        Selection bitmapSelected_;
        Selection fontSelected_;
    };

    Form& owner_;
    Refusals refusals_;
    std::vector<std::string> items_;
    MarqueeScroll scroll_;
    FontHandle font_;
    int lineHeight_ = 0;
    std::unique_ptr<StripCanvas> Strip;
    bool active_ = false;
};

} // namespace zandrel
