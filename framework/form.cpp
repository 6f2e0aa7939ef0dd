#include "framework/form.h"

#include "framework/application.h"
#include "framework/core/work_area.h"
#include "framework/dpi.h"
#include "framework/hints/core/hint_text.h"
#include "framework/system_error.h"
#include "framework/window_messages.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace zandrel {
namespace {

constexpr int firstControlId = 100;
constexpr UINT firstMenuId = 0x1000;
constexpr char formProperty[] = "Zandrel.Form";

DWORD FrameStyle(const BorderIcons& icons) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN;
    if (icons.SystemMenu) {
        style |= WS_SYSMENU;
        style |= icons.Minimize ? WS_MINIMIZEBOX : 0;
        style |= icons.Maximize ? WS_MAXIMIZEBOX : 0;
    }
    return style;
}

LPCSTR SystemCursor(StandardCursor cursor) {
    switch (cursor) {
    case StandardCursor::Arrow:
        return IDC_ARROW;
    case StandardCursor::Hand:
        return IDC_HAND;
    case StandardCursor::IBeam:
        return IDC_IBEAM;
    case StandardCursor::Cross:
        return IDC_CROSS;
    case StandardCursor::Wait:
        return IDC_WAIT;
    case StandardCursor::SizeAll:
        return IDC_SIZEALL;
    case StandardCursor::No:
        return IDC_NO;
    }
    return IDC_ARROW;
}

} // namespace

bool IsForm(HWND window) {
    return window && GetPropA(window, formProperty);
}

Form::Form(FormDescription description) : description_(std::move(description)) {}

Form::~Form() {
    // Nothing may call back into the derived form, which is gone already:
    // not even the deactivation that destroying an active window sends.
    destroying_ = true;
    handlers_.clear();
    for (const auto& control : controls_) {
        control->DropHandlers();
    }
    timers_.clear();
    DestroyFormWindow();
}

void Form::Bind(const std::string& name, WhileModal whileModal, EventHandler handler) {
    handlers_[name] = {std::move(handler), whileModal};
}

EventHandler Form::Resolve(const std::string& name) {
    if (name.empty()) {
        return {};
    }
    if (!handlers_.contains(name)) {
        throw std::logic_error(description_.ClassName + " has no handler " + name);
    }
    return [this, name](Event& event) { RunHandler(name, event); };
}

void Form::RunHandler(const std::string& name, Event& event) {
    const auto found = handlers_.find(name);
    if (found == handlers_.end()) {
        return; // the form is going
    }
    BoundHandler& bound = found->second;
    switch (AdmitCommand(bound.Rule, App().InModalLoop(), bound.Running > 0)) {
    case CommandAdmission::Refuse:
        App().RefuseCommand();
        return;
    case CommandAdmission::BringOpenWindowUp:
        App().BringModalWindowUp();
        return;
    case CommandAdmission::Run:
        break;
    }
    ++bound.Running;
    const struct Finished {
        int& running;
        ~Finished() { --running; }
    } finished{bound.Running};
    bound.Handler(event);
}

