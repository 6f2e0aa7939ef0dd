#include "framework/controls/custom_control.h"

#include "framework/application.h"
#include "framework/device_context.h"
#include "framework/system_error.h"
#include "framework/window.h"

#include <map>
#include <stdexcept>

namespace zandrel {
namespace {

std::map<std::string, ControlFactory>& Factories() {
    static std::map<std::string, ControlFactory> factories;
    return factories;
}

MouseButton ButtonOf(UINT message) {
    switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return MouseButton::Middle;
    default:
        return MouseButton::Left;
    }
}

MouseEvent ReadMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    return {ButtonOf(message), short(LOWORD(lParam)), short(HIWORD(lParam)), unsigned(wParam)};
}

ControlWindow OwnWindow(const ComponentDescription& description,
                        LRESULT(CALLBACK* procedure)(HWND, UINT, WPARAM, LPARAM) noexcept) {
    if (description.ControlClass.empty()) {
        throw std::logic_error("The control " + description.Name + " names no window class");
    }
    if (!RegisterWindowClass(App().Instance(), description.ControlClass.c_str(), procedure)) {
        throw SystemError("Cannot register the control class " + description.ControlClass,
                          "RegisterClassExA");
    }
    return {description.ControlClass.c_str(), WS_CLIPCHILDREN};
}

} // namespace

CustomControl::CustomControl(const ComponentDescription& description, HWND parent, int id)
    : Control(description, parent, id, OwnWindow(description, WindowProcedure)) {}

void CustomControl::Paint(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        GetAncestor(Handle(), GA_ROOT), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(Handle())));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

void CustomControl::MouseMove(const MouseEvent& mouse) {
    if (OnMouseMove) {
        Event event{this, mouse.X, mouse.Y, mouse.Keys};
        OnMouseMove(event);
    }
}

void CustomControl::DoubleClick(const MouseEvent& mouse) {
    if (OnDblClick) {
        Event event{this, mouse.X, mouse.Y, mouse.Keys};
        OnDblClick(event);
    }
}

void CustomControl::StartTimer(UINT_PTR id, unsigned interval) {
    SetTimer(Handle(), id, interval, nullptr);
}

void CustomControl::StopTimer(UINT_PTR id) {
    KillTimer(Handle(), id);
}

bool CustomControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        const PaintDc dc(Handle());
        Paint(dc.Get());
        return true;
    }
    case WM_TIMER:
        Tick(wParam);
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        MouseDown(ReadMouse(message, wParam, lParam));
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        MouseUp(ReadMouse(message, wParam, lParam));
        return true;
    case WM_MOUSEMOVE:
        MouseMove(ReadMouse(message, wParam, lParam));
        return true;
    case WM_LBUTTONDBLCLK:
        DoubleClick(ReadMouse(message, wParam, lParam));
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK CustomControl::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) noexcept {
    if (message == WM_ERASEBKGND) {
        return 1; // Paint covers the whole client area
    }
    bool handled = false;
    if (auto* control = dynamic_cast<CustomControl*>(FromHandle(window))) {
        App().Guard([&] { handled = control->HandleMessage(message, wParam, lParam); });
    }
    return handled ? 0 : DefWindowProcA(window, message, wParam, lParam);
}

void RegisterControlClass(const std::string& name, ControlFactory factory) {
    Factories()[name] = std::move(factory);
}

std::unique_ptr<Control> CreateCustomControl(const ComponentDescription& description, HWND parent,
                                             int id) {
    const auto found = Factories().find(description.ControlClass);
    if (found == Factories().end()) {
        throw std::logic_error("No control class " + description.ControlClass + " for " +
                               description.Name);
    }
    return found->second(description, parent, id);
}

} // namespace zandrel
