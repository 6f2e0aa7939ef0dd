#include "framework/application.h"
#include "framework/core/callback_errors.h"
#include "framework/form.h"
#include "framework/system_error.h"
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

constexpr char richEditLibrary[] = "riched20.dll";

HWND CreateApplicationWindow(HINSTANCE instance) {
    if (!RegisterWindowClass(instance, applicationClass, ApplicationWindowProcedure)) {
        throw SystemError("Cannot register the window class " + std::string(applicationClass),
                          "RegisterClassExA");
    }
    const HWND window = CreateWindowExA(0, applicationClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                        0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!window) {
        throw SystemError("Cannot create the application's window", "CreateWindowExA");
    }
    return window;
}

} // namespace

Application::Application(Environment& environment, HINSTANCE instance)
    : environment_(environment), instance_(instance), sounds_(environment), previous_(current) {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    richEdit_.reset(LoadLibraryA(richEditLibrary));
    if (!richEdit_) {
        throw SystemError("Cannot load the rich-text library " + std::string(richEditLibrary),
                          "LoadLibraryA");
    }
    window_.reset(CreateApplicationWindow(instance));
    comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
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

Application::ModalLoop::ModalLoop() : application_(App()), owner_(application_.ModalOwner()) {
    application_.loops_.push_back(this);
}

Application::ModalLoop::ModalLoop(HWND window, std::function<void()> close)
    : application_(App()), window_(window), close_(std::move(close)) {
    application_.loops_.push_back(this);
}

Application::ModalLoop::ModalLoop(OwnLoopOf runner) : application_(App()), runner_(runner.Window) {
    application_.loops_.push_back(this);
}

Application::ModalLoop::~ModalLoop() {
    auto& loops = application_.loops_;
    loops.erase(std::find(loops.begin(), loops.end(), this));
    if (loops.empty()) {
        for (const auto& [window, message] : std::exchange(application_.waitingForModalEnd_, {})) {
            PostMessageA(window, message, 0, 0);
        }
    }
}

namespace {

struct OwnedWindowSearch {
    HWND owner;
    std::vector<HWND> found;
    CallbackErrors errors;
};

BOOL CALLBACK AddForeignOwnedWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<OwnedWindowSearch*>(data);
    return search.errors.Run([&] {
        const bool captioned = (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
        if (GetWindow(window, GW_OWNER) == search.owner && IsWindowVisible(window) && captioned &&
            !Window::FromHandle(window)) {
            search.found.push_back(window);
        }
    });
}

// The visible top-level windows with a caption of this thread that `owner`
// owns and that are not the program's own: a box or a dialog modal to it
// (tool tips and menus have no caption).
std::vector<HWND> ForeignWindowsOwnedBy(HWND owner) {
    OwnedWindowSearch search{owner, {}, {}};
    EnumThreadWindows(GetCurrentThreadId(), AddForeignOwnedWindow,
                      reinterpret_cast<LPARAM>(&search));
    search.errors.Rethrow();
    return std::move(search.found);
}

bool IsDialog(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0;
}

} // namespace

HWND Application::ModalLoop::ModalWindow() const {
    if (window_ || !owner_) {
        return window_;
    }
    const std::vector<HWND> found = ForeignWindowsOwnedBy(owner_);
    return found.empty() ? nullptr : found.front();
}

// A box without Cancel (Yes and No) gets No; the others Cancel, which closes
// an OK box too; a window that is no dialog is closed.
void Application::ModalLoop::Dismiss() {
    dismissed_ = true;
    if (close_) {
        close_();
        return;
    }
    if (runner_) {
        SendMessageA(runner_, WM_CANCELMODE, 0, 0);
        return;
    }
    if (!owner_) {
        return;
    }
    for (const HWND window : ForeignWindowsOwnedBy(owner_)) {
        if (!IsDialog(window)) {
            SendMessageA(window, WM_CLOSE, 0, 0);
            continue;
        }
        const bool onlyYesAndNo = GetDlgItem(window, IDNO) && !GetDlgItem(window, IDCANCEL);
        SendMessageA(window, WM_COMMAND, onlyYesAndNo ? IDNO : IDCANCEL, 0);
    }
}

bool Application::RunsModalLoop(HWND window) const {
    for (const ModalLoop* loop : loops_) {
        const HWND runner = loop->runner_;
        if (runner && (runner == window || IsChild(window, runner))) {
            return true;
        }
    }
    return false;
}

HWND Application::ModalOwner() const {
    for (auto loop = loops_.rbegin(); loop != loops_.rend(); ++loop) {
        if (const HWND window = (*loop)->ModalWindow()) {
            return window;
        }
    }
    return mainWindow_;
}

bool Application::BringModalWindowUp() {
    if (!InModalLoop()) {
        return false;
    }
    const HWND window = ModalOwner();
    if (window && window != mainWindow_) {
        if (IsIconic(window)) {
            ShowWindow(window, SW_RESTORE);
        }
        SetForegroundWindow(window);
    }
    return true;
}

void Application::RefuseCommand() {
    Env().Beep(MB_OK);
    BringModalWindowUp();
}

void Application::EndModalLoops() {
    shuttingDown_ = true;
    const std::vector<ModalLoop*> open = loops_;
    for (auto loop = open.rbegin(); loop != open.rend(); ++loop) {
        (*loop)->Dismiss();
    }
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
