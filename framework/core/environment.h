#pragma once
// Every effect of the Win32 shell on the world outside the program goes
// through this seam, so that tests can replace it: no test waits on a modal
// box, a sound or the wall clock.
#include "storage/core/clock.h"

#include <optional>
#include <string>
#include <vector>

namespace zandrel {

// What the print dialog gave: the printer, the number of copies, and the
// printer's settings as the system keeps them (opaque bytes; empty for the
// printer's own defaults).
struct PrinterChoice {
    std::string Name;
    int Copies = 1;
    std::string Settings;
};

class Environment : public Clock {
public:
    // Screen size in pixels.
    virtual ScreenSize Screen() const = 0;
    // The monitors of the virtual screen; by default the one screen.
    virtual std::vector<MonitorArea> Monitors() const {
        const ScreenSize screen = Screen();
        return {{0, 0, screen.Width, screen.Height}};
    }
    // The primary monitor less the task bar; by default the whole screen.
    virtual MonitorArea WorkArea() const {
        const ScreenSize screen = Screen();
        return {0, 0, screen.Width, screen.Height};
    }
    // Plays the named WAVE resource of the program, synchronously. Callers
    // check the sound switch first (see SoundPlayer).
    virtual void PlayResourceSound(const std::string& name) = 0;
    // MessageBeep.
    virtual void Beep(unsigned type) = 0;
    // The general error report: a message box with the error's text.
    virtual void ShowError(const std::string& text) = 0;
    // The same box for a text in UTF-8, such as one that names the data
    // files: their folder's name in any script.
    virtual void ShowFileError(const std::string& text) { ShowError(text); }
    // The program's warning box: title "Warning", the single button "Retry".
    virtual void ShowWarning(const std::string& text) = 0;
    // The confirmation box: title "Confirm", Yes and No. False only for No.
    virtual bool Confirm(const std::string& text) = 0;
    // The same box with No as its default button, for a Yes that loses
    // something: true only for Yes.
    virtual bool ConfirmDefaultNo(const std::string& text) { return Confirm(text); }
    // The shell's "open" verb on a file, folder or address.
    virtual void ShellOpen(const std::string& target) = 0;
    // Opens a classic help file at a help context.
    virtual void ShowHelpContext(const std::string& helpFile, unsigned context) = 0;
    // Starts a program by its command line, shown (WinExec): above 31 when it
    // started, else the error number.
    virtual unsigned RunProgram(const std::string& commandLine) = 0;
    // The print dialog: the printer chosen, or nothing when cancelled.
    virtual std::optional<PrinterChoice> ChoosePrinter() { return std::nullopt; }
};

} // namespace zandrel
