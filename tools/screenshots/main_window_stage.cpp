#include "tools/screenshots/main_window_stage.h"

#include "framework/tests/gui_test_support.h"
#include "mainwindow/registry_settings.h"

#include <windows.h>

namespace zandrel::screenshots {
namespace {

namespace fs = std::filesystem;

constexpr char kSettingsPath[] = "Software\\ZandrelScreenshots";

fs::path ScratchFolder() {
    const fs::path folder =
        fs::temp_directory_path() / ("zandrel-screenshots-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

} // namespace

MainWindowStage::MainWindowStage()
    : folder_(ScratchFolder()), dataFile_((folder_ / "ZandrelData.dat").string()) {
    Clear();
}

MainWindowStage::~MainWindowStage() {
    form_.reset();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    Clear();
}

void MainWindowStage::SetPreference(const std::string& name, const std::string& value) {
    WriteRegistryString(HKEY_CURRENT_USER, kSettingsPath, name, value);
}

TFormMain& MainWindowStage::Start() {
    form_ = std::make_unique<TFormMain>(noMailService_, dataFile_,
                                        RegistrySettingsStore(HKEY_CURRENT_USER, kSettingsPath));
    testing::PumpMessages();
    return *form_;
}

void MainWindowStage::Clear() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsPath);
    const std::string startupLink =
        ReadRegistryString(HKEY_CURRENT_USER, std::string(ShellFoldersKeyPath),
                           std::string(StartupFolderValue)) +
        "\\Startup Zandrel.lnk";
    DeleteFileA(startupLink.c_str());
}

} // namespace zandrel::screenshots
