#pragma once
// A control of a form, built from its component description. The window is
// a child of its parent and goes with it; the control never destroys it.
#include "framework/event.h"
#include "framework/form_description.h"
#include "framework/handles.h"
#include "storage/clock.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

// A button of a toolbar control: not a window of its own, but a command
// identifier of its toolbar.
class ToolBarButton {
public:
    ToolBarButton(const ToolButtonDescription& description, HWND toolBar, int id);
    ToolBarButton(const ToolBarButton&) = delete;
    ToolBarButton& operator=(const ToolBarButton&) = delete;

    const ToolButtonDescription& Description() const { return description_; }
    const std::string& Name() const { return description_.Name; }
    int Id() const { return id_; }
    int Tag() const { return description_.Tag; }
    const std::string& Hint() const { return description_.Hint; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Check buttons. Pressing a grouped one releases the others of its group.
    // Setting the state runs no handler.
    bool Down() const;
    void SetDown(bool down);
    // The button as the toolbar control takes it.
    TBBUTTON Item(bool showCaptions) const;
    void SetWidth(int width) { description_.Width = width; }

    EventHandler OnClick;

private:
    ToolButtonDescription description_;
    HWND toolBar_;
    int id_;
    bool enabled_;
};

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

    // Check boxes. A new state set here runs OnClick, as a click would.
    bool Checked() const;
    void SetChecked(bool checked);

    // Radio groups: the selected choice, -1 for none (also for an index that
    // is no choice).
    int ItemIndex() const;
    void SetItemIndex(int index);

    // List boxes: the lines, in order.
    std::vector<std::string> Items() const;
    void SetItems(const std::vector<std::string>& items);

    // Date and time pickers: the whole date-time the picker holds (a date
    // picker's time of day and a time picker's date are whatever it keeps).
    TDateTime DateTime() const;
    void SetDateTime(TDateTime value);

    // Tool bars. Showing or hiding the captions lays the form out again, as
    // the buttons change their height.
    const std::vector<std::unique_ptr<ToolBarButton>>& Buttons() const { return buttons_; }
    ToolBarButton* ButtonById(int id) const;
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool show);
    void SetButtonSize(int width, int height);
    SIZE ButtonSize() const;
    // A slot's width; the components inside the toolbar move to their slots.
    void SetSlotWidth(std::string_view name, int width);
    void PlaceSlots();

    // Up-down controls: binds the edit and sets range, position and step.
    void Associate(HWND edit);

    EventHandler OnClick;
    EventHandler OnChange;
    EventHandler OnDblClick;
    EventHandler OnMouseMove;

private:
    void SetUpToolBar();
    void AddToolButtons();

    ComponentDescription description_;
    HWND window_;
    std::string hint_;
    ImageListHandle images_;
    std::vector<std::unique_ptr<ToolBarButton>> buttons_;
    bool showCaptions_ = false;
};

inline COLORREF ColorRef(Color color) {
    return (color & kSystemColor) ? GetSysColor(int(color & ~kSystemColor)) : COLORREF(color);
}

// Creates the window of a component as a child of parent, with the given
// control identifier.
HWND CreateControlWindow(const ComponentDescription& description, HWND parent, int id);

} // namespace zandrel