void Form::Create(bool mainForm, std::optional<int> dpi) {
    mainForm_ = mainForm;
    for (const auto* name : {&description_.OnCreate, &description_.OnClose,
                             &description_.OnActivate, &description_.OnDeactivate}) {
        Resolve(*name);
    }
    for (const auto& shortcut : description_.Shortcuts) {
        Resolve(shortcut.OnKey);
    }
    WindowCreation creation;
    creation.ClassName = description_.ClassName;
    creation.Caption = description_.Caption;
    creation.Style = FrameStyle(description_.Icons);
    creation.ExStyle = WS_EX_CONTROLPARENT | (description_.StayOnTop ? WS_EX_TOPMOST : 0);
    creation.Place = {CW_USEDEFAULT, CW_USEDEFAULT, description_.Width, description_.Height};
    if (description_.Centered) {
        const WindowOrigin origin =
            CentreOnWorkArea(App().Env().WorkArea(), description_.Width, description_.Height);
        creation.Place.left = origin.Left;
        creation.Place.top = origin.Top;
    }
    creation.Parent = App().Handle();
    CreateHandle(creation);
    SetPropA(Handle(), formProperty, this);
    if (mainForm) {
        App().SetMainWindow(Handle());
    }
    scale_ = DpiScale(dpi.value_or(WindowDpi(Handle())));
    if (!scale_.IsDesign()) {
        const int width = Scale(description_.Width);
        const int height = Scale(description_.Height);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (description_.Centered) {
            const WindowOrigin origin = CentreOnWorkArea(App().Env().WorkArea(), width, height);
            creation.Place.left = origin.Left;
            creation.Place.top = origin.Top;
        } else {
            flags |= SWP_NOMOVE;
        }
        SetWindowPos(Handle(), nullptr, creation.Place.left, creation.Place.top, width, height,
                     flags);
    }

    CreateComponents();
    CreateMenus();
    CreateTimers();
    RECT client{};
    GetClientRect(Handle(), &client);
    LayOut("", client);

    Event event;
    App().Guard([&] { Run(Resolve(description_.OnCreate), event); });
}

void Form::CreateComponents() {
    int id = firstControlId;
    for (const auto& component : description_.Components) {
        const HWND parent = component.Parent.empty() ? Handle() : Find(component.Parent).Handle();
        auto control = CreateControl(component, parent, id++);
        SetControlFont(*control);
        control->BindHandlers([this](const std::string& name) { return Resolve(name); });
        controls_.push_back(std::move(control));
    }
    for (const auto& control : controls_) {
        control->Connect([this](std::string_view name) -> Control& { return Find(name); });
    }
}

// The parts a control made of its own (a radio group's buttons) take its font.
void Form::SetControlFont(const Control& control) {
    const auto font = reinterpret_cast<WPARAM>(FontFor(control.Description()));
    SendMessageA(control.Handle(), WM_SETFONT, font, FALSE);
    for (HWND part = GetWindow(control.Handle(), GW_CHILD); part;
         part = GetWindow(part, GW_HWNDNEXT)) {
        SendMessageA(part, WM_SETFONT, font, FALSE);
    }
}

// The form's font is made when a control first takes it: a form without
// controls (a sticker) holds none.
HFONT Form::FontFor(const ComponentDescription& component) {
    if (!component.Font) {
        if (!font_) {
            font_ = CreateFontFrom({description_.FontName, description_.FontHeight}, scale_);
        }
        return font_.get();
    }
    FontHandle& font = fonts_[*component.Font];
    if (!font) {
        font = CreateFontFrom(*component.Font, scale_);
    }
    return font.get();
}

