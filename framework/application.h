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
    // window that owns the forms. The newest application is the one App()
    // returns until it is destroyed.
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

    // Modal loops: message boxes, common dialogs, forms shown modally, calls
    // into the mail service and a window's own move loop. While one runs, the
    // handler that opened it is suspended, so nothing may free or change what
    // that handler holds; commands check InModalLoop and wait or refuse.
    class ModalLoop {
    public:
        // runner: the window whose own loop this is (a sticker's move loop),
        // which must not be destroyed under it; null for a box or a dialog.
        explicit ModalLoop(HWND runner = nullptr);
        ~ModalLoop();
        ModalLoop(const ModalLoop&) = delete;
        ModalLoop& operator=(const ModalLoop&) = delete;

    private:
        Application& application_;
    };

    // Runs a modal call (a box, a dialog, a mail call) inside a ModalLoop.
    template <typename Call> decltype(auto) RunModal(Call&& call) {
        const ModalLoop loop;
        return call();
    }
    bool InModalLoop() const { return !modalRunners_.empty(); }
    // Whether `window` (or a window inside it) runs a modal loop of its own now.
    bool RunsModalLoop(HWND window) const;
    // A command that would change what a suspended handler holds is refused
    // inside a modal loop, with the default beep: true when refused.
    bool RefuseInModalLoop();
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
        void PlayResourceSound(const std::string& name) override {
            environment_.PlayResourceSound(name);
        }
        void Beep(unsigned type) override { environment_.Beep(type); }
        void ShowError(const std::string& text) override {
            application_.RunModal([&] { environment_.ShowError(text); });
        }
        void ShowWarning(const std::string& text) override {
            application_.RunModal([&] { environment_.ShowWarning(text); });
        }
        bool Confirm(const std::string& text) override {
            return application_.RunModal([&] { return environment_.Confirm(text); });
        }
        bool ConfirmDefaultNo(const std::string& text) override {
            return application_.RunModal([&] { return environment_.ConfirmDefaultNo(text); });
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
        std::optional<std::string> ChoosePrinter() override {
            return application_.RunModal([&] { return environment_.ChoosePrinter(); });
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
    std::vector<HWND> modalRunners_; // one per open modal loop, innermost last
    std::vector<std::pair<HWND, UINT>> waitingForModalEnd_;
    bool terminated_ = false;
    Application* previous_ = nullptr;
    std::unique_ptr<ApplicationHints> hints_;
};

// The running application.
Application& App();

} // namespace zandrel
