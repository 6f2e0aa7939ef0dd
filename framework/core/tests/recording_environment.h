#pragma once
// The outside world of the tests: a settable clock and screen, recorded
// sounds, message boxes, help and programs, scripted answers to
// confirmations and to the print dialog. Portable; the Windows tests add the
// system's DPI and default printer (framework/tests/fake_environment.h).
#include "framework/core/environment.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zandrel::testing {

struct ShownBox {
    enum Kind { Error, Warning, Confirmation } Kind;
    std::string Text;
    bool NoByDefault = false; // a confirmation with No as its default button
};

class RecordingEnvironment : public Environment {
public:
    TDateTime Now() const override { return now; }
    ScreenSize Screen() const override { return screen; }
    // The screen alone at 96 DPI, unless a test sets monitors.
    std::vector<MonitorArea> Monitors() const override;
    void PlayResourceSound(const std::string& name) override;
    void Beep(unsigned type) override { beeps.push_back(type); }
    void ShowError(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    bool ConfirmDefaultNo(const std::string& text) override;
    void ShellOpen(const std::string& target) override { opened.push_back(target); }
    void ShowHelpContext(const std::string& helpFile, unsigned context) override {
        helpContexts.push_back({helpFile, context});
    }
    unsigned RunProgram(const std::string& commandLine) override {
        programs.push_back(commandLine);
        return programResult;
    }
    // The print dialog's answer: `printer` (empty for the system's default)
    // with `printCopies`; nothing when printCancelled.
    std::optional<PrinterChoice> ChoosePrinter() override;

    // The texts of the boxes of one kind, in the order they were shown.
    std::vector<std::string> Shown(enum ShownBox::Kind kind) const;

    // Forgets everything recorded and scripted.
    void Reset();

    TDateTime now = 45000.5; // 2023-03-15 12:00
    ScreenSize screen;       // the virtual display's 1024 x 768
    std::vector<MonitorArea> monitors;
    std::vector<std::string> sounds;
    std::function<void(const std::string&)> onSound; // runs as a sound "plays"
    std::vector<unsigned> beeps;
    std::vector<ShownBox> boxes;
    std::function<void(const std::string&)> onError;   // runs while the error box is "open"
    std::deque<bool> answers;                          // for Confirm; Yes when none is left
    std::function<void(const std::string&)> onConfirm; // runs while the box is "open"
    std::vector<std::string> opened;
    std::vector<std::pair<std::string, unsigned>> helpContexts;
    std::vector<std::string> programs;
    unsigned programResult = 33; // what RunProgram answers
    std::string printer;
    int printCopies = 1;
    bool printCancelled = false;
    int printDialogs = 0;
    std::function<void()> onChoosePrinter; // runs while the print dialog is "open"

private:
    // The next scripted answer, after onConfirm has run.
    bool Answer(const std::string& text);
};

} // namespace zandrel::testing
