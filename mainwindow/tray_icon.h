#pragma once
// The icon in the task bar's notification area. A shell that is not ready
// yet (a start from the Startup folder) or busy may refuse it: it is offered
// again at every tick until the shell takes it. It is removed again when its
// owner goes, so no dead icon stays behind.
#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>

namespace zandrel {

class TrayIcon {
public:
    // The record as the shell gets it: size 88 (the first version of the
    // record), identifier 1, message, icon and tip valid, callback WM_USER.
    static constexpr UINT kIdentifier = 1;
    static constexpr UINT kCallbackMessage = WM_USER;

    // The shell's notification call (Shell_NotifyIconA); tests refuse with it.
    using ShellCall = std::function<bool(DWORD message, NOTIFYICONDATAA& record)>;
    static bool ShellNotify(DWORD message, NOTIFYICONDATAA& record) {
        return Shell_NotifyIconA(message, &record);
    }

    explicit TrayIcon(ShellCall shell = ShellNotify) : shell_(std::move(shell)) {}
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    void Fill(HWND owner, HICON icon, const std::string& tip);
    // NIM_ADD: the icon is wanted from now on, whether the shell took it or not.
    void Add();
    // At every tick: NIM_ADD again while the shell has not taken the icon.
    void AddIfRefused();
    // The shell lost its icons (it broadcast "TaskbarCreated"): NIM_ADD again
    // when the icon is wanted.
    void AddAgain();
    // Flags := 0, NIM_DELETE; the icon is no longer wanted.
    void Remove();

    const NOTIFYICONDATAA& Record() const { return record_; }
    bool Added() const { return added_; }

private:
    ShellCall shell_;
    NOTIFYICONDATAA record_{};
    bool wanted_ = false;
    bool added_ = false;
};

static_assert(NOTIFYICONDATAA_V1_SIZE == 88);

} // namespace zandrel
