#include "framework/application.h"
#include "framework/form.h"
#include "framework/window.h"

#include <commctrl.h>
#include <objbase.h>

namespace zandrel {
namespace {

Application* current = nullptr;

constexpr char applicationClass[] = "Zandrel.Application";

LRESULT CALLBACK ApplicationWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateApplicationWindow(HINSTANCE instance) {
    RegisterWindowClass(instance, applicationClass, ApplicationWindowProcedure);
    return CreateWindowExA(0, applicationClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0,
                           nullptr, nullptr, instance, nullptr);
}

} // namespace

Application::Application(Environment& environment, HINSTANCE instance)
    : environment_(environment), instance_(instance), sounds_(environment), previous_(current) {
    comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    richEdit_.reset(LoadLibraryA("riched20.dll"));
    window_.reset(CreateApplicationWindow(instance));
    current = this;
}

Application::~Application() {
    current = previous_;
    window_.reset();
    richEdit_.reset();
    if (comInitialised_) {
        CoUninitialize();
    }
}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    SetWindowTextA(Handle(), title.c_str());
}

void Application::ReportError(const std::string& text) noexcept {
    try {
        environment_.ShowError(text);
    } catch (...) {
        // Nothing is left to report a failing report with.
    }
}

void Application::SetHint(const std::string& hint) {
    if (hint == hint_) {
        return;
    }
    hint_ = hint;
    if (OnHint) {
        OnHint();
    }
}

HCURSOR Application::ScreenCursor(int slot) const {
    const auto found = cursors_.find(slot);
    return found == cursors_.end() ? nullptr : found->second;
}

int Application::Run() {
    MSG message{};
    while (!terminated_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
        ProcessMessage(message);
    }
    return 0;
}

void Application::ProcessMessage(MSG& message) {
    const HWND form = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (IsForm(form) && IsDialogMessageA(form, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void Application::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

Application& App() {
    if (!current) {
        std::terminate();
    }
    return *current;
}

} // namespace zandrel
