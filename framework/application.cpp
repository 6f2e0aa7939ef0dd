#include "framework/application.h"
#include "framework/form.h"
#include "framework/window.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>

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
    hints_ = std::make_unique<ApplicationHints>();
}

Application::~Application() {
    hints_.reset();
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
        Env().ShowError(text);
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

Application::ModalLoop::ModalLoop(HWND runner) : application_(App()) {
    application_.modalRunners_.push_back(runner);
}

Application::ModalLoop::~ModalLoop() {
    auto& runners = application_.modalRunners_;
    runners.pop_back();
    if (runners.empty()) {
        for (const auto& [window, message] : std::exchange(application_.waitingForModalEnd_, {})) {
            PostMessageA(window, message, 0, 0);
        }
    }
}

bool Application::RunsModalLoop(HWND window) const {
    for (const HWND runner : modalRunners_) {
        if (runner && (runner == window || IsChild(window, runner))) {
            return true;
        }
    }
    return false;
}

bool Application::RefuseInModalLoop() {
    if (!InModalLoop()) {
        return false;
    }
    Env().Beep(MB_OK);
    return true;
}

void Application::PostWhenNotModal(HWND window, UINT message) {
    if (!InModalLoop()) {
        PostMessageA(window, message, 0, 0);
        return;
    }
    const std::pair<HWND, UINT> waiting{window, message};
    if (std::find(waitingForModalEnd_.begin(), waitingForModalEnd_.end(), waiting) ==
        waitingForModalEnd_.end()) {
        waitingForModalEnd_.push_back(waiting);
    }
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
    if (message.message == WM_KEYDOWN && IsForm(form) &&
        static_cast<Form*>(Window::FromHandle(form))->RunShortcut(unsigned(message.wParam))) {
        return;
    }
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
