#include "framework/win32_environment.h"

#include "framework/application.h"
#include "framework/core/callback_errors.h"
#include "framework/dpi.h"
#include "framework/handles.h"
#include "framework/message_boxes.h"
#include "storage/core/file_ops.h"

#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

namespace zandrel {

TDateTime ToDateTime(const SYSTEMTIME& time) {
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    const ULONGLONG ticks = (ULONGLONG(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    // FILETIME counts 100 ns steps from 1601-01-01, which is 109205 days
    // before 1899-12-30.
    constexpr double ticksPerDay = 864000000000.0;
    return double(ticks / 10000) / (ticksPerDay / 10000) - 109205.0;
}

TDateTime Win32Environment::Now() const {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return ToDateTime(local);
}

ScreenSize Win32Environment::Screen() const {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

namespace {

struct MonitorEnumeration {
    std::vector<MonitorArea> monitors;
    CallbackErrors errors;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT rect, LPARAM data) {
    auto& found = *reinterpret_cast<MonitorEnumeration*>(data);
    return found.errors.Run([&] {
        found.monitors.push_back(
            {rect->left, rect->top, rect->right, rect->bottom, MonitorDpi(monitor)});
    });
}

} // namespace

std::vector<MonitorArea> Win32Environment::Monitors() const {
    MonitorEnumeration found;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&found));
    found.errors.Rethrow();
    return std::move(found.monitors);
}

MonitorArea Win32Environment::WorkArea() const {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top, work.right, work.bottom};
}

void Win32Environment::PlayResourceSound(const std::string& name) {
    PlaySoundA(name.c_str(), instance_, SND_RESOURCE | SND_SYNC);
}

void Win32Environment::Beep(unsigned type) {
    MessageBeep(type);
}

void Win32Environment::ShowError(const std::string& text) {
    ShowErrorBox(text);
}

void Win32Environment::ShowFileError(const std::string& text) {
    ShowErrorBoxUtf8(text);
}

void Win32Environment::ShowWarning(const std::string& text) {
    ShowWarningBox(text);
}

bool Win32Environment::Confirm(const std::string& text) {
    return ShowConfirmBox(text);
}

bool Win32Environment::ConfirmDefaultNo(const std::string& text) {
    return ShowConfirmBox(text, ConfirmDefault::No);
}

void Win32Environment::ShellOpen(const std::string& target) {
    ShellExecuteW(nullptr, L"open", file_ops::Wide(target).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void Win32Environment::ShowHelpContext(const std::string& helpFile, unsigned context) {
    WinHelpW(App().ModalOwner(), file_ops::Wide(helpFile).c_str(), HELP_CONTEXT, context);
}

// As WinExec answers, through the wide call: a path in any script. The
// system's codes for a file or path not found and a bad format are
// WinExec's own.
unsigned Win32Environment::RunProgram(const std::string& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    std::wstring line = file_ops::Wide(commandLine);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        const DWORD error = GetLastError();
        return error < 32 ? unsigned(error) : 0;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 33;
}

std::optional<PrinterChoice> Win32Environment::ChoosePrinter() {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = App().ModalOwner();
    dialog.Flags = PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    if (!PrintDlgA(&dialog)) {
        return std::nullopt;
    }
    const GlobalMemoryHandle devNames(dialog.hDevNames);
    const GlobalMemoryHandle devMode(dialog.hDevMode);
    std::optional<PrinterChoice> printer;
    if (const auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames.get()))) {
        printer = PrinterChoice{reinterpret_cast<const char*>(names) + names->wDeviceOffset,
                                std::max<int>(1, dialog.nCopies),
                                {}};
        GlobalUnlock(devNames.get());
    }
    // The copies are the printer's setting when it makes them itself.
    if (const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(devMode.get()));
        printer && mode) {
        if (mode->dmFields & DM_COPIES) {
            printer->Copies = std::max<int>(1, mode->dmCopies);
        }
        const auto* bytes = reinterpret_cast<const char*>(mode);
        printer->Settings.assign(bytes, bytes + mode->dmSize + mode->dmDriverExtra);
        GlobalUnlock(devMode.get());
    }
    return printer;
}

} // namespace zandrel
