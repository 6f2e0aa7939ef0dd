#include "extras/CoolHint.h"

#include "extras/core/cool_hint_geometry.h"

#include <memory>

namespace zandrel {
namespace {

constexpr char kCoolHintClass[] = "Zandrel.TDDGHintWindow";
constexpr COLORREF kYellow = RGB(255, 255, 0);

} // namespace

TDDGHintWindow::~TDDGHintWindow() {
    ReleaseShape();
}

WindowCreation TDDGHintWindow::CreateParams() const {
    WindowCreation creation = HintWindow::CreateParams();
    creation.ClassName = kCoolHintClass;
    creation.Style &= ~DWORD(WS_BORDER);
    return creation;
}

void TDDGHintWindow::ActivateHint(RECT rect, const std::string& text) {
    const CoolHintShape shape = EnlargeForEllipse(
        FromRect(rect), MeasureText("WWWW", GetSystemMetrics(SM_CXSCREEN)).cx, Scaling());
    const HintRect& bounds = shape.Bounds;
    SetWindowPos(Handle(), nullptr, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetColor(kYellow);
    ReleaseShape();
    try {
        ClipWindow(
            Handle(),
            [&] {
                return CreateRoundRectRgn(0, 0, shape.EllipseWidth, shape.EllipseHeight,
                                          shape.EllipseWidth, shape.EllipseHeight);
            },
            "CreateRoundRectRgn", "Cannot shape the hint as an ellipse");
        shaped_ = true;
    } catch (const SystemError& error) {
        TellRefusal(error);
    }
    HintWindow::ActivateHint(ToRect(bounds), text);
}

void TDDGHintWindow::ReleaseShape() {
    if (shaped_) {
        SetWindowRgn(Handle(), nullptr, TRUE);
        shaped_ = false;
    }
}

void TDDGHintWindow::Paint(HDC dc) {
    RECT rect{};
    GetClientRect(Handle(), &rect);
    rect.left += Scaling().Scale(1);
    rect.top += Scaling().Scale(5);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, kYellow);
    // Without DT_SINGLELINE, DT_VCENTER does nothing: the text starts 5 pixels
    // below the top.
    DrawHintText(dc, rect, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_VCENTER);
}

void InstallCoolHint(Application& application) {
    ApplicationHints& hints = application.Hints();
    hints.SetShowHint(false);
    hints.SetHintWindowClass([] { return std::make_unique<TDDGHintWindow>(); });
    hints.SetShowHint(true);
}

} // namespace zandrel
