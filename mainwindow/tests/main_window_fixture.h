#pragma once
// For tests that start the main window: one fixture for all of them. Its
// preferences live under a scratch key of the current user's and its startup
// shortcut is removed, before and after each test, so that every test starts
// as on a machine without them and the machine's own are never touched.
#include "framework/application.h"
#include "framework/tests/fake_environment.h"
#include "mainwindow/main.h"
#include "mainwindow/registry_settings.h"
#include "resources/form_main.h"
#include "storage/core/tests/test_support.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zandrel::testing {

class ScratchSettings {
public:
    ScratchSettings();
    ~ScratchSettings();
    ScratchSettings(const ScratchSettings&) = delete;
    ScratchSettings& operator=(const ScratchSettings&) = delete;

    // The store to hand to TFormMain.
    static RegistrySettingsStore Store();

    static void Set(const std::string& name, const std::string& value);
    static std::string Get(const std::string& name);
    static bool Exists(const std::string& name);
    static void Delete(const std::string& name);
    // The key's access list; nullptr allows everyone everything.
    static void SetAccess(PACL dacl);

    // Where the first start puts the program's shortcut.
    static std::string StartupLink();

private:
    static void Clear();
};

// The main window under test: started over a data file in a scratch folder,
// with the scratch settings, its own application object and no mail service
// unless the test gives it one. The window goes first, then its mail
// service, the folder, the application and last the settings.
class MainWindowFixture : public ::testing::Test {
protected:
    // Not shown yet; as the program's start shows it (off the screen); or as
    // the tray's double-click shows it.
    enum class Shown { NotYet, AtStart, FromTheTray };

    MainWindowFixture() { TestEnvironment().Reset(); }

    // The main window started anew (the one before shut down first), shown
    // as asked, with the messages of its start handled.
    TFormMain& Start(Shown shown = Shown::AtStart);

    // The mail service (a Service with its library as `mapi`) of the windows
    // started from now on: made here, once, before the first start, and kept
    // until the window has gone.
    template <typename Service> Service& UseMailService() {
        auto service = std::make_shared<Service>();
        mailLibrary_ = &service->mapi;
        mailService_ = service;
        return *service;
    }

    const ScratchSettings settings_;
    Application app_{TestEnvironment(), GetModuleHandleA(nullptr)};
    const test::TempFolder folder_;
    const std::string dataFile_ = folder_.File("ZandrelData.dat");

private:
    const MapiLibrary noMailService_;
    std::shared_ptr<const void> mailService_;
    const MapiLibrary* mailLibrary_ = &noMailService_;

protected:
    std::unique_ptr<TFormMain> form_;
};

// The Notify of every message that the data file at `dataFile` holds.
std::vector<std::int32_t> StoredNotify(const std::string& dataFile);

// As the toolbar `toolBar` of `form` reports a click on one of its buttons.
void PressToolButton(TFormMain& form, const char* button,
                     const char* toolBar = form_main::ToolBar1);
// One tick of the main window's timer.
void SendTimerTick(TFormMain& form);

} // namespace zandrel::testing
