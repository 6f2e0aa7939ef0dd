#include "framework/form.h"

#include "framework/application.h"
#include "framework/hint_text.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace zandrel {
namespace {

constexpr int firstControlId = 100;
constexpr UINT firstMenuId = 0x1000;

UINT RunDeferredMessage() {
    static const UINT message = RegisterWindowMessageA("Zandrel.RunDeferred");
    return message;
}

} // namespace

Form::Form(FormDescription description) : description_(std::move(description)) {}

Form::~Form() {
    // Nothing may call back into the derived form, which is gone already:
    // not even the deactivation that destroying an active window sends.
    destroying_ = true;
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
    CreateToolTips();
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

void Form::CreateToolTips() {
    const auto createToolTips = [this] {
        return CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, Handle(),
                               nullptr, App().Instance(), nullptr);
    };
    toolTips_.reset(createToolTips());
    ownToolTips_.reset(createToolTips());
    for (const auto& control : controls_) {
        std::string tip = GetShortHint(control->Hint());
        const std::optional<bool> ownSwitch = OwnHintSwitch(*control);
        if (control->Kind() == ComponentKind::ToolBar && ownSwitch && control->ToolTips()) {
            SendMessageA(control->ToolTips(), TTM_ACTIVATE, *ownSwitch, 0);
        }
        if (tip.empty()) {
            continue;
        }
        TTTOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(control->Handle());
        tool.lpszText = tip.data();
        SendMessageA(ownSwitch ? ownToolTips_.get() : toolTips_.get(), TTM_ADDTOOLA, 0,
                     reinterpret_cast<LPARAM>(&tool));
        if (ownSwitch) {
            SendMessageA(ownToolTips_.get(), TTM_ACTIVATE, *ownSwitch, 0);
        }
    }
    SetShowHint(showHint_);
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

// Toolbars keep tool tips of their own, which ask the form for the texts.
void Form::SetShowHint(bool show) {
    showHint_ = show;
    SendMessageA(toolTips_.get(), TTM_ACTIVATE, show, 0);
    for (const auto& control : controls_) {
        if (control->Kind() == ComponentKind::ToolBar && control->ToolTips() &&
            !OwnHintSwitch(*control)) {
            SendMessageA(control->ToolTips(), TTM_ACTIVATE, show, 0);
        }
    }
}

bool Form::FillToolTip(NMHDR& header) {
    for (const auto& control : controls_) {
        if (control->Kind() != ComponentKind::ToolBar || control->ToolTips() != header.hwndFrom) {
            continue;
        }
        const ToolBarButton* button = control->ButtonById(int(header.idFrom));
        const std::string tip = button ? GetShortHint(button->Hint()) : std::string();
        if (header.code == TTN_GETDISPINFOA) {
            auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
            lstrcpynA(info.szText, tip.c_str(), int(std::size(info.szText)));
            info.lpszText = info.szText;
        } else {
            auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
            info.szText[0] = L'\0';
            MultiByteToWideChar(CP_ACP, 0, tip.c_str(), -1, info.szText,
                                int(std::size(info.szText)));
            info.szText[std::size(info.szText) - 1] = L'\0';
            info.lpszText = info.szText;
        }
        return true;
    }
    return false;
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

void Form::WhenNotModal(std::function<void()> action) {
    if (!App().InModalLoop()) {
        action();
        return;
    }
    deferred_.push_back(std::move(action));
    App().PostWhenNotModal(Handle(), RunDeferredMessage());
}

void Form::RunDeferred() {
    if (App().InModalLoop()) {
        if (!deferred_.empty()) {
            App().PostWhenNotModal(Handle(), RunDeferredMessage());
        }
        return;
    }
    for (const auto& action : std::exchange(deferred_, {})) {
        App().Guard(action);
    }
}

void Form::ShowModal() {
    HWND owner = GetActiveWindow();
    if (owner == Handle() || (owner && !IsWindowEnabled(owner))) {
        owner = nullptr;
    }
    if (owner) {
        SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        EnableWindow(owner, FALSE);
    }
    {
        const Application::ModalLoop loop;
        modal_ = true;
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        MSG message{};
        while (modal_ && Handle()) {
            if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
                PostQuitMessage(int(message.wParam)); // for the loop outside
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        modal_ = false;
    }
    // The owner comes back before the form goes, so that it takes the focus.
    if (owner) {
        EnableWindow(owner, TRUE);
    }
    if (Handle()) {
        ShowWindow(Handle(), SW_HIDE);
    }
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

// The hint under the mouse: the nearest control with a hint, from the window
// under the pointer up to the form.
void Form::TrackHint(HWND window) {
    for (; window && window != Handle(); window = GetParent(window)) {
        const Control* control = Control::FromHandle(window);
        if (control && control->Kind() == ComponentKind::ToolBar) {
            POINT cursor{};
            GetCursorPos(&cursor);
            ScreenToClient(window, &cursor);
            const auto index = int(SendMessageA(window, TB_HITTEST, 0, LPARAM(&cursor)));
            TBBUTTON item{};
            if (index >= 0 && SendMessageA(window, TB_GETBUTTON, index, LPARAM(&item))) {
                if (const ToolBarButton* button = control->ButtonById(item.idCommand);
                    button && !button->Hint().empty()) {
                    App().SetHint(button->Hint());
                    return;
                }
            }
        }
        if (control && !control->Hint().empty()) {
            App().SetHint(control->Hint());
            return;
        }
    }
    App().SetHint("");
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        // The menu bar belongs to its Menu, not to the window.
        SetMenu(Handle(), nullptr);
    }
    if (destroying_) {
        return Window::HandleMessage(message, wParam, lParam);
    }
    if (message == RunDeferredMessage()) {
        RunDeferred();
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        if (DispatchCommand(wParam, lParam)) {
            return 0;
        }
        break;
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if ((header.code == TTN_GETDISPINFOA || header.code == TTN_GETDISPINFOW) &&
            FillToolTip(header)) {
            return 0;
        }
        DispatchNotify(header);
        break;
    }
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
        TrackHint(reinterpret_cast<HWND>(wParam));
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
    default:
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

} // namespace zandrel
