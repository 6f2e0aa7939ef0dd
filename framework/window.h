#pragma once
// Base of every window class of the program. The static window procedure
// finds the object through GWLP_USERDATA (stored at WM_NCCREATE from
// lpCreateParams) and forwards to HandleMessage; no exception ever leaves it.
#include "framework/handles.h"

#include <string>

namespace zandrel {

// Registers a window class of this module unless it exists: double clicks,
// the arrow cursor, the button-face background. False when it cannot.
bool RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure,
                         HICON icon = nullptr);

struct WindowCreation {
    std::string ClassName;
    std::string Caption;
    DWORD Style = WS_OVERLAPPEDWINDOW;
    DWORD ExStyle = 0;
    RECT Place{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0}; // left, top, width, height
    HWND Parent = nullptr;                          // the owner of a top-level window
    HICON Icon = nullptr;
};

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return handle_.get(); }
    // The object of one of the program's windows, or nullptr.
    static Window* FromHandle(HWND window);

protected:
    Window() = default;
    virtual ~Window() = default;

    // Registers the window class on first use and creates the window.
    void CreateHandle(const WindowCreation& creation);
    // Destroys the window now; the object stays.
    void DestroyHandle() { handle_.reset(); }

    // Handles one message; the default is DefWindowProc.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept;

    WindowHandle handle_;
};

} // namespace zandrel
