#include "mainwindow/tests/main_window_fixture.h"

#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "storage/core/message_list.h"

namespace zandrel::testing {
namespace {

constexpr char kSettingsPath[] = "Software\\ZandrelTests\\MainWindow";

} // namespace

ScratchSettings::ScratchSettings() {
    Clear();
}

ScratchSettings::~ScratchSettings() {
    SetAccess(nullptr); // a test may have locked the key against its own deletion
    Clear();
}

RegistrySettingsStore ScratchSettings::Store() {
    return RegistrySettingsStore(HKEY_CURRENT_USER, kSettingsPath);
}

void ScratchSettings::Set(const std::string& name, const std::string& value) {
    WriteRegistryString(HKEY_CURRENT_USER, kSettingsPath, name, value);
}

std::string ScratchSettings::Get(const std::string& name) {
    return ReadRegistryString(HKEY_CURRENT_USER, kSettingsPath, name);
}

bool ScratchSettings::Exists(const std::string& name) {
    return RegGetValueA(HKEY_CURRENT_USER, kSettingsPath, name.c_str(), RRF_RT_ANY, nullptr,
                        nullptr, nullptr) == ERROR_SUCCESS;
}

void ScratchSettings::Delete(const std::string& name) {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsPath, name.c_str());
}

void ScratchSettings::SetAccess(PACL dacl) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsPath, 0, WRITE_DAC, &key) != ERROR_SUCCESS) {
        return;
    }
    const RegistryKey owner(key);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, dacl, FALSE);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
}

std::string ScratchSettings::StartupLink() {
    return ReadRegistryString(HKEY_CURRENT_USER, std::string(ShellFoldersKeyPath),
                              std::string(StartupFolderValue)) +
           "\\Startup Zandrel.lnk";
}

void ScratchSettings::Clear() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsPath);
    DeleteFileA(StartupLink().c_str());
}

TFormMain& MainWindowFixture::Start(Shown shown) {
    form_.reset();
    form_ = std::make_unique<TFormMain>(*mailLibrary_, dataFile_, ScratchSettings::Store());
    if (shown == Shown::AtStart) {
        form_->ShowAtStart();
    } else if (shown == Shown::FromTheTray) {
        form_->ShowMainWindow();
    }
    PumpMessages();
    return *form_;
}

std::vector<std::int32_t> StoredNotify(const std::string& dataFile) {
    MessageList list(dataFile);
    list.LoadMessages(TestEnvironment());
    std::vector<std::int32_t> notify;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        notify.push_back(list.Entry(i).Notify);
    }
    return notify;
}

void PressToolButton(TFormMain& form, const char* button, const char* toolBar) {
    const HWND bar = form.Find(toolBar).Handle();
    SendMessageA(GetParent(bar), WM_COMMAND,
                 MAKEWPARAM(form.FindToolButton(button).Id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar));
}

void SendTimerTick(TFormMain& form) {
    SendMessageA(form.Handle(), WM_TIMER, form.FindTimer(form_main::Timer1).Id(), 0);
}

} // namespace zandrel::testing
