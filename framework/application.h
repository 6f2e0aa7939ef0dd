#pragma once
// The application object: one per program. It owns the program-wide state
// that every window shares (the outside-world seam, the sound switch, the
// hint, the screen cursors), runs the message loop and reports errors.
#include "framework/environment.h"
#include "framework/handles.h"
#include "framework/sound_player.h"

#include <exception>
#include <functional>
#include <map>
#include <string>

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

    Environment& Env() const { return environment_; }
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

    // Screen cursor slots, filled from the program's cursor resources.
    void SetScreenCursor(int slot, HCURSOR cursor) { cursors_[slot] = cursor; }
    HCURSOR ScreenCursor(int slot) const;

    // The message loop: returns when Terminate was called.
    int Run();
    // One message of a message loop: the dialog keys (Tab, Shift+Tab, Esc...)
    // of the form it is for, else translated and dispatched.
    void ProcessMessage(MSG& message);
    void Terminate();
    bool Terminated() const { return terminated_; }

private:
    Environment& environment_;
    HINSTANCE instance_;
    SoundPlayer sounds_;
    bool comInitialised_ = false;
    ModuleHandle richEdit_;
    WindowHandle window_;
    std::string title_;
    std::string helpFile_;
    std::string hint_;
    std::map<int, HCURSOR> cursors_;
    bool terminated_ = false;
    Application* previous_ = nullptr;
};

// The running application.
Application& App();

} // namespace zandrel
