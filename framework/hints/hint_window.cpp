#include "framework/hints/hint_window.h"

#include "framework/application.h"
#include "framework/dpi.h"

#include <cstring>

namespace zandrel {
namespace {

constexpr char kHintWindowClass[] = "Zandrel.HintWindow";
constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX;

class ScreenDeviceContext {
public:
    ScreenDeviceContext() : dc_(GetDC(nullptr)) {}
    ~ScreenDeviceContext() { ReleaseDC(nullptr, dc_); }
    ScreenDeviceContext(const ScreenDeviceContext&) = delete;
    ScreenDeviceContext& operator=(const ScreenDeviceContext&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Selects a GDI object into a DC for one scope.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, old_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The system's status-bar font, or 8 points when that cannot be read, at a
// DPI: the system gives its fonts at its own DPI. A SystemError when the
// system makes neither.
FontHandle CreateHintFont(DpiScale scale) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfStatusFont.lfHeight =
            MulDiv(metrics.lfStatusFont.lfHeight, scale.Dpi(), SystemDpi());
        if (FontHandle font(CreateFontIndirectA(&metrics.lfStatusFont)); font) {
            return font;
        }
    }
    LOGFONTA eightPoints{};
    eightPoints.lfHeight = -MulDiv(8, scale.Dpi(), 72);
    eightPoints.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(eightPoints.lfFaceName, "MS Sans Serif");
    SetLastError(ERROR_SUCCESS); // GDI may refuse without a reason: none rather than a stale one
    FontHandle font(CreateFontIndirectA(&eightPoints));
    if (!font) {
        throw SystemError("Cannot create the font of the hints", "CreateFontIndirectA");
    }
    return font;
}

} // namespace

HintRect FromRect(const RECT& rect) {
    return {int(rect.left), int(rect.top), int(rect.right), int(rect.bottom)};
}

RECT ToRect(const HintRect& rect) {
    return {rect.Left, rect.Top, rect.Right, rect.Bottom};
}

DesktopArea ScreenDesktop() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

HintWindow::HintWindow() : scale_(SystemDpi()), color_(GetSysColor(COLOR_INFOBK)) {
    MakeFont();
}

void HintWindow::SetScaling(DpiScale scale) {
    if (scale != scale_) {
        scale_ = scale;
        MakeFont();
    }
}

void HintWindow::MakeFont() {
    try {
        font_ = CreateHintFont(scale_);
    } catch (const SystemError& error) {
        font_.reset();
        TellRefusal(error);
    }
}

HintWindow::~HintWindow() {
    DestroyHandle();
}

void HintWindow::Create() {
    CreateHandle(CreateParams());
}

WindowCreation HintWindow::CreateParams() const {
    WindowCreation creation;
    creation.ClassName = kHintWindowClass;
    creation.Style = WS_POPUP | WS_BORDER;
    creation.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    creation.Place = {0, 0, 0, 0};
    creation.Parent = App().Handle();
    return creation;
}

SIZE HintWindow::MeasureText(const std::string& text, int maxWidth) const {
    const ScreenDeviceContext screen;
    const Selection font(screen.Get(), Font());
    RECT rect{0, 0, maxWidth, 0};
    DrawTextA(screen.Get(), text.c_str(), int(text.size()), &rect,
              DT_CALCRECT | DT_LEFT | kTextFormat);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT HintWindow::CalcHintRect(int maxWidth, const std::string& text) const {
    const SIZE size = MeasureText(text, maxWidth);
    return ToRect(HintTextBounds(size.cx, size.cy, scale_));
}

void HintWindow::ActivateHint(RECT rect, const std::string& text) {
    SetWindowTextA(Handle(), text.c_str());
    const HintRect bounds = ActivatedHintBounds(FromRect(rect), ScreenDesktop(), scale_);
    SetWindowPos(Handle(), HWND_TOPMOST, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void HintWindow::ReleaseHint() {
    ShowWindow(Handle(), SW_HIDE);
}

std::string HintWindow::Text() const {
    std::string text(size_t(GetWindowTextLengthA(Handle())) + 1, '\0');
    text.resize(size_t(GetWindowTextA(Handle(), text.data(), int(text.size()))));
    return text;
}

void HintWindow::Paint(HDC dc) {
    RECT rect{};
    GetClientRect(Handle(), &rect);
    rect.left += scale_.Scale(2);
    rect.top += scale_.Scale(2);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    DrawHintText(dc, rect, DT_LEFT | kTextFormat);
}

void HintWindow::DrawHintText(HDC dc, RECT rect, UINT format) const {
    const Selection font(dc, Font());
    const std::string text = Text();
    DrawTextA(dc, text.c_str(), int(text.size()), &rect, format);
}

void HintWindow::EraseBackground(HDC dc) const {
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, SolidBrush(dc, color_));
}

LRESULT HintWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        EraseBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        if (const HDC dc = BeginPaint(Handle(), &paint)) {
            Paint(dc);
        }
        EndPaint(Handle(), &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        EraseBackground(reinterpret_cast<HDC>(wParam));
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    // The pointer passes through the hint to what lies beneath.
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

} // namespace zandrel
