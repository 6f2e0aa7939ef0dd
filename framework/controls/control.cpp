#include "framework/controls/control.h"

#include "framework/application.h"
#include "framework/dpi.h"
#include "framework/form.h"
#include "framework/system_error.h"

namespace zandrel {
namespace {

constexpr char controlProperty[] = "Zandrel.Control";

} // namespace

Control::Control(const ComponentDescription& description, HWND parent, int id,
                 const ControlWindow& window)
    : description_(description), hint_(description.Hint) {
    DWORD style = WS_CHILD | window.Style;
    if (description.Visible) {
        style |= WS_VISIBLE;
    }
    if (!description.Enabled) {
        style |= WS_DISABLED;
    }
    const DpiScale scale = ScalingOf(parent);
    const Bounds place = ScaleBounds(description.Place, scale);
    const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    const int height = place.Height + scale.Scale(window.ExtraHeight);
    if (window.Unicode) {
        const std::string className = window.ClassName;
        window_ = CreateWindowExW(
            window.ExStyle, std::wstring(className.begin(), className.end()).c_str(), L"", style,
            place.Left, place.Top, place.Width, height, parent, menu, App().Instance(), nullptr);
    } else {
        window_ = CreateWindowExA(window.ExStyle, window.ClassName, description.Caption.c_str(),
                                  style, place.Left, place.Top, place.Width, height, parent, menu,
                                  App().Instance(), nullptr);
    }
    if (!window_) {
        throw SystemError("Cannot create the control " + description.Name,
                          window.Unicode ? "CreateWindowExW" : "CreateWindowExA");
    }
    if (window.Unicode) {
        SetText(description.Caption);
    }
    SetPropA(window_, controlProperty, this);
}

Control* Control::FromHandle(HWND window) {
    return window ? static_cast<Control*>(GetPropA(window, controlProperty)) : nullptr;
}

std::string Control::Text() const {
    std::string text(GetWindowTextLengthA(window_) + 1, '\0');
    text.resize(GetWindowTextA(window_, text.data(), int(text.size())));
    return text;
}

void Control::SetText(const std::string& text) {
    SetWindowTextA(window_, text.c_str());
}

std::wstring Control::WideText() const {
    std::wstring text(GetWindowTextLengthW(window_) + 1, L'\0');
    text.resize(GetWindowTextW(window_, text.data(), int(text.size())));
    return text;
}

void Control::SetWideText(const std::wstring& text) {
    SetWindowTextW(window_, text.c_str());
}

bool Control::Enabled() const {
    return IsWindowEnabled(window_);
}

void Control::SetEnabled(bool enabled) {
    EnableWindow(window_, enabled);
}

bool Control::Visible() const {
    return IsWindowVisible(window_);
}

void Control::SetVisible(bool visible) {
    ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

Bounds Control::Place() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Control::SetPlace(const Bounds& place) {
    MoveWindow(window_, place.Left, place.Top, place.Width, place.Height, TRUE);
}

DpiScale Control::Scaling() const {
    return ScalingOf(window_);
}

Bounds Control::ScaledPlace() const {
    return ScaleBounds(description_.Place, Scaling());
}

void Control::ApplyDpi() {
    if (description_.Alignment == Align::None) {
        SetPlace(ScaledPlace());
    }
}

DpiScale ScalingOf(HWND window) {
    const HWND root = GetAncestor(window, GA_ROOT);
    if (const auto* form = dynamic_cast<const Form*>(Window::FromHandle(root ? root : window))) {
        return form->Scaling();
    }
    return DpiScale(WindowDpi(window));
}

Bounds ScaleBounds(const Bounds& place, DpiScale scale) {
    return {scale.Scale(place.Left), scale.Scale(place.Top),
            scale.ScaleSpan(place.Left, place.Width), scale.ScaleSpan(place.Top, place.Height)};
}

void Control::BindHandlers(const HandlerLookup& resolve) {
    OnClick = resolve(description_.OnClick);
    OnChange = resolve(description_.OnChange);
    OnDblClick = resolve(description_.OnDblClick);
    OnMouseMove = resolve(description_.OnMouseMove);
}

void Control::DropHandlers() {
    OnClick = OnChange = OnDblClick = OnMouseMove = {};
}

void Control::Fire(const EventHandler& handler) {
    if (handler) {
        Event event{this};
        handler(event);
    }
}

} // namespace zandrel
