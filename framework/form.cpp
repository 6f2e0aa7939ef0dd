#include "framework/form.h"

#include "framework/application.h"
#include "framework/hint_text.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <stdexcept>

namespace zandrel {
namespace {

constexpr int firstControlId = 100;
constexpr UINT firstMenuId = 0x1000;

} // namespace

Form::Form(FormDescription description) : description_(std::move(description)) {}

Form::~Form() {
    // Nothing may call back into the derived form, which is gone already.
    handlers_.clear();
    for (const auto& control : controls_) {
        control->OnClick = control->OnChange = control->OnDblClick = control->OnMouseMove = {};
        for (const auto& button : control->Buttons()) {
            button->OnClick = {};
        }
    }
    timers_.clear();
    DestroyHandle();
}

void Form::Bind(const std::string& name, EventHandler handler) {
    handlers_[name] = std::move(handler);
}

EventHandler Form::Resolve(const std::string& name) const {
    if (name.empty()) {
        return {};
    }
    const auto found = handlers_.find(name);
    if (found == handlers_.end()) {
        throw std::logic_error(description_.ClassName + " has no handler " + name);
    }
    return found->second;
}

void Form::Create(bool mainForm) {
    mainForm_ = mainForm;
    for (const auto* name : {&description_.OnCreate, &description_.OnClose,
                             &description_.OnActivate, &description_.OnDeactivate}) {
        Resolve(*name);
    }
    WindowCreation creation;
    creation.ClassName = description_.ClassName;
    creation.Caption = description_.Caption;
    creation.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    creation.ExStyle = description_.StayOnTop ? WS_EX_TOPMOST : 0;
    creation.Place = {CW_USEDEFAULT, CW_USEDEFAULT, description_.Width, description_.Height};
    creation.Parent = App().Handle();
    CreateHandle(creation);

    font_.reset(CreateFontA(description_.FontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            description_.FontName.c_str()));
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
        auto control =
            std::make_unique<Control>(component, CreateControlWindow(component, parent, id++));
        SendMessageA(control->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        // The parts a control made of its own (a radio group's buttons).
        for (HWND part = GetWindow(control->Handle(), GW_CHILD); part;
             part = GetWindow(part, GW_HWNDNEXT)) {
            SendMessageA(part, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        }
        for (const auto& button : control->Buttons()) {
            button->OnClick = Resolve(button->Description().OnClick);
        }
        control->OnClick = Resolve(component.OnClick);
        control->OnChange = Resolve(component.OnChange);
        control->OnDblClick = Resolve(component.OnDblClick);
        control->OnMouseMove = Resolve(component.OnMouseMove);
        controls_.push_back(std::move(control));
    }
    for (const auto& control : controls_) {
        if (control->Kind() == ComponentKind::UpDown && !control->Description().Associate.empty()) {
            control->Associate(Find(control->Description().Associate).Handle());
        }
    }
    for (const auto& control : controls_) {
        control->PlaceSlots();
    }
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
    if (!control || (!control->Description().FontColor && !control->Description().Background)) {
        return nullptr;
    }
    const auto& description = control->Description();
    auto brush = reinterpret_cast<HBRUSH>(DefWindowProcA(
        Handle(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
    if (description.Background) {
        const Color color = *description.Background;
        SetBkColor(dc, ColorRef(color));
        if (color & kSystemColor) {
            brush = GetSysColorBrush(int(color & ~kSystemColor));
        } else {
            BrushHandle& owned = brushes_[color];
            if (!owned) {
                owned.reset(CreateSolidBrush(ColorRef(color)));
            }
            brush = owned.get();
        }
    }
    if (description.FontColor) {
        SetTextColor(dc, ColorRef(*description.FontColor));
    }
    return brush;
}

// Docks the children of a parent in table order: top and bottom first, then
// the client-aligned one in what is left; the others keep their places.
void Form::LayOut(const std::string& parent, RECT client) {
    std::vector<Control*> children;
    for (const auto& control : controls_) {
        if (control->Description().Parent == parent) {
            children.push_back(control.get());
        }
    }
    for (const Align pass : {Align::Top, Align::Bottom, Align::Client}) {
        for (Control* child : children) {
            const auto& description = child->Description();
            if (description.Alignment != pass) {
                continue;
            }
            const int width = client.right - client.left;
            int height = description.Place.Height;
            // A toolbar with buttons is as high as its buttons, or as designed
            // when that is higher (room for the controls inside it).
            if (description.Kind == ComponentKind::ToolBar && !child->Buttons().empty()) {
                height = std::max(int(child->ButtonSize().cy), description.Place.Height);
            }
            switch (pass) {
            case Align::Top:
                child->SetPlace({client.left, client.top, width, height});
                client.top += child->Place().Height;
                break;
            case Align::Bottom:
                child->SetPlace({client.left, client.bottom - height, width, height});
                client.bottom -= child->Place().Height;
                break;
            default:
                child->SetPlace(
                    {client.left, client.top, width, std::max(0, int(client.bottom - client.top))});
                break;
            }
        }
    }
    for (Control* child : children) {
        RECT inner{};
        GetClientRect(child->Handle(), &inner);
        LayOut(child->Name(), inner);
    }
}

Control& Form::Find(std::string_view name) const {
    for (const auto& control : controls_) {
        if (control->Name() == name) {
            return *control;
        }
    }
    throw std::logic_error(description_.ClassName + " has no component " + std::string(name));
}

bool Form::Has(std::string_view name) const {
    for (const auto& control : controls_) {
        if (control->Name() == name) {
            return true;
        }
    }
    return false;
}

Menu& Form::FindMenu(std::string_view name) const {
    for (const auto& menu : menus_) {
        if (menu->Name() == name) {
            return *menu;
        }
    }
    throw std::logic_error(description_.ClassName + " has no menu " + std::string(name));
}

MenuItem& Form::FindMenuItem(std::string_view name) const {
    for (const auto& menu : menus_) {
        for (const auto& item : menu->Items()) {
            if (item->Name() == name) {
                return *item;
            }
        }
    }
    throw std::logic_error(description_.ClassName + " has no menu item " + std::string(name));
}

Timer& Form::FindTimer(std::string_view name) const {
    for (const auto& timer : timers_) {
        if (timer->Name() == name) {
            return *timer;
        }
    }
    throw std::logic_error(description_.ClassName + " has no timer " + std::string(name));
}

ToolBarButton& Form::FindToolButton(std::string_view name) const {
    for (const auto& control : controls_) {
        for (const auto& button : control->Buttons()) {
            if (button->Name() == name) {
                return *button;
            }
        }
    }
    throw std::logic_error(description_.ClassName + " has no tool button " + std::string(name));
}

void Form::Close() {
    Event event;
    event.Action = mainForm_ ? CloseAction::Free : CloseAction::Hide;
    Run(Resolve(description_.OnClose), event);
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
        DestroyHandle();
        break;
    }
}

RECT Form::ScreenRect() const {
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    return rect;
}

void Form::MoveTo(int left, int top) {
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetIcon(HICON icon) {
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Form::Run(const EventHandler& handler, Event& event) {
    if (handler) {
        handler(event);
    }
}

bool Form::DispatchCommand(WPARAM wParam, LPARAM lParam) {
    const UINT code = HIWORD(wParam);
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
    Event event{control};
    switch (control->Kind()) {
    case ComponentKind::ToolBar:
        // A disabled button sends nothing; a command for one is not obeyed.
        if (const ToolBarButton* button = control->ButtonById(LOWORD(wParam));
            button && button->Enabled()) {
            event.Button = button;
            Run(button->OnClick, event);
        }
        break;
    case ComponentKind::Button:
    case ComponentKind::CheckBox:
        if (code == BN_CLICKED) {
            Run(control->OnClick, event);
        }
        break;
    case ComponentKind::Label:
        if (code == STN_CLICKED) {
            Run(control->OnClick, event);
        } else if (code == STN_DBLCLK) {
            Run(control->OnDblClick, event);
        }
        break;
    case ComponentKind::Edit:
        if (code == EN_CHANGE) {
            Run(control->OnChange, event);
        }
        break;
    case ComponentKind::ListBox:
        if (code == LBN_SELCHANGE) {
            Run(control->OnClick, event);
        } else if (code == LBN_DBLCLK) {
            Run(control->OnDblClick, event);
        }
        break;
    case ComponentKind::ComboBox:
        if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) {
            Run(control->OnChange, event);
        }
        break;
    default:
        break;
    }
    return true;
}

void Form::DispatchNotify(const NMHDR& header) {
    Control* control = Control::FromHandle(header.hwndFrom);
    if (!control) {
        return;
    }
    Event event{control};
    if ((control->Kind() == ComponentKind::RichEdit && header.code == EN_SELCHANGE) ||
        header.code == DTN_DATETIMECHANGE) {
        Run(control->OnChange, event);
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
const ToolBarButton* ButtonUnderPointer(const Control& toolBar, RECT& area) {
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
        if (control->Kind() == ComponentKind::ToolBar) {
            RECT area{};
            if (const ToolBarButton* button = ButtonUnderPointer(*control, area);
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

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
    case WM_SHOWWINDOW:
        if (!wParam) {
            App().Hints().Cancel(Handle());
        }
        break;
    case WM_DESTROY:
        App().Hints().Cancel(Handle());
        // The menu bar belongs to its Menu, not to the window.
        SetMenu(Handle(), nullptr);
        break;
    default:
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

} // namespace zandrel
