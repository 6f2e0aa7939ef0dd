#include "framework/controls/containers.h"

#include "framework/application.h"
#include "framework/device_context.h"
#include "framework/dpi.h"
#include "framework/window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zandrel {
namespace {

constexpr char baseProcedureProperty[] = "Zandrel.BaseProcedure";
constexpr char panelClass[] = "Zandrel.Panel";
// Identifiers of a radio group's buttons inside the group: 1, 2, ...
constexpr int firstRadioId = 1;
constexpr DWORD groupStyle = BS_GROUPBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

HWND FormOf(HWND window) {
    return GetAncestor(window, GA_ROOT);
}

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
        result = SendMessageA(FormOf(window), message, wParam, lParam);
        return true;
    default:
        return false;
    }
}

// The brush the form paints a container's background with.
HBRUSH BackgroundBrush(HWND window, HDC dc) {
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(FormOf(window), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(window)));
    return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    LRESULT result = 0;
    if (ForwardToForm(window, message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window, &client);
        const auto dc = reinterpret_cast<HDC>(wParam);
        FillRect(dc, &client, BackgroundBrush(window, dc));
        return 1;
    }
    case WM_MOUSEMOVE:
        if (Control* control = Control::FromHandle(window); control && control->OnMouseMove) {
            Event event{control, short(LOWORD(lParam)), short(HIWORD(lParam)), unsigned(wParam)};
            App().Guard([&] { control->OnMouseMove(event); });
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A system group box leaves its inside unpainted under a parent that clips
// its children, and some themes ignore the caption colour the form gives.
void PaintGroupBox(HWND window) {
    const PaintDc dc(window);
    RECT client{};
    GetClientRect(window, &client);
    const HBRUSH brush = BackgroundBrush(window, dc.Get());
    FillRect(dc.Get(), &client, brush);
    const Selection font(dc.Get(), HGDIOBJ(SendMessageA(window, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.Get(), &metrics);
    const DpiScale scale = ScalingOf(window);
    RECT frame = client;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc.Get(), &frame, EDGE_ETCHED, BF_RECT);
    std::string caption(GetWindowTextLengthA(window) + 1, '\0');
    caption.resize(GetWindowTextA(window, caption.data(), int(caption.size())));
    if (!caption.empty()) {
        const int captionLeft = scale.Scale(8);
        const int gap = scale.Scale(2);
        SIZE size{};
        GetTextExtentPoint32A(dc.Get(), caption.c_str(), int(caption.size()), &size);
        RECT behind{captionLeft - gap, 0, captionLeft + size.cx + gap, metrics.tmHeight};
        FillRect(dc.Get(), &behind, brush);
        SetBkMode(dc.Get(), TRANSPARENT);
        if (!IsWindowEnabled(window)) {
            SetTextColor(dc.Get(), GetSysColor(COLOR_GRAYTEXT));
        }
        TextOutA(dc.Get(), captionLeft, 0, caption.c_str(), int(caption.size()));
    }
}

// The buttons of a one-row radio group get widths in proportion to their
// captions, so that every caption fits whenever the row can hold them all.
void ArrangeRadioButtons(HWND group, HFONT font) {
    std::vector<HWND> buttons;
    for (int id = firstRadioId; const HWND button = GetDlgItem(group, id); ++id) {
        buttons.push_back(button);
    }
    if (buttons.empty()) {
        return;
    }
    RECT first{};
    GetWindowRect(buttons.front(), &first);
    std::vector<int> needs;
    int total = 0;
    bool oneRow = true;
    const DpiScale scale = ScalingOf(group);
    // The check circle as the system draws it at the group's DPI.
    const int circle = MulDiv(GetSystemMetrics(SM_CXMENUCHECK), scale.Dpi(), SystemDpi());
    {
        const WindowDc dc(group);
        const Selection selected(dc.Get(), font);
        for (const HWND button : buttons) {
            RECT place{};
            GetWindowRect(button, &place);
            oneRow = oneRow && place.top == first.top;
            std::string caption(GetWindowTextLengthA(button) + 1, '\0');
            caption.resize(GetWindowTextA(button, caption.data(), int(caption.size())));
            SIZE size{};
            GetTextExtentPoint32A(dc.Get(), caption.c_str(), int(caption.size()), &size);
            needs.push_back(size.cx + circle + scale.Scale(8));
            total += needs.back();
        }
    }
    if (!oneRow) {
        return; // several rows keep their even columns
    }
    RECT client{};
    GetClientRect(group, &client);
    POINT origin{first.left, first.top};
    ScreenToClient(group, &origin);
    const int available = client.right - origin.x - scale.Scale(2);
    int left = origin.x;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const int width = available * needs[i] / std::max(total, 1);
        SetWindowPos(buttons[i], nullptr, left, origin.y, width, first.bottom - first.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        left += width;
    }
}

// Group boxes are system buttons, which keep their children's reports to
// themselves and let the pointer through to what lies below; this subclass
// passes the reports on and takes the pointer.
LRESULT CALLBACK GroupBoxProcedure(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
    LRESULT result = 0;
    if (ForwardToForm(window, message, wParam, lParam, result)) {
        return result;
    }
    const auto base = reinterpret_cast<WNDPROC>(GetPropA(window, baseProcedureProperty));
    switch (message) {
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        // The pointer is taken for the hints only: a click leaves the focus
        // where it is, as it would pass through a system group box.
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintGroupBox(window);
        return 0;
    case WM_SETFONT:
        result = CallWindowProcA(base, window, message, wParam, lParam);
        ArrangeRadioButtons(window, reinterpret_cast<HFONT>(wParam));
        return result;
    case WM_SETTEXT:
    case WM_ENABLE:
        result = CallWindowProcA(base, window, message, wParam, lParam);
        InvalidateRect(window, nullptr, TRUE);
        return result;
    case WM_NCDESTROY:
        RemovePropA(window, baseProcedureProperty);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
        break;
    default:
        break;
    }
    return CallWindowProcA(base, window, message, wParam, lParam);
}

ControlWindow PanelWindow() {
    RegisterWindowClass(App().Instance(), panelClass, PanelProcedure);
    return {panelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
}

} // namespace

Panel::Panel(const ComponentDescription& description, HWND parent, int id)
    : Control(description, parent, id, PanelWindow()) {}

GroupBox::GroupBox(const ComponentDescription& description, HWND parent, int id)
    : Control(description, parent, id, {WC_BUTTONA, groupStyle, WS_EX_CONTROLPARENT}) {
    SetPropA(Handle(), baseProcedureProperty,
             reinterpret_cast<HANDLE>(GetWindowLongPtrA(Handle(), GWLP_WNDPROC)));
    SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxProcedure));
}

