#include "framework/message_boxes.h"

#include "framework/application.h"

#include <windows.h>

#include <string_view>

namespace zandrel {
namespace {

HWND BoxOwner() {
    return GetActiveWindow();
}

// A standard message box has no single "Retry" button: the box is made with
// its one OK button, which is renamed as the box is activated.
HHOOK retryHook = nullptr;

LRESULT CALLBACK RenameOkToRetry(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        GetClassNameA(box, className, sizeof className);
        if (std::string_view(className) == "#32770") {
            SetDlgItemTextA(box, IDOK, "Retry");
        }
    }
    return CallNextHookEx(retryHook, code, wParam, lParam);
}

} // namespace

void ShowErrorBox(const std::string& text) {
    MessageBoxA(BoxOwner(), text.c_str(), App().Title().c_str(), MB_OK | MB_ICONERROR);
}

void ShowWarningBox(const std::string& text) {
    retryHook = SetWindowsHookExA(WH_CBT, RenameOkToRetry, nullptr, GetCurrentThreadId());
    MessageBoxA(BoxOwner(), text.c_str(), "Warning", MB_OK | MB_ICONWARNING);
    UnhookWindowsHookEx(retryHook);
    retryHook = nullptr;
}

bool ShowConfirmBox(const std::string& text) {
    return MessageBoxA(BoxOwner(), text.c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) != IDNO;
}

} // namespace zandrel
