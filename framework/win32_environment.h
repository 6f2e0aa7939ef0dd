#pragma once
// The real outside world: the local clock, the screen, WAVE resources of the
// program, message boxes and the shell.
#include "framework/core/environment.h"

#include <windows.h>

namespace zandrel {

class Win32Environment : public Environment {
public:
    explicit Win32Environment(HINSTANCE instance) : instance_(instance) {}

    TDateTime Now() const override;
    ScreenSize Screen() const override;
    std::vector<MonitorArea> Monitors() const override;
    MonitorArea WorkArea() const override;
    void PlayResourceSound(const std::string& name) override;
    void Beep(unsigned type) override;
    void ShowError(const std::string& text) override;
    void ShowFileError(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    bool ConfirmDefaultNo(const std::string& text) override;
    void ShellOpen(const std::string& target) override;
    void ShowHelpContext(const std::string& helpFile, unsigned context) override;
    unsigned RunProgram(const std::string& commandLine) override;
    std::optional<PrinterChoice> ChoosePrinter() override;

private:
    HINSTANCE instance_;
};

// The local date-time as days since 1899-12-30.
TDateTime ToDateTime(const SYSTEMTIME& time);

} // namespace zandrel
