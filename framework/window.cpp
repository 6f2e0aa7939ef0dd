#include "framework/window.h"

#include "framework/application.h"
#include "framework/system_error.h"

namespace zandrel {

bool RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, HICON icon) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, name, &windowClass)) {
        return true;
    }
    windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    windowClass.hIcon = icon;
    return RegisterClassExA(&windowClass) != 0;
}

void Window::CreateHandle(const WindowCreation& creation) {
    const HINSTANCE instance = App().Instance();
    if (!RegisterWindowClass(instance, creation.ClassName.c_str(), WindowProcedure,
                             creation.Icon)) {
        throw SystemError("Cannot register the window class " + creation.ClassName,
                          "RegisterClassExA");
    }
    const RECT& place = creation.Place;
    const HWND window = CreateWindowExA(
        creation.ExStyle, creation.ClassName.c_str(), creation.Caption.c_str(), creation.Style,
        place.left, place.top, place.right, place.bottom, creation.Parent, nullptr, instance, this);
    if (!window) {
        throw SystemError("Cannot create the window " + creation.ClassName, "CreateWindowExA");
    }
}

Window* Window::FromHandle(HWND window) {
    if (!window || GetWindowLongPtrA(window, GWLP_WNDPROC) !=
                       reinterpret_cast<LONG_PTR>(&Window::WindowProcedure)) {
        return nullptr;
    }
    return reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(Handle(), message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->handle_.reset(window);
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->handle_.release();
        return DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    App().Guard([&] { result = self->HandleMessage(message, wParam, lParam); });
    return result;
}

} // namespace zandrel
