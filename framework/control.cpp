#include "framework/control.h"

#include "framework/application.h"

#include <commctrl.h>
#include <richedit.h>

#include <stdexcept>

namespace zandrel {
namespace {

constexpr char controlProperty[] = "Zandrel.Control";
constexpr char baseProcedureProperty[] = "Zandrel.BaseProcedure";
constexpr char panelClass[] = "Zandrel.Panel";

// Children report to their parent; containers pass those reports on to the
// form, which dispatches them to the controls' handlers.
bool ForwardToForm(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        result = SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
        return true;
    default:
        return false;
    }
}

void RunMouseMove(HWND window, WPARAM wParam, LPARAM lParam) {
    Control* control = Control::FromHandle(window);
    if (control && control->OnMouseMove) {
        Event event{control, short(LOWORD(lParam)), short(HIWORD(lParam)), unsigned(wParam)};
        App().Guard([&] { control->OnMouseMove(event); });
    }
}

LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    LRESULT result = 0;
    if (ForwardToForm(window, message, wParam, lParam, result)) {
        return result;
    }
    if (message == WM_MOUSEMOVE) {
        RunMouseMove(window, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Group boxes are system buttons, which keep their children's reports to
// themselves; this subclass passes them on.
LRESULT CALLBACK ContainerProcedure(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept {
    LRESULT result = 0;
    if (ForwardToForm(window, message, wParam, lParam, result)) {
        return result;
    }
    const auto base = reinterpret_cast<WNDPROC>(GetPropA(window, baseProcedureProperty));
    if (message == WM_NCDESTROY) {
        RemovePropA(window, baseProcedureProperty);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
    }
    return CallWindowProcA(base, window, message, wParam, lParam);
}

void RegisterPanelClass() {
    const HINSTANCE instance = App().Instance();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, panelClass, &windowClass)) {
        return;
    }
    windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = PanelProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = panelClass;
    RegisterClassExA(&windowClass);
}

struct WindowKind {
    const char* ClassName;
    DWORD Style;
    DWORD ExStyle;
};

WindowKind KindOf(ComponentKind kind) {
    switch (kind) {
    case ComponentKind::Panel:
        RegisterPanelClass();
        return {panelClass, WS_CLIPCHILDREN, 0};
    case ComponentKind::GroupBox:
        return {WC_BUTTONA, BS_GROUPBOX | WS_CLIPSIBLINGS, 0};
    case ComponentKind::Label:
        return {WC_STATICA, SS_LEFT | SS_NOTIFY, 0};
    case ComponentKind::Button:
        return {WC_BUTTONA, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ComponentKind::CheckBox:
        return {WC_BUTTONA, BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ComponentKind::Edit:
        return {WC_EDITA, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ComponentKind::ListBox:
        return {WC_LISTBOXA, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    case ComponentKind::ComboBox:
        return {WC_COMBOBOXA, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
    case ComponentKind::DatePicker:
        return {DATETIMEPICK_CLASSA, DTS_SHORTDATEFORMAT | WS_TABSTOP, 0};
    case ComponentKind::TimePicker:
        return {DATETIMEPICK_CLASSA, DTS_TIMEFORMAT | WS_TABSTOP, 0};
    case ComponentKind::UpDown:
        return {UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0};
    case ComponentKind::ToolBar:
        return {TOOLBARCLASSNAMEA,
                TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
                0};
    case ComponentKind::RichEdit:
        return {"RichEdit20A",
                ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    case ComponentKind::StatusBar:
        return {STATUSCLASSNAMEA, SBARS_SIZEGRIP, 0};
    }
    throw std::logic_error("Unknown component kind");
}

void SetUpControlWindow(const ComponentDescription& description, HWND window) {
    switch (description.Kind) {
    case ComponentKind::GroupBox:
        SetPropA(window, baseProcedureProperty,
                 reinterpret_cast<HANDLE>(GetWindowLongPtrA(window, GWLP_WNDPROC)));
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ContainerProcedure));
        break;
    case ComponentKind::ListBox:
        for (const auto& item : description.Items) {
            SendMessageA(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        break;
    case ComponentKind::ComboBox:
        for (const auto& item : description.Items) {
            SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        break;
    case ComponentKind::ToolBar:
        SendMessageA(window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        break;
    case ComponentKind::RichEdit:
        SendMessageA(window, EM_SETEVENTMASK, 0, ENM_SELCHANGE | ENM_CHANGE);
        break;
    case ComponentKind::StatusBar: {
        std::vector<int> edges;
        int right = 0;
        for (const int width : description.PanelWidths) {
            right += width;
            edges.push_back(right);
        }
        if (!edges.empty()) {
            edges.back() = -1; // the last panel runs to the end of the bar
            SendMessageA(window, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        }
        break;
    }
    default:
        break;
    }
}

} // namespace

HWND CreateControlWindow(const ComponentDescription& description, HWND parent, int id) {
    const WindowKind kind = KindOf(description.Kind);
    DWORD style = WS_CHILD | kind.Style;
    if (description.Visible) {
        style |= WS_VISIBLE;
    }
    if (!description.Enabled) {
        style |= WS_DISABLED;
    }
    const Bounds& place = description.Place;
    const int height =
        description.Kind == ComponentKind::ComboBox ? place.Height + 200 : place.Height;
    const HWND window = CreateWindowExA(kind.ExStyle, kind.ClassName, description.Caption.c_str(),
                                        style, place.Left, place.Top, place.Width, height, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                        App().Instance(), nullptr);
    if (!window) {
        throw std::runtime_error("Cannot create the control " + description.Name);
    }
    SetUpControlWindow(description, window);
    return window;
}

Control::Control(const ComponentDescription& description, HWND window)
    : description_(description), window_(window), hint_(description.Hint) {
    SetPropA(window_, controlProperty, this);
}

Control* Control::FromHandle(HWND window) {
    return window ? static_cast<Control*>(GetPropA(window, controlProperty)) : nullptr;
}

std::string Control::Text() const {
    std::string text(GetWindowTextLengthA(window_) + 1, '\0');
    text.resize(GetWindowTextA(window_, text.data(), int(text.size())));
    return text;
}

void Control::SetText(const std::string& text) {
    SetWindowTextA(window_, text.c_str());
}

bool Control::Enabled() const {
    return IsWindowEnabled(window_);
}

void Control::SetEnabled(bool enabled) {
    EnableWindow(window_, enabled);
}

bool Control::Visible() const {
    return IsWindowVisible(window_);
}

void Control::SetVisible(bool visible) {
    ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

Bounds Control::Place() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Control::SetPlace(const Bounds& place) {
    MoveWindow(window_, place.Left, place.Top, place.Width, place.Height, TRUE);
}

std::string Control::PanelText(int panel) const {
    const auto length = LOWORD(SendMessageA(window_, SB_GETTEXTLENGTHA, panel, 0));
    std::string text(length + 1, '\0');
    SendMessageA(window_, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void Control::SetPanelText(int panel, const std::string& text) {
    SendMessageA(window_, SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace zandrel
