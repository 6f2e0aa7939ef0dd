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
    wanted_ = true;
    // A shell that still holds the icon refuses to add it twice.
    added_ = shell_(NIM_ADD, record_) || shell_(NIM_MODIFY, record_);
}

void TrayIcon::AddIfRefused() {
    if (wanted_ && !added_) {
        Add();
    }
}

void TrayIcon::AddAgain() {
    if (wanted_) {
        Add();
    }
}

void TrayIcon::Remove() {
    wanted_ = false;
    if (!added_) {
        return;
    }
    record_.uFlags = 0;
    shell_(NIM_DELETE, record_);
    added_ = false;
}

} // namespace zandrel
