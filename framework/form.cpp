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

HFONT CreateFontFrom(const FontDescription& font) {
    return CreateFontA(font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, font.Italic,
                       font.Underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       font.Name.c_str());
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

UINT RunDeferredMessage() {
    static const UINT message = RegisterWindowMessageA("Zandrel.RunDeferred");
    return message;
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
    creation.Style = FrameStyle(description_.Icons);
    creation.ExStyle = WS_EX_CONTROLPARENT | (description_.StayOnTop ? WS_EX_TOPMOST : 0);
    creation.Place = {CW_USEDEFAULT, CW_USEDEFAULT, description_.Width, description_.Height};
    if (description_.Centered) {
        creation.Place.left = (GetSystemMetrics(SM_CXSCREEN) - description_.Width) / 2;
        creation.Place.top = (GetSystemMetrics(SM_CYSCREEN) - description_.Height) / 2;
    }
    creation.Parent = App().Handle();
    CreateHandle(creation);
    SetPropA(Handle(), formProperty, this);

    font_.reset(CreateFontFrom({description_.FontName, description_.FontHeight}));
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
        auto control = CreateControl(component, parent, id++);
        const auto font = reinterpret_cast<WPARAM>(FontFor(component));
        SendMessageA(control->Handle(), WM_SETFONT, font, FALSE);
        // The parts a control made of its own (a radio group's buttons).
        for (HWND part = GetWindow(control->Handle(), GW_CHILD); part;
             part = GetWindow(part, GW_HWNDNEXT)) {
            SendMessageA(part, WM_SETFONT, font, FALSE);
        }
        control->BindHandlers([this](const std::string& name) { return Resolve(name); });
        controls_.push_back(std::move(control));
    }
    for (const auto& control : controls_) {
        control->Connect([this](std::string_view name) -> Control& { return Find(name); });
    }
}

HFONT Form::FontFor(const ComponentDescription& component) {
    if (!component.Font) {
        return font_.get();
    }
    FontHandle& font = fonts_[*component.Font];
    if (!font) {
        font.reset(CreateFontFrom(*component.Font));
    }
    return font.get();
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
        const auto* toolBar = dynamic_cast<const ToolBar*>(control.get());
        if (toolBar && ownSwitch && toolBar->ToolTips()) {
            SendMessageA(toolBar->ToolTips(), TTM_ACTIVATE, *ownSwitch, 0);
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
        const auto* toolBar = dynamic_cast<const ToolBar*>(control.get());
        if (toolBar && toolBar->ToolTips() && !OwnHintSwitch(*control)) {
            SendMessageA(toolBar->ToolTips(), TTM_ACTIVATE, show, 0);
        }
    }
}

bool Form::FillToolTip(NMHDR& header) {
    for (const auto& control : controls_) {
        const auto* toolBar = dynamic_cast<const ToolBar*>(control.get());
        if (!toolBar || toolBar->ToolTips() != header.hwndFrom) {
            continue;
        }
        const ToolBarButton* button = toolBar->ButtonById(int(header.idFrom));
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
    BrushHandle& owned = brushes_[color];
    if (!owned) {
        owned.reset(CreateSolidBrush(ColorRef(color)));
    }
    return owned.get();
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
        if (const auto* toolBar = dynamic_cast<const ToolBar*>(control.get())) {
            for (const auto& button : toolBar->Buttons()) {
                if (button->Name() == name) {
                    return *button;
                }
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
            App().ProcessMessage(message);
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

// The hint under the mouse: the nearest control with a hint, from the window
// under the pointer up to the form.
void Form::TrackHint(HWND window) {
    for (; window && window != Handle(); window = GetParent(window)) {
        const Control* control = Control::FromHandle(window);
        if (const auto* toolBar = dynamic_cast<const ToolBar*>(control)) {
            POINT cursor{};
            GetCursorPos(&cursor);
            ScreenToClient(window, &cursor);
            const auto index = int(SendMessageA(window, TB_HITTEST, 0, LPARAM(&cursor)));
            TBBUTTON item{};
            if (index >= 0 && SendMessageA(window, TB_GETBUTTON, index, LPARAM(&item))) {
                if (const ToolBarButton* button = toolBar->ButtonById(item.idCommand);
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
    default:
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

} // namespace zandrel
