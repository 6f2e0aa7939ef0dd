#include "mainwindow/tray_icon.h"

#include <cstring>

namespace zandrel {

void TrayIcon::Fill(HWND owner, HICON icon, const std::string& tip) {
    record_ = {};
    record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record_.hWnd = owner;
    record_.uID = kIdentifier;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = kCallbackMessage;
    record_.hIcon = icon;
    strncpy(record_.szTip, tip.c_str(), 63);
}

void TrayIcon::Add() {
    // As before, a shell that refuses the icon leaves the program running
    // without it.
    Shell_NotifyIconA(NIM_ADD, &record_);
    added_ = true;
}

void TrayIcon::Remove() {
    if (!added_) {
        return;
    }
    record_.uFlags = 0;
    Shell_NotifyIconA(NIM_DELETE, &record_);
    added_ = false;
}

} // namespace zandrel
