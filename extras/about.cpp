#include "extras/about.h"

#include "framework/application.h"
#include "framework/controls/pictures.h"
#include "resources/form_about.h"
#include "resources/resource_names.h"

namespace zandrel {
namespace {

constexpr int kMailCursorSlot = 50;
constexpr int kWebCursorSlot = 51;
constexpr int kHandCursorSlot = 52;
constexpr Color kMarqueeYellow = 0x00FFFF; // RGB(255, 255, 0)
// The marquee is a little wider than the memo, so that it covers it.
constexpr int kMarqueeExtraWidth = 3;

} // namespace

// The picture controls are known before the form builds its components.
TFormAbout::TFormAbout() : Form((RegisterPictureControls(), FormAboutDescription())) {
    Bind(form_about::on::FormCreate, WhileModal::Runs, &TFormAbout::FormCreate);
    Bind(form_about::on::FormClose, WhileModal::Runs, &TFormAbout::FormClose);
    Bind(form_about::on::BtnContinueClick, WhileModal::Runs, &TFormAbout::BtnContinueClick);
    Bind(form_about::on::Image2DblClick, WhileModal::Runs, &TFormAbout::Image2DblClick);
    Bind(form_about::on::Image3DblClick, WhileModal::Runs, &TFormAbout::Image3DblClick);
    Create(false);
}

// The marquee goes before the window it lives in.
TFormAbout::~TFormAbout() {
    AboutMarquee_.reset();
}

void TFormAbout::FormCreate(Event&) {
    SetShowHint(true);
    SetEllipse();

    const Memo& memo = Find<Memo>(form_about::Memo1);
    AboutLines = std::make_unique<std::vector<std::string>>(memo.Lines());

    Application& app = App();
    app.SetScreenCursor(kMailCursorSlot, LoadCursorA(app.Instance(), res::kCursorMail));
    app.SetScreenCursor(kWebCursorSlot, LoadCursorA(app.Instance(), res::kCursorWeb));
    app.SetScreenCursor(kHandCursorSlot, LoadCursorA(app.Instance(), res::kCursorHand));

    AboutMarquee_ = std::make_unique<TMarquee>(*this);
    TMarquee& marquee = *AboutMarquee_;
    marquee.Color = *Description().Background;
    marquee.FontColor = kMarqueeYellow;
    marquee.OnDone = nullptr;
    marquee.SetItems(memo.Lines());
    PlaceMarquee();
    SetWindowPos(marquee.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    marquee.SetVisible(true);
}

// The caption bar lies above the ellipse, which starts in window coordinates
// at 10, 30 (at 96 DPI).
void TFormAbout::SetEllipse() {
    RECT client{};
    GetClientRect(Handle(), &client);
    try {
        ClipWindow(
            Handle(),
            [&] { return CreateEllipticRgn(Scale(10), Scale(30), client.right, client.bottom); },
            "CreateEllipticRgn", "Cannot shape the About window as an ellipse");
    } catch (const SystemError& error) {
        refusals_.Tell(error);
    }
}

void TFormAbout::PlaceMarquee() {
    TMarquee& marquee = *AboutMarquee_;
    const Bounds place = Find(form_about::Memo1).Place();
    marquee.SetPlace(
        {place.Left, place.Top, place.Width + Scale(kMarqueeExtraWidth), place.Height});
    marquee.StopScroll();
    marquee.StartScroll();
}

void TFormAbout::DpiChanged() {
    SetEllipse();
    PlaceMarquee();
}

void TFormAbout::FormClose(Event&) {
    AboutLines.reset();
}

void TFormAbout::BtnContinueClick(Event&) {
    Close();
}

void TFormAbout::Image2DblClick(Event&) {
    App().Env().ShellOpen(kHomePage);
}

void TFormAbout::Image3DblClick(Event&) {
    App().Env().ShellOpen(kMailLink);
}

// While the left button is down, the whole window is its caption: a press
// anywhere drags it.
LRESULT TFormAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST) {
        return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) ? HTCAPTION : HTCLIENT;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

} // namespace zandrel
