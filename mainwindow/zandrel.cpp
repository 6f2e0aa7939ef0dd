// The program: one instance per session, living in the tray.
#include "alarms/blueChip.h"
#include "alarms/smapi.h"
#include "extras/CoolHint.h"
#include "framework/application.h"
#include "framework/win32_environment.h"
#include "mainwindow/comune.h"
#include "mainwindow/instance_guard.h"
#include "mainwindow/main.h"
#include "storage/core/file_ops.h"

#include <optional>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const zandrel::InstanceGuard guard(
        zandrel::file_ops::FolderOf(zandrel::TFormMain::DefaultDataFileName()));
    if (!guard.First()) {
        zandrel::InstanceGuard::BringUpRunningInstance();
        return 0;
    }
    zandrel::Win32Environment environment(instance);
    std::optional<zandrel::Application> started;
    try {
        started.emplace(environment, instance);
    } catch (const std::exception& error) {
        // Without the application there is no error report but a plain box.
        MessageBoxA(nullptr, error.what(), "Zandrel", MB_OK | MB_ICONERROR);
        return 1;
    }
    zandrel::Application& application = *started;
    application.SetTitle("Zandrel");
    application.SetHelpFile("zandrel.hlp");
    // The mail service is loaded before any form exists and stays until the end.
    zandrel::MapiLibrary mapi;
    try {
        mapi = zandrel::LoadMAPI();
    } catch (const zandrel::EMAPIdllerror& error) {
        application.ReportError(error.what());
        return 1;
    }
    zandrel::InstallCoolHint(application);
    try {
        // The startup shortcut needs COM on this thread until the end.
        const zandrel::ComApartment com;
        zandrel::TFormMain formMain(mapi);
        const zandrel::TFormBlue formBlue;
        formMain.ShowAtStart();
        return application.Run();
    } catch (const std::exception& error) {
        application.ReportError(error.what());
        return 1;
    }
}
