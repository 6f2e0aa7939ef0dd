#pragma once
// A form: a top-level window built from its description. A form class binds
// its handler methods by name, each with what it does inside another
// command's modal loop, then calls Create; the form dispatches the controls',
// menus' and timers' events to them, every call guarded by the application's
// error report.
#include "framework/controls/controls.h"
#include "framework/core/dpi_scale.h"
#include "framework/core/modal_commands.h"
#include "framework/form_description.h"
#include "framework/menu.h"
#include "framework/timer.h"
#include "framework/window.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

class Form : public Window {
public:
    ~Form() override;

    const FormDescription& Description() const { return description_; }

    // Components, menus, menu items and timers by name; a missing name is a
    // logic error, and so is a component of another kind than asked for.
    Control& Find(std::string_view name) const;
    template <typename Kind> Kind& Find(std::string_view name) const {
        if (auto* control = dynamic_cast<Kind*>(&Find(name))) {
            return *control;
        }
        throw std::logic_error(description_.ClassName + ": the component " + std::string(name) +
                               " is of another kind");
    }
    Menu& FindMenu(std::string_view name) const;
    MenuItem& FindMenuItem(std::string_view name) const;
    Timer& FindTimer(std::string_view name) const;
    ToolBarButton& FindToolButton(std::string_view name) const;

    // Runs the close handler, then hides, keeps or frees the form as it says.
    // Freeing the application's main form ends the program.
    void Close();

    // The DPI the form is laid out for (its monitor's), and a design figure
    // at it.
    DpiScale Scaling() const { return scale_; }
    int Scale(int designPixels) const { return scale_.Scale(designPixels); }

    bool Visible() const { return IsWindowVisible(Handle()); }
    RECT ScreenRect() const;
    void MoveTo(int left, int top);

    // Whether the controls' hints show in the hint window, for those without
    // a hint switch of their own.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show) { showHint_ = show; }

    // The caption's and the task switcher's icon (big), and the small one.
    void SetIcon(HICON big, HICON small);

    // Runs `action` now when no modal loop runs, else once the outermost one
    // has ended, from the message loop. Dropped when the form goes first.
    void WhenNotModal(std::function<void()> action);

    // Shows the form and returns when it closes. Meanwhile it is modal to
    // App().ModalOwner() (the main window, hidden or not, or the modal window
    // open before it), which is disabled, the program is inside a modal loop,
    // and Shutdown closes it as its close box would. It opens with its caption
    // and close box on the work area. While the program shuts down it does
    // not open. The caller frees the form afterwards.
    void ShowModal();
    bool Modal() const { return modal_; }

    // A key pressed in the form (from the message loop): runs the handler of
    // its shortcut, if it has one, guarded; true when it did.
    bool RunShortcut(unsigned key);

protected:
    explicit Form(FormDescription description);

    // Binds a handler name, with what it does inside another command's modal
    // loop: refused commands beep there and bring the open modal window up.
    // Bind all before Create.
    void Bind(const std::string& name, WhileModal whileModal, EventHandler handler);
    template <typename FormClass>
    void Bind(const std::string& name, WhileModal whileModal, void (FormClass::*method)(Event&)) {
        Bind(name, whileModal,
             [this, method](Event& event) { (static_cast<FormClass*>(this)->*method)(event); });
    }
    // Runs a bound handler as the description's events do, for an event the
    // description does not name (a window message of the form's own).
    void RunHandler(const std::string& name, Event& event);

    // Creates the window, its components, menus and timers, then runs the
    // form's create handler. The form is owned by the application window.
    // Everything is laid out for the DPI given, or for the window's own.
    void Create(bool mainForm, std::optional<int> dpi = std::nullopt);
    // Runs once the form has been laid out again for a new DPI (WM_DPICHANGED):
    // what the form sized or drew by itself follows it here.
    virtual void DpiChanged() {}

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    EventHandler Resolve(const std::string& name);
    void CreateComponents();
    void SetControlFont(const Control& control);
    void ApplyDpi(int dpi, const RECT& suggested);
    void CreateMenus();
    void CreateTimers();
    std::optional<bool> OwnHintSwitch(const Control& control) const;
    bool HintsOn(const Control& control) const;
    void LayOut(const std::string& parent, RECT client);
    HFONT FontFor(const ComponentDescription& component);
    std::optional<Color> BackgroundOf(const Control& control) const;
    HBRUSH BrushFor(Color color);
    bool SetControlCursor(HWND window);
    void Run(const EventHandler& handler, Event& event);
    bool DispatchCommand(WPARAM wParam, LPARAM lParam);
    void DispatchNotify(const NMHDR& header);
    void TrackHint(HWND window, bool pressed);
    HBRUSH PaintColors(UINT message, HDC dc, HWND window);
    void RunDeferred();
    void KeepOnWorkArea();
    void DestroyFormWindow();

    struct BoundHandler {
        EventHandler Handler;
        WhileModal Rule = WhileModal::Runs;
        int Running = 0; // suspended under modal loops, or running now
    };

    FormDescription description_;
    bool mainForm_ = false;
    std::map<std::string, BoundHandler> handlers_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::unique_ptr<Menu>> menus_;
    std::vector<std::unique_ptr<Timer>> timers_;
    DpiScale scale_;
    FontHandle font_;
    std::map<FontDescription, FontHandle> fonts_; // the controls' own
    bool showHint_ = false;
    std::map<Color, BrushHandle> brushes_;
    std::vector<std::function<void()>> deferred_;
    bool modal_ = false;
    // Set as the form goes: the system's last messages reach no handler.
    bool destroying_ = false;
};

// Whether a window is one of the program's forms.
bool IsForm(HWND window);

// The font a description names: face, pixel height (a design figure),
// bold, italic, underline.
// A SystemError when the system cannot make it.
FontHandle CreateFontFrom(const FontDescription& font, DpiScale scale = {});

} // namespace zandrel
