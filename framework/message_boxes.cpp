#include "framework/message_boxes.h"

#include "framework/application.h"
#include "framework/handles.h"
#include "storage/core/file_ops.h"

#include <windows.h>

#include <string_view>

namespace zandrel {
namespace {

HWND BoxOwner() {
    return App().ModalOwner();
}

using HookHandle = UniqueHandle<HHOOK, UnhookWindowsHookEx>;

// A standard message box has no single "Retry" button: the warning box is
// made with its one OK button, which is renamed as the box is first
// activated. Only that box: each warning renames its own and no other box
// that opens while it is up (an error report from the timer).
struct RetryRenaming {
    HookHandle hook;
    bool done = false;
    RetryRenaming* outer = nullptr; // a warning shown while this one was opening
};
RetryRenaming* openingWarning = nullptr;

LRESULT CALLBACK RenameOkToRetry(int code, WPARAM wParam, LPARAM lParam) {
    RetryRenaming* warning = openingWarning;
    if (code == HCBT_ACTIVATE && warning && !warning->done) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        GetClassNameA(box, className, sizeof className);
        if (std::string_view(className) == "#32770") {
            SetDlgItemTextA(box, IDOK, "Retry");
            warning->done = true;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

void ShowErrorBox(const std::string& text) {
    MessageBoxA(BoxOwner(), text.c_str(), App().Title().c_str(), MB_OK | MB_ICONERROR);
}

void ShowErrorBoxUtf8(const std::string& text) {
    MessageBoxW(BoxOwner(), file_ops::Wide(text).c_str(), file_ops::Wide(App().Title()).c_str(),
                MB_OK | MB_ICONERROR);
}

void ShowWarningBox(const std::string& text) {
    RetryRenaming renaming;
    renaming.hook.reset(SetWindowsHookExA(WH_CBT, RenameOkToRetry, nullptr, GetCurrentThreadId()));
    renaming.outer = openingWarning;
    openingWarning = &renaming;
    MessageBoxA(BoxOwner(), text.c_str(), "Warning", MB_OK | MB_ICONWARNING);
    openingWarning = renaming.outer;
}

bool ShowConfirmBox(const std::string& text, ConfirmDefault defaultButton) {
    const UINT defaultFlag = defaultButton == ConfirmDefault::No ? MB_DEFBUTTON2 : MB_DEFBUTTON1;
    return MessageBoxA(BoxOwner(), text.c_str(), "Confirm",
                       MB_YESNO | MB_ICONQUESTION | defaultFlag) != IDNO;
}

} // namespace zandrel