RadioGroup::RadioGroup(const ComponentDescription& description, HWND parent, int id)
    : GroupBox(description, parent, id) {
    for (int i = 0; i < int(description.Items.size()); ++i) {
        DWORD style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | WS_TABSTOP;
        if (i == 0) {
            style |= WS_GROUP;
        }
        const HWND button = CreateWindowExA(
            0, WC_BUTTONA, description.Items[i].c_str(), style, 0, 0, 0, 0, Handle(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstRadioId + i)), App().Instance(),
            nullptr);
        if (i == description.ItemIndex) {
            SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
        }
    }
    PlaceButtons();
}

void RadioGroup::PlaceButtons() {
    const ComponentDescription& description = Description();
    const DpiScale scale = Scaling();
    const int count = int(description.Items.size());
    const int columns = std::max(1, description.Columns);
    const int rows = std::max(1, (count + columns - 1) / columns);
    const int captionHeight = scale.Scale(14), margin = scale.Scale(6);
    const int buttonHeight = scale.Scale(17);
    const Bounds place = ScaledPlace();
    const int columnWidth = (place.Width - 2 * margin) / columns;
    const int rowHeight = (place.Height - captionHeight - scale.Scale(4)) / rows;
    for (int i = 0; i < count; ++i) {
        const int column = i / rows;
        const int row = i % rows;
        const int top = captionHeight + row * rowHeight + (rowHeight - buttonHeight) / 2;
        SetWindowPos(GetDlgItem(Handle(), firstRadioId + i), nullptr, margin + column * columnWidth,
                     top, columnWidth - scale.Scale(2), buttonHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The form has given the buttons their new font already; they are placed in
// even columns again and then get their widths from their captions.
void RadioGroup::ApplyDpi() {
    GroupBox::ApplyDpi();
    PlaceButtons();
    ArrangeRadioButtons(Handle(),
                        reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
}

int RadioGroup::ItemIndex() const {
    for (int i = 0; i < int(Description().Items.size()); ++i) {
        if (IsDlgButtonChecked(Handle(), firstRadioId + i) == BST_CHECKED) {
            return i;
        }
    }
    return -1;
}

void RadioGroup::SetItemIndex(int index) {
    for (int i = 0; i < int(Description().Items.size()); ++i) {
        CheckDlgButton(Handle(), firstRadioId + i, i == index ? BST_CHECKED : BST_UNCHECKED);
    }
}

} // namespace zandrel
