#pragma once
// The base of a form's controls. Each kind of control is a class of its own
// that creates its window from the component description and answers the
// commands and notifications the window sends its form. The window is a
// child of its parent and goes with it; the control never destroys it.
#include "framework/core/dpi_scale.h"
#include "framework/event.h"
#include "framework/form_description.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace zandrel {

class Control;

using HandlerLookup = std::function<EventHandler(const std::string& name)>;
using ControlLookup = std::function<Control&(std::string_view name)>;

// The window a control creates: its class, styles and the height it needs
// beyond its place (a drop-down list below a combo box), at 96 DPI.
struct ControlWindow {
    const char* ClassName;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int ExtraHeight = 0;
    // A Unicode window: it keeps every character, whatever the system's ANSI
    // code page holds.
    bool Unicode = false;
};

class Control {
public:
    virtual ~Control() = default;
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
    std::wstring WideText() const;
    void SetWideText(const std::wstring& text);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);
    // Place inside the parent's client area, in pixels.
    Bounds Place() const;
    void SetPlace(const Bounds& place);
    // The DPI of its form, and the described place at it.
    DpiScale Scaling() const;
    Bounds ScaledPlace() const;

    // The size the control takes when docked to an edge.
    virtual int DockedHeight() const { return Scaling().Scale(description_.Place.Height); }
    virtual int DockedWidth() const { return Scaling().Scale(description_.Place.Width); }
    // Its form now has another DPI and has given it its new font: the
    // control takes its described place at the new DPI (docked ones are
    // placed by the form) and sizes what it made of its own.
    virtual void ApplyDpi();
    // Runs whenever its form has docked its children and theirs.
    virtual void LaidOut() {}
    // Whether it shows its container's background when it has none of its
    // own.
    virtual bool SeeThrough() const { return false; }

    // Takes the handlers its description names; DropHandlers lets go of them
    // when the form that bound them goes.
    virtual void BindHandlers(const HandlerLookup& resolve);
    virtual void DropHandlers();
    // Runs once every control of the form exists.
    virtual void Connect(const ControlLookup&) {}
    // A WM_COMMAND the window sent its form: notification code and the
    // command's identifier.
    virtual void Command(UINT, int) {}
    // A WM_NOTIFY the window sent its form.
    virtual void Notify(const NMHDR&) {}

    EventHandler OnClick;
    EventHandler OnChange;
    EventHandler OnDblClick;
    EventHandler OnMouseMove;

protected:
    // Creates the window with the given control identifier.
    Control(const ComponentDescription& description, HWND parent, int id,
            const ControlWindow& window);

    // Runs a handler, if bound, with this control as the sender.
    void Fire(const EventHandler& handler);

private:
    ComponentDescription description_;
    HWND window_;
    std::string hint_;
};

// The DPI of the form a window belongs to.
DpiScale ScalingOf(HWND window);
// A place of the design at a DPI: its edges scaled, so that places that
// touch or stay apart at 96 DPI do so at every DPI.
Bounds ScaleBounds(const Bounds& place, DpiScale scale);

inline COLORREF ColorRef(Color color) {
    return (color & kSystemColor) ? GetSysColor(int(color & ~kSystemColor)) : COLORREF(color);
}

// Creates the control of a component, of the class its kind names, as a
// child of parent with the given control identifier.
std::unique_ptr<Control> CreateControl(const ComponentDescription& description, HWND parent,
                                       int id);

} // namespace zandrel
