#pragma once
// What an event handler of a form receives.
#include <functional>

namespace zandrel {

class Control;
class ToolBarButton;

// What happens to a form after its close handler ran.
enum class CloseAction { None, Hide, Free };

struct Event {
    Control* Sender = nullptr; // the control, or nullptr for the form, a menu item or a timer
    int X = 0;                 // mouse events: client coordinates of the sender
    int Y = 0;
    unsigned Keys = 0;                      // mouse events: MK_* flags
    CloseAction Action = CloseAction::None; // close events: in and out
    const ToolBarButton* Button = nullptr;  // toolbar clicks: the button, Sender its toolbar
};

using EventHandler = std::function<void(Event&)>;

} // namespace zandrel
