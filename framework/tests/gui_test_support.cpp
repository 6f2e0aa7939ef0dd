#include "framework/tests/gui_test_support.h"

#include <fstream>

namespace zandrel::testing {
namespace {

InsideLoop* activeLoopAction = nullptr;

bool Painted(HWND window) {
    return !IsWindowVisible(window) || !GetUpdateRect(window, nullptr, FALSE);
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}

} // namespace

void PumpMessages() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void LetTheDisplayCatchUp() {
    PumpUntil([] { return false; }, std::chrono::milliseconds(300));
}

int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

int GdiObjects() {
    if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) {
        return int(count);
    }
    int count = 0;
    for (UINT_PTR slot = 1; slot <= 0xFFFF; ++slot) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    }
    return count;
}

bool HandOverForScreenshot(const std::filesystem::path& folder, const std::string& name,
                           const std::vector<HWND>& windows) {
    const auto allPainted = [&] {
        for (const HWND window : windows) {
            if (!Painted(window)) {
                return false;
            }
            for (HWND child = GetWindow(window, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                if (!Painted(child)) {
                    return false;
                }
            }
        }
        return true;
    };
    if (!PumpUntil(allPainted)) {
        return false;
    }
    LetTheDisplayCatchUp();
    std::ofstream(folder / (name + ".ready")).put('\n');
    return PumpUntil([&] { return std::filesystem::exists(folder / (name + ".taken")); },
                     std::chrono::seconds(60));
}

InsideLoop::InsideLoop(std::function<bool()> action) : action_(std::move(action)) {
    activeLoopAction = this;
    timer_ = SetTimer(nullptr, 0, 20, Tick);
}

InsideLoop::~InsideLoop() {
    KillTimer(nullptr, timer_);
    activeLoopAction = nullptr;
}

void CALLBACK InsideLoop::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (InsideLoop* self = activeLoopAction; self && !self->done_ && self->action_()) {
        self->done_ = true;
    }
}

// Once only: a tick inside a loop that the action opens finds it has run.
MenuWatcher::MenuWatcher(std::function<void(HWND)> action, const char* windowClass)
    : loop_([this, action = std::move(action), windowClass] {
          if (ran_) {
              return true;
          }
          const HWND menuWindow = FindWindowA(windowClass, nullptr);
          if (!menuWindow || !IsWindowVisible(menuWindow)) {
              return false;
          }
          ran_ = true;
          action(menuWindow);
          return true;
      }) {}

} // namespace zandrel::testing
