#pragma once
// The application object: one per program. It owns the program-wide state
// that every window shares (the outside-world seam, the sound switch, the
// hint and its hint window, the screen cursors), runs the message loop and
// reports errors.
#include "framework/core/environment.h"
#include "framework/core/sound_player.h"
#include "framework/handles.h"
#include "framework/hints/application_hints.h"

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zandrel {

class Application {
public:
    // Initialises COM for this thread (single-threaded apartment), the common
    // controls and the rich-text control, and creates the hidden application
    // window that owns the forms; a SystemError when the rich-text library
    // does not load or the window cannot be made. The newest application is
    // the one App() returns until it is destroyed.
    Application(Environment& environment, HINSTANCE instance);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The outside world. Its boxes and shell calls run inside a ModalLoop.
    Environment& Env() { return modalEnvironment_; }
    SoundPlayer& Sounds() { return sounds_; }
    HINSTANCE Instance() const { return instance_; }
    // The hidden application window: it owns the forms, so that they get no
    // task-bar button of their own.
    HWND Handle() const { return window_.get(); }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& helpFile) { helpFile_ = helpFile; }

    // Runs an event handler. An exception that leaves it is reported in a
    // message box with the error's text, and the program goes on.
    template <typename Handler> void Guard(Handler&& handler) noexcept {
        try {
            handler();
        } catch (const std::exception& error) {
            ReportError(error.what());
        } catch (...) {
            ReportError("Unknown error");
        }
    }
    void ReportError(const std::string& text) noexcept;

    // The hint event: runs OnHint whenever the current hint changes.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    std::function<void()> OnHint;
    // The hint window and its switch.
    ApplicationHints& Hints() const { return *hints_; }

    // Screen cursor slots, filled from the program's cursor resources.
    void SetScreenCursor(int slot, HCURSOR cursor) { cursors_[slot] = cursor; }
    HCURSOR ScreenCursor(int slot) const;

    // The main form's window, hidden or not: what boxes, dialogs and modal
    // windows are modal to while no other modal window is open. Null until
    // the main form exists.
    HWND MainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    // Modal loops: message boxes, common dialogs, forms shown modally, calls
    // into the mail service and a window's own move loop. While one runs, the
    // handler that opened it is suspended, so nothing may free or change what
    // that handler holds: each bound command declares whether it runs inside
    // one (see WhileModal), and the timer's work waits or checks again.
    class ModalLoop {
    public:
        // A box, a dialog or a call into another service: modal to
        // ModalOwner(), found among its windows when Shutdown closes it.
        ModalLoop();
        // A modal window: what opens inside its loop is modal to it, and
        // `close` closes it as its close box would when Shutdown ends the
        // loops.
        ModalLoop(HWND window, std::function<void()> close);
        // A window's own loop (a sticker's move loop): that window must not
        // be destroyed under it; Shutdown cancels it.
        struct OwnLoopOf {
            HWND Window;
        };
        explicit ModalLoop(OwnLoopOf runner);
        ~ModalLoop();
        ModalLoop(const ModalLoop&) = delete;
        ModalLoop& operator=(const ModalLoop&) = delete;

        // Shutdown closed it: its box counts as not answered.
        bool Dismissed() const { return dismissed_; }

    private:
        friend class Application;
        // The modal window: the form's, or the box or dialog now open among
        // the owner's windows; null for a loop without one.
        HWND ModalWindow() const;
        // Closes it as Cancel, No or Close would.
        void Dismiss();

        Application& application_;
        HWND owner_ = nullptr;
        HWND window_ = nullptr;
        HWND runner_ = nullptr;
        std::function<void()> close_;
        bool dismissed_ = false;
    };

    // Runs a modal call (a mail call, a shell call) inside a ModalLoop.
    template <typename Call> decltype(auto) RunModal(Call&& call) {
        const ModalLoop loop;
        return call();
    }
    // Runs a box or a dialog inside a ModalLoop; false when the user has not
    // answered it: Shutdown closed it, or it never opened because the
    // program is shutting down.
    template <typename Call> bool RunBox(Call&& call) {
        if (shuttingDown_) {
            return false;
        }
        const ModalLoop loop;
        call();
        return !loop.Dismissed();
    }
    bool InModalLoop() const { return !loops_.empty(); }
    // Whether `window` (or a window inside it) runs a modal loop of its own now.
    bool RunsModalLoop(HWND window) const;
    // What a new box, dialog or modal window is modal to: the innermost open
    // modal window, else the main window.
    HWND ModalOwner() const;
    // Brings the innermost open modal window to the front, restored if
    // minimised; false when no modal loop runs.
    bool BringModalWindowUp();
    // A command refused inside a modal loop: the default beep, and the open
    // modal window comes to the front.
    void RefuseCommand();
    // Shutdown: closes every open box and modal window, innermost first, as
    // Cancel, No or Close would, and cancels a window's own loop; from now
    // on no box or modal window opens (each counts as not answered). The
    // handlers under the loops finish as for those answers once control
    // returns to them.
    void EndModalLoops();
    bool ShuttingDown() const { return shuttingDown_; }
    // Posts `message` to `window` once the outermost modal loop has ended, or
    // at once when none runs. The window checks InModalLoop again when the
    // message arrives: another loop may have begun meanwhile.
    void PostWhenNotModal(HWND window, UINT message);

    // The message loop: returns when Terminate was called.
    int Run();
    // One message of a message loop: the dialog keys (Tab, Shift+Tab, Esc...)
    // of the form it is for, else translated and dispatched.
    void ProcessMessage(MSG& message);
    void Terminate();
    bool Terminated() const { return terminated_; }

private:
    // Passes every call on to the environment; those that may run a modal
    // loop run inside one.
    class ModalEnvironment : public Environment {
    public:
        ModalEnvironment(Environment& environment, Application& application)
            : environment_(environment), application_(application) {}
        TDateTime Now() const override { return environment_.Now(); }
        ScreenSize Screen() const override { return environment_.Screen(); }
        std::vector<MonitorArea> Monitors() const override { return environment_.Monitors(); }
        MonitorArea WorkArea() const override { return environment_.WorkArea(); }
        void PlayResourceSound(const std::string& name) override {
            environment_.PlayResourceSound(name);
        }
        void Beep(unsigned type) override { environment_.Beep(type); }
        void ShowError(const std::string& text) override {
            application_.RunBox([&] { environment_.ShowError(text); });
        }
        void ShowFileError(const std::string& text) override {
            application_.RunBox([&] { environment_.ShowFileError(text); });
        }
        void ShowWarning(const std::string& text) override {
            application_.RunBox([&] { environment_.ShowWarning(text); });
        }
        // Not answered by the user counts as No.
        bool Confirm(const std::string& text) override {
            bool yes = false;
            return application_.RunBox([&] { yes = environment_.Confirm(text); }) && yes;
        }
        bool ConfirmDefaultNo(const std::string& text) override {
            bool yes = false;
            return application_.RunBox([&] { yes = environment_.ConfirmDefaultNo(text); }) && yes;
        }
        void ShellOpen(const std::string& target) override {
            application_.RunModal([&] { environment_.ShellOpen(target); });
        }
        void ShowHelpContext(const std::string& helpFile, unsigned context) override {
            environment_.ShowHelpContext(helpFile, context);
        }
        unsigned RunProgram(const std::string& commandLine) override {
            return environment_.RunProgram(commandLine);
        }
        std::optional<PrinterChoice> ChoosePrinter() override {
            std::optional<PrinterChoice> printer;
            if (!application_.RunBox([&] { printer = environment_.ChoosePrinter(); })) {
                return std::nullopt;
            }
            return printer;
        }

    private:
        Environment& environment_;
        Application& application_;
    };

    Environment& environment_;
    ModalEnvironment modalEnvironment_{environment_, *this};
    HINSTANCE instance_;
    SoundPlayer sounds_;
    bool comInitialised_ = false;
    ModuleHandle richEdit_;
    WindowHandle window_;
    std::string title_;
    std::string helpFile_;
    std::string hint_;
    std::map<int, HCURSOR> cursors_;
    HWND mainWindow_ = nullptr;
    std::vector<ModalLoop*> loops_; // innermost last
    std::vector<std::pair<HWND, UINT>> waitingForModalEnd_;
    bool shuttingDown_ = false;
    bool terminated_ = false;
    Application* previous_ = nullptr;
    std::unique_ptr<ApplicationHints> hints_;
};

// The running application.
Application& App();

} // namespace zandrel
