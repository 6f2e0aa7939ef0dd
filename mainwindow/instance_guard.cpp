#include "mainwindow/instance_guard.h"

#include "resources/form_main.h"

namespace zandrel {

InstanceGuard::InstanceGuard(const std::string& dataFolder)
    : mutex_(CreateMutexA(nullptr, FALSE, "Zandrel.Keltrune.SingleInstance")) {
    first_ = mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
    if (first_ && !dataFolder.empty()) {
        folderMark_.emplace(dataFolder);
    }
}

bool InstanceGuard::BringUpRunningInstance() {
    const HWND running = FindWindowA(FormMainDescription().ClassName.c_str(), nullptr);
    if (!running) {
        return false;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    AllowSetForegroundWindow(process);
    return PostMessageA(running, ShowRequestMessage(), 0, 0);
}

UINT InstanceGuard::ShowRequestMessage() {
    static const UINT message = RegisterWindowMessageA("Zandrel.ShowMainWindow");
    return message;
}

} // namespace zandrel