// The form moved onto a monitor of another DPI: it takes the rectangle the
// system suggests and lays out every control again with fonts for the new
// DPI. The old fonts go once no control uses them any more.
void Form::ApplyDpi(int dpi, const RECT& suggested) {
    scale_ = DpiScale(dpi);
    const FontHandle oldFont = std::exchange(font_, FontHandle());
    const auto oldFonts = std::exchange(fonts_, {});
    for (const auto& control : controls_) {
        SetControlFont(*control);
    }
    for (const auto& control : controls_) {
        control->ApplyDpi();
    }
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(Handle(), &client);
    LayOut("", client);
    DpiChanged();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form::CreateMenus() {
    UINT nextId = firstMenuId;
    for (const auto& description : description_.Menus) {
        auto menu = std::make_unique<Menu>(description, nextId);
        for (const auto& item : menu->Items()) {
            item->OnClick = Resolve(item->HandlerName());
        }
        menus_.push_back(std::move(menu));
    }
    if (!description_.Menu.empty()) {
        SetMenu(Handle(), FindMenu(description_.Menu).Handle());
    }
}

void Form::CreateTimers() {
    UINT_PTR id = 1;
    for (const auto& description : description_.Timers) {
        auto timer = std::make_unique<Timer>(description, Handle(), id++);
        timer->OnTimer = Resolve(description.OnTimer);
        timers_.push_back(std::move(timer));
    }
}

// The nearest switch of its own, from the control up through its parents.
std::optional<bool> Form::OwnHintSwitch(const Control& control) const {
    for (const Control* current = &control;;) {
        if (current->Description().ShowHint) {
            return current->Description().ShowHint;
        }
        if (current->Description().Parent.empty()) {
            return std::nullopt;
        }
        current = &Find(current->Description().Parent);
    }
}

bool Form::HintsOn(const Control& control) const {
    return OwnHintSwitch(control).value_or(showHint_);
}

// Font and background colours of the controls that have their own; a part
// of a control (a radio group's button) takes its control's.
HBRUSH Form::PaintColors(UINT message, HDC dc, HWND window) {
    const Control* control = Control::FromHandle(window);
    if (!control) {
        control = Control::FromHandle(GetParent(window));
    }
    if (!control) {
        return nullptr;
    }
    const std::optional<Color> background = BackgroundOf(*control);
    const std::optional<Color> fontColor = control->Description().FontColor;
    if (!fontColor && !background) {
        return nullptr;
    }
    auto brush = reinterpret_cast<HBRUSH>(DefWindowProcA(
        Handle(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
    if (background) {
        SetBkColor(dc, ColorRef(*background));
        brush = BrushFor(*background);
    }
    if (fontColor) {
        SetTextColor(dc, ColorRef(*fontColor));
    }
    return brush;
}

// A control's own background; one that sees through shows its container's.
std::optional<Color> Form::BackgroundOf(const Control& control) const {
    for (const Control* current = &control;; current = &Find(current->Description().Parent)) {
        if (current->Description().Background) {
            return current->Description().Background;
        }
        if (!current->SeeThrough()) {
            return std::nullopt;
        }
        if (current->Description().Parent.empty()) {
            return description_.Background;
        }
    }
}

HBRUSH Form::BrushFor(Color color) {
    if (color & kSystemColor) {
        return GetSysColorBrush(int(color & ~kSystemColor));
    }
    const auto [place, added] = brushes_.try_emplace(color);
    if (added) {
        place->second.reset(CreateSolidBrush(ColorRef(color)));
        if (!place->second) {
            // Reported once: from then on the colour paints as the system's face.
            throw SystemError("Cannot create the brush of the colour " + std::to_string(color),
                              "CreateSolidBrush");
        }
    }
    return place->second ? place->second.get() : GetSysColorBrush(COLOR_BTNFACE);
}

// Docks the children of a parent in table order: top and bottom first, then
// left and right, then the client-aligned one in what is left; the others
// keep their places.
void Form::LayOut(const std::string& parent, RECT client) {
    std::vector<Control*> children;
    for (const auto& control : controls_) {
        if (control->Description().Parent == parent) {
            children.push_back(control.get());
        }
    }
    for (const Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
        for (Control* child : children) {
            if (child->Description().Alignment != pass) {
                continue;
            }
            const int width = client.right - client.left;
            const int height = std::max(0, int(client.bottom - client.top));
            switch (pass) {
            case Align::Top:
                child->SetPlace({client.left, client.top, width, child->DockedHeight()});
                client.top += child->Place().Height;
                break;
            case Align::Bottom:
                child->SetPlace({client.left, client.bottom - child->DockedHeight(), width,
                                 child->DockedHeight()});
                client.bottom -= child->Place().Height;
                break;
            case Align::Left:
                child->SetPlace({client.left, client.top, child->DockedWidth(), height});
                client.left += child->Place().Width;
                break;
            case Align::Right:
                child->SetPlace({client.right - child->DockedWidth(), client.top,
                                 child->DockedWidth(), height});
                client.right -= child->Place().Width;
                break;
            default:
                child->SetPlace({client.left, client.top, std::max(0, width), height});
                break;
            }
        }
    }
    for (Control* child : children) {
        RECT inner{};
        GetClientRect(child->Handle(), &inner);
        LayOut(child->Name(), inner);
        child->LaidOut();
    }
}

namespace {

// The item named `name` among `items`, or null.
template <typename Items>
auto Named(const Items& items, std::string_view name) -> decltype(items.front().get()) {
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&](const auto& item) { return item->Name() == name; });
    return found == items.end() ? nullptr : found->get();
}

// A name a form's code looks for is in its description: a missing one is a
// logic error.
template <typename Item>
Item& Required(Item* item, const FormDescription& form, const char* kind, std::string_view name) {
    if (!item) {
        throw std::logic_error(form.ClassName + " has no " + kind + " " + std::string(name));
    }
    return *item;
}

} // namespace

Control& Form::Find(std::string_view name) const {
    return Required(Named(controls_, name), description_, "component", name);
}

Menu& Form::FindMenu(std::string_view name) const {
    return Required(Named(menus_, name), description_, "menu", name);
}

MenuItem& Form::FindMenuItem(std::string_view name) const {
    MenuItem* item = nullptr;
    for (auto menu = menus_.begin(); !item && menu != menus_.end(); ++menu) {
        item = Named((*menu)->Items(), name);
    }
    return Required(item, description_, "menu item", name);
}

Timer& Form::FindTimer(std::string_view name) const {
    return Required(Named(timers_, name), description_, "timer", name);
}

ToolBarButton& Form::FindToolButton(std::string_view name) const {
    ToolBarButton* button = nullptr;
    for (auto control = controls_.begin(); !button && control != controls_.end(); ++control) {
        if (const auto* toolBar = dynamic_cast<const ToolBar*>(control->get())) {
            button = Named(toolBar->Buttons(), name);
        }
    }
    return Required(button, description_, "tool button", name);
}

void Form::Close() {
    Event event;
    event.Action = mainForm_ ? CloseAction::Free : CloseAction::Hide;
    Run(Resolve(description_.OnClose), event);
    if (modal_) {
        // ShowModal hides the form as it returns; its caller frees it.
        modal_ = event.Action == CloseAction::None;
        return;
    }
    switch (event.Action) {
    case CloseAction::None:
        break;
    case CloseAction::Hide:
        ShowWindow(Handle(), SW_HIDE);
        break;
    case CloseAction::Free:
        if (mainForm_) {
            App().Terminate();
        }
        DestroyFormWindow();
        break;
    }
}

// Destroys the window; the application forgets it first when it is the main
// window.
void Form::DestroyFormWindow() {
    if (mainForm_ && App().MainWindow() == Handle()) {
        App().SetMainWindow(nullptr);
    }
    DestroyHandle();
}

RECT Form::ScreenRect() const {
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    return rect;
}

void Form::MoveTo(int left, int top) {
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetIcon(HICON big, HICON small) {
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void Form::WhenNotModal(std::function<void()> action) {
    if (!App().InModalLoop()) {
        action();
        return;
    }
    deferred_.push_back(std::move(action));
    App().PostWhenNotModal(Handle(), kRunDeferredMessage);
}

void Form::RunDeferred() {
    if (App().InModalLoop()) {
        if (!deferred_.empty()) {
            App().PostWhenNotModal(Handle(), kRunDeferredMessage);
        }
        return;
    }
    for (const auto& action : std::exchange(deferred_, {})) {
        if (!Handle()) {
            return; // an earlier action ended the form
        }
        App().Guard(action);
    }
}

namespace {

// The window a modal form is modal to: its owner, disabled while the form's
// loop runs and enabled again (when it was before) as the loop ends.
class DisabledOwner {
public:
    DisabledOwner(HWND form, HWND owner) : owner_(owner == form ? nullptr : owner) {
        if (owner_) {
            SetWindowLongPtrA(form, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner_));
            wasEnabled_ = !EnableWindow(owner_, FALSE);
        }
    }
    ~DisabledOwner() { Release(); }
    DisabledOwner(const DisabledOwner&) = delete;
    DisabledOwner& operator=(const DisabledOwner&) = delete;

    void Release() {
        if (std::exchange(wasEnabled_, false)) {
            EnableWindow(owner_, TRUE);
        }
    }

private:
    HWND owner_;
    bool wasEnabled_ = false;
};

} // namespace

void Form::ShowModal() {
    if (App().ShuttingDown()) {
        return;
    }
    DisabledOwner owner(Handle(), App().ModalOwner());
    KeepOnWorkArea();
    {
        // Closed by Shutdown, it leaves the screen at once.
        const Application::ModalLoop loop(Handle(), [this, &owner] {
            Close();
            if (!modal_) {
                owner.Release();
                ShowWindow(Handle(), SW_HIDE);
            }
        });
        modal_ = true;
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        MSG message{};
        while (modal_ && Handle()) {
            // Its close handler kept it open when Shutdown closed it (a print
            // was running under it): it is asked again once control is here.
            if (loop.Dismissed()) {
                Close();
                if (!modal_) {
                    break;
                }
            }
            if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
                PostQuitMessage(int(message.wParam)); // for the loop outside
                break;
            }
            App().ProcessMessage(message);
        }
        modal_ = false;
    }
    // The owner comes back before the form goes, so that it takes the focus.
    owner.Release();
    if (Handle()) {
        ShowWindow(Handle(), SW_HIDE);
    }
}

void Form::KeepOnWorkArea() {
    const RECT rect = ScreenRect();
    const WindowOrigin origin =
        zandrel::KeepOnWorkArea(App().Env().WorkArea(), rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top);
    if (origin.Left != rect.left || origin.Top != rect.top) {
        MoveTo(origin.Left, origin.Top);
    }
}

bool Form::RunShortcut(unsigned key) {
    const auto down = [](int virtualKey) { return GetKeyState(virtualKey) < 0; };
    for (const auto& shortcut : description_.Shortcuts) {
        if (shortcut.Key == key && shortcut.Ctrl == down(VK_CONTROL) && !down(VK_SHIFT) &&
            !down(VK_MENU)) {
            Event event;
            App().Guard([&] { Run(Resolve(shortcut.OnKey), event); });
            return true;
        }
    }
    return false;
}

void Form::Run(const EventHandler& handler, Event& event) {
    if (handler) {
        handler(event);
    }
}

bool Form::DispatchCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0 && LOWORD(wParam) == IDCANCEL) {
        // Esc, through the message loop's dialog keys.
        if (description_.CloseOnEscape) {
            Close();
        }
        return true;
    }
    if (lParam == 0) {
        for (const auto& menu : menus_) {
            for (const auto& item : menu->Items()) {
                if (item->Id() == LOWORD(wParam)) {
                    Event event;
                    Run(item->OnClick, event);
                    return true;
                }
            }
        }
        return false;
    }
    Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam));
    if (!control) {
        return false;
    }
    control->Command(HIWORD(wParam), LOWORD(wParam));
    return true;
}

