#include "extras/Marquee.h"

#include "extras/about2.h"
#include "framework/application.h"
#include "framework/form.h"

namespace zandrel {
namespace {

constexpr char kMarqueeClass[] = "Zandrel.TMarquee";
constexpr UINT_PTR kScrollTimer = 1;
constexpr unsigned kScrollInterval = 50; // milliseconds: 20 pixels a second
constexpr int kBevelWidth = 1;

ComponentDescription MarqueeDescription() {
    return CustomComponent("AboutMarquee", kMarqueeClass, {0, 0, 100, 75});
}

UINT JustifyFlag(TJustification justify) {
    switch (justify) {
    case TJustification::tjLeft:
        return DT_LEFT;
    case TJustification::tjRight:
        return DT_RIGHT;
    case TJustification::tjCenter:
        break;
    }
    return DT_CENTER;
}

RECT ToRect(const MarqueeRect& rect) {
    return {rect.Left, rect.Top, rect.Right, rect.Bottom};
}

// Fills the client area with colour inside a raised bevel.
void PaintPanel(HWND window, HDC dc, COLORREF colour) {
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, SolidBrush(dc, colour));
    DrawEdge(dc, &client, BDR_RAISEDOUTER, BF_RECT);
}

// The strip's bitmap, like the DC `like`, for the memory DC `strip`; a
// SystemError when the system refuses either.
BitmapHandle StripBitmap(HDC strip, HDC like, int width, int height) {
    constexpr char failure[] = "Cannot draw the scrolling text";
    if (!strip) {
        throw SystemError(failure, "CreateCompatibleDC");
    }
    BitmapHandle bitmap(CreateCompatibleBitmap(like, width, height));
    if (!bitmap) {
        throw SystemError(failure, "CreateCompatibleBitmap");
    }
    return bitmap;
}

} // namespace

TMarquee::StripCanvas::StripCanvas(HDC like, int width, int height, HFONT font)
    : dc_(like), bitmap_(StripBitmap(dc_.Get(), like, width, height)),
      bitmapSelected_(dc_.Get(), bitmap_.get()), fontSelected_(dc_.Get(), font) {}

TMarquee::TMarquee(Form& owner)
    : CustomControl(MarqueeDescription(), owner.Handle(), 0), owner_(owner) {
    OnDblClick = [this](Event&) { ShowFullText(); };
}

// Created at run time, so its window goes with it.
TMarquee::~TMarquee() {
    StopScroll();
    DestroyWindow(Handle());
}

void TMarquee::SetItems(const std::vector<std::string>& items) {
    if (&items != &items_) {
        items_ = items;
    }
}

void TMarquee::StartScroll() {
    if (active_ || items_.empty()) {
        return;
    }
    active_ = true;
    RenderStrip();
    StartTimer(kScrollTimer, kScrollInterval);
}

void TMarquee::StopScroll() {
    if (!active_) {
        return;
    }
    StopTimer(kScrollTimer);
    if (OnDone) {
        Event event{this};
        OnDone(event);
    }
    active_ = false;
    Strip.reset();
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TMarquee::RenderStrip() {
    MakeFont();
    MeasureLineHeight();
    LayoutStrip();
    const MarqueeRect& view = scroll_.ViewRect();
    const MarqueeRect& strip = scroll_.StripRect();
    RECT line{view.Left, 0, view.Right, strip.Bottom};
    ResetOffset();

    const WindowDc screen(Handle());
    SetLastError(ERROR_SUCCESS); // GDI may refuse without a reason: none rather than a stale one
    try {
        Strip = std::make_unique<StripCanvas>(screen.Get(), strip.Right, strip.Bottom,
                                              FontOrSystem(font_));
    } catch (const SystemError& error) {
        refusals_.Tell(error);
        return;
    }
    const RECT whole = ToRect(strip);
    FillRect(Strip->Get(), &whole, SolidBrush(Strip->Get(), ColorRef(Color)));
    SetBkMode(Strip->Get(), TRANSPARENT);
    SetTextColor(Strip->Get(), ColorRef(FontColor));
    for (int i = 0; i < int(items_.size()); ++i) {
        line.top = scroll_.LineTop(i);
        DrawStripLine(line, i);
    }
}

void TMarquee::MakeFont() {
    try {
        font_ = CreateFontFrom(Font, Scaling());
    } catch (const SystemError& error) {
        font_.reset();
        refusals_.Tell(error);
    }
}

void TMarquee::MeasureLineHeight() {
    const WindowDc dc(Handle());
    const Selection selected(dc.Get(), FontOrSystem(font_));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.Get(), &metrics);
    lineHeight_ = metrics.tmHeight + metrics.tmInternalLeading;
}

void TMarquee::LayoutStrip() {
    const Bounds place = Place();
    scroll_.LayoutStrip(place.Width, place.Height, int(items_.size()), lineHeight_, kBevelWidth);
}

// Empty lines draw nothing; they keep their rows all the same.
void TMarquee::DrawStripLine(RECT rect, int index) {
    const std::string& line = items_[index];
    if (!Strip || line.empty()) {
        return;
    }
    DrawTextA(Strip->Get(), line.c_str(), int(line.size()), &rect,
              DT_SINGLELINE | DT_TOP | DT_NOPREFIX | JustifyFlag(Justify));
}

void TMarquee::ResetOffset() {
    scroll_.ScrollDown = ScrollDown;
    scroll_.ResetOffset();
}

void TMarquee::AdvanceOffset() {
    RECT client{};
    GetClientRect(Handle(), &client);
    scroll_.AdvanceOffset(client.bottom);
}

void TMarquee::ScrollTick() {
    AdvanceOffset();
    const RECT view = ToRect(scroll_.ViewRect());
    InvalidateRect(Handle(), &view, FALSE);
}

void TMarquee::Tick(UINT_PTR id) {
    if (id == kScrollTimer && active_) {
        ScrollTick();
    }
}

// While scrolling: one copy from the strip. The rows and columns the copy
// does not reach (the right and bottom bevel) keep the background colour.
void TMarquee::Paint(HDC dc) {
    if (!active_ || !Strip) {
        PaintPanel(Handle(), dc, ColorRef(Color));
        return;
    }
    const MarqueeRect& view = scroll_.ViewRect();
    RECT client{};
    GetClientRect(Handle(), &client);
    {
        const SavedDc saved(dc);
        ExcludeClipRect(dc, 0, 0, view.Right, view.Bottom);
        FillRect(dc, &client, SolidBrush(dc, ColorRef(Color)));
    }
    BitBlt(dc, 0, 0, view.Right, view.Bottom, Strip->Get(), 0, scroll_.Offset(), SRCCOPY);
}

void TMarquee::ShowFullText() {
    TFormAbout2 about2;
    about2.ShowLines(items_);
    // Whatever happens in the window, the About window shows again.
    struct ShowOwner {
        HWND owner;
        ~ShowOwner() { ShowWindow(owner, SW_SHOW); }
    } showOwner{owner_.Handle()};
    about2.ShowModal();
}

} // namespace zandrel
