#pragma once
// The program's own controls: a child window of a window class of its own
// that paints itself and hears its timers, the mouse and double clicks. A
// control class registers a factory under its name; a form's table names it
// in a Custom component's ControlClass.
#include "framework/controls/control.h"

#include <functional>
#include <memory>
#include <string>

namespace zandrel {

enum class MouseButton { Left, Right, Middle };

struct MouseEvent {
    MouseButton Button = MouseButton::Left; // presses and releases; Left otherwise
    int X = 0;                              // client coordinates
    int Y = 0;
    unsigned Keys = 0; // MK_* flags
};

// Its timers go with its window.
class CustomControl : public Control {
protected:
    // The window class is the description's ControlClass.
    CustomControl(const ComponentDescription& description, HWND parent, int id);

    // Paints the whole client area; the default fills it with the control's
    // background. Nothing is erased before.
    virtual void Paint(HDC dc);
    virtual void Tick(UINT_PTR) {}
    virtual void MouseDown(const MouseEvent&) {}
    virtual void MouseUp(const MouseEvent&) {}
    // The defaults run OnMouseMove and OnDblClick.
    virtual void MouseMove(const MouseEvent& mouse);
    virtual void DoubleClick(const MouseEvent& mouse);

    // A timer of the control that calls Tick with its identifier.
    void StartTimer(UINT_PTR id, unsigned interval);
    void StopTimer(UINT_PTR id);

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
};

using ControlFactory =
    std::function<std::unique_ptr<Control>(const ComponentDescription&, HWND parent, int id)>;

// Makes a control class known by name; registering a name again replaces its
// factory.
void RegisterControlClass(const std::string& name, ControlFactory factory);

// Creates the control of a Custom component from its class's factory.
std::unique_ptr<Control> CreateCustomControl(const ComponentDescription& description, HWND parent,
                                             int id);

} // namespace zandrel