void Form::DispatchNotify(const NMHDR& header) {
    if (Control* control = Control::FromHandle(header.hwndFrom)) {
        control->Notify(header);
    }
}

namespace {

bool ButtonGoesDown(UINT mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

// The button of a toolbar under the pointer, or nullptr.
const ToolBarButton* ButtonUnderPointer(const ToolBar& toolBar, RECT& area) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(toolBar.Handle(), &cursor);
    const auto index = int(SendMessageA(toolBar.Handle(), TB_HITTEST, 0, LPARAM(&cursor)));
    TBBUTTON item{};
    if (index < 0 || !SendMessageA(toolBar.Handle(), TB_GETBUTTON, index, LPARAM(&item))) {
        return nullptr;
    }
    SendMessageA(toolBar.Handle(), TB_GETITEMRECT, index, LPARAM(&area));
    MapWindowPoints(toolBar.Handle(), nullptr, reinterpret_cast<POINT*>(&area), 2);
    return toolBar.ButtonById(item.idCommand);
}

} // namespace

// The hint under the mouse: the nearest control with a hint, from the window
// under the pointer up to the form. Its whole text goes to the application's
// hint, its short part to the hint window.
void Form::TrackHint(HWND window, bool pressed) {
    std::string hint;
    HintTarget target;
    for (; window && window != Handle(); window = GetParent(window)) {
        const Control* control = Control::FromHandle(window);
        if (!control) {
            continue;
        }
        if (const auto* toolBar = dynamic_cast<const ToolBar*>(control)) {
            RECT area{};
            if (const ToolBarButton* button = ButtonUnderPointer(*toolBar, area);
                button && !button->Hint().empty()) {
                hint = button->Hint();
                target = {window, button->Id(), area, {}, HintsOn(*control)};
                break;
            }
        }
        if (!control->Hint().empty()) {
            hint = control->Hint();
            target = {window, -1, {}, {}, HintsOn(*control)};
            GetWindowRect(window, &target.Area);
            break;
        }
    }
    target.Text = GetShortHint(hint);
    App().SetHint(hint);
    App().Hints().PointerOver(std::move(target), pressed);
}

