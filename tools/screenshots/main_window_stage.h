#pragma once
// The main window for a picture: started over a data file in a scratch
// folder, with its preferences under a scratch key of the current user's and
// no mail service. The window goes first, then the folder, the preferences
// and the startup shortcut that a first start may have made.
#include "alarms/smapi.h"
#include "mainwindow/main.h"

#include <filesystem>
#include <memory>
#include <string>

namespace zandrel::screenshots {

class MainWindowStage {
public:
    MainWindowStage();
    ~MainWindowStage();
    MainWindowStage(const MainWindowStage&) = delete;
    MainWindowStage& operator=(const MainWindowStage&) = delete;

    // The file the window reads its messages from: fill it before Start.
    const std::string& DataFile() const { return dataFile_; }
    static void SetPreference(const std::string& name, const std::string& value);

    // The window, started with the messages of its start handled; not shown.
    TFormMain& Start();

private:
    static void Clear();

    const std::filesystem::path folder_;
    const std::string dataFile_;
    const MapiLibrary noMailService_;
    std::unique_ptr<TFormMain> form_;
};

} // namespace zandrel::screenshots
