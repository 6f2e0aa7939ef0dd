#pragma once
// A control of a form, built from its component description. The window is
// a child of its parent and goes with it; the control never destroys it.
#include "framework/event.h"
#include "framework/form_description.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace zandrel {

class Control {
public:
    Control(const ComponentDescription& description, HWND window);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The control that owns a window, or nullptr.
    static Control* FromHandle(HWND window);

    const std::string& Name() const { return description_.Name; }
    ComponentKind Kind() const { return description_.Kind; }
    const ComponentDescription& Description() const { return description_; }
    HWND Handle() const { return window_; }

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }

    std::string Text() const;
    void SetText(const std::string& text);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);
    // Place inside the parent's client area.
    Bounds Place() const;
    void SetPlace(const Bounds& place);

    // Status bar panels.
    std::string PanelText(int panel) const;
    void SetPanelText(int panel, const std::string& text);

    EventHandler OnClick;
    EventHandler OnChange;
    EventHandler OnDblClick;
    EventHandler OnMouseMove;

private:
    ComponentDescription description_;
    HWND window_;
    std::string hint_;
};

// Creates the window of a component as a child of parent, with the given
// control identifier.
HWND CreateControlWindow(const ComponentDescription& description, HWND parent, int id);

} // namespace zandrel