// The cursor of the control under the pointer, or of the control it is a
// part of; false when it has none of its own.
bool Form::SetControlCursor(HWND window) {
    const Control* control = Control::FromHandle(window);
    if (!control) {
        control = Control::FromHandle(GetParent(window));
    }
    if (!control) {
        return false;
    }
    const ComponentDescription& description = control->Description();
    HCURSOR cursor = nullptr;
    if (description.ScreenCursor) {
        cursor = App().ScreenCursor(*description.ScreenCursor);
    } else if (description.Cursor) {
        cursor = LoadCursorA(nullptr, SystemCursor(*description.Cursor));
    }
    if (!cursor) {
        return false;
    }
    SetCursor(cursor);
    return true;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        App().Hints().Cancel(Handle());
        // The menu bar belongs to its Menu, not to the window.
        SetMenu(Handle(), nullptr);
    }
    if (destroying_) {
        return Window::HandleMessage(message, wParam, lParam);
    }
    if (message == kRunDeferredMessage) {
        RunDeferred();
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        if (DispatchCommand(wParam, lParam)) {
            return 0;
        }
        break;
    case WM_NOTIFY:
        DispatchNotify(*reinterpret_cast<NMHDR*>(lParam));
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (const HBRUSH brush = PaintColors(message, reinterpret_cast<HDC>(wParam),
                                             reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_MENUSELECT: {
        const UINT flags = HIWORD(wParam);
        std::string hint;
        if (flags != 0xFFFF && !(flags & (MF_POPUP | MF_SEPARATOR))) {
            for (const auto& menu : menus_) {
                for (const auto& item : menu->Items()) {
                    if (item->Id() == LOWORD(wParam)) {
                        hint = item->Hint();
                    }
                }
            }
        }
        App().SetHint(hint);
        return 0;
    }
    case WM_SETCURSOR:
        TrackHint(reinterpret_cast<HWND>(wParam), ButtonGoesDown(HIWORD(lParam)));
        if (LOWORD(lParam) == HTCLIENT && SetControlCursor(reinterpret_cast<HWND>(wParam))) {
            return TRUE;
        }
        break;
    case WM_ERASEBKGND:
        if (description_.Background) {
            RECT client{};
            GetClientRect(Handle(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, BrushFor(*description_.Background));
            return 1;
        }
        break;
    case WM_TIMER:
        for (const auto& timer : timers_) {
            if (timer->Id() == wParam) {
                Event event;
                Run(timer->OnTimer, event);
                return 0;
            }
        }
        break;
    case WM_ACTIVATE: {
        Event event;
        Run(Resolve(LOWORD(wParam) == WA_INACTIVE ? description_.OnDeactivate
                                                  : description_.OnActivate),
            event);
        break;
    }
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SIZE: {
        RECT client{};
        GetClientRect(Handle(), &client);
        LayOut("", client);
        return 0;
    }
    case WM_DPICHANGED:
        ApplyDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam) {
            App().Hints().Cancel(Handle());
        }
        break;
    default:
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

FontHandle CreateFontFrom(const FontDescription& font, DpiScale scale) {
    SetLastError(ERROR_SUCCESS); // GDI may refuse without a reason: none rather than a stale one
    FontHandle created(
        CreateFontA(scale.Scale(font.Height), 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, font.Italic,
                    font.Underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.Name.c_str()));
    if (!created) {
        throw SystemError("Cannot create the font " + font.Name, "CreateFontA");
    }
    return created;
}

} // namespace zandrel
