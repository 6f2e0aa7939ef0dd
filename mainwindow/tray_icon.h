#pragma once
// The icon in the task bar's notification area. It is removed again when
// its owner goes, so no dead icon stays behind.
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace zandrel {

class TrayIcon {
public:
    // The record as the shell gets it: size 88 (the first version of the
    // record), identifier 1, message, icon and tip valid, callback WM_USER.
    static constexpr UINT kIdentifier = 1;
    static constexpr UINT kCallbackMessage = WM_USER;

    TrayIcon() = default;
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    void Fill(HWND owner, HICON icon, const std::string& tip);
    // NIM_ADD; also after the shell lost its icons.
    void Add();
    // Flags := 0, NIM_DELETE.
    void Remove();

    const NOTIFYICONDATAA& Record() const { return record_; }
    bool Added() const { return added_; }

private:
    NOTIFYICONDATAA record_{};
    bool added_ = false;
};

static_assert(NOTIFYICONDATAA_V1_SIZE == 88);

} // namespace zandrel
