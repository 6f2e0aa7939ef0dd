#include "framework/control.h"

#include "framework/application.h"
#include "framework/system_date_time.h"
#include "framework/window.h"
#include "storage/datetime.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace zandrel {
namespace {

constexpr char controlProperty[] = "Zandrel.Control";
constexpr char baseProcedureProperty[] = "Zandrel.BaseProcedure";
constexpr char panelClass[] = "Zandrel.Panel";
// Identifiers of a radio group's buttons inside the group: 1, 2, ...
constexpr int firstRadioId = 1;
constexpr COLORREF transparentImageColor = RGB(255, 0, 255);
constexpr int separatorWidth = 6;
// Room for a drop-down combo box's list below its edit.
constexpr int comboListHeight = 200;

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

// Group boxes draw themselves: a system group box leaves its inside
// unpainted under a parent that clips its children, and some themes ignore
// the caption colour the form gives.
void PaintGroupBox(HWND window) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(GetAncestor(window, GA_ROOT), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(window)));
    if (!brush) {
        brush = GetSysColorBrush(COLOR_BTNFACE);
    }
    FillRect(dc, &client, brush);
    const HGDIOBJ oldFont = SelectObject(dc, HGDIOBJ(SendMessageA(window, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT frame = client;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    std::string caption(GetWindowTextLengthA(window) + 1, '\0');
    caption.resize(GetWindowTextA(window, caption.data(), int(caption.size())));
    if (!caption.empty()) {
        constexpr int captionLeft = 8;
        SIZE size{};
        GetTextExtentPoint32A(dc, caption.c_str(), int(caption.size()), &size);
        RECT behind{captionLeft - 2, 0, captionLeft + size.cx + 2, metrics.tmHeight};
        FillRect(dc, &behind, brush);
        SetBkMode(dc, TRANSPARENT);
        if (!IsWindowEnabled(window)) {
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        }
        TextOutA(dc, captionLeft, 0, caption.c_str(), int(caption.size()));
    }
    SelectObject(dc, oldFont);
    EndPaint(window, &paint);
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
    const HDC dc = GetDC(group);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    std::vector<int> needs;
    int total = 0;
    bool oneRow = true;
    for (const HWND button : buttons) {
        RECT place{};
        GetWindowRect(button, &place);
        oneRow = oneRow && place.top == first.top;
        std::string caption(GetWindowTextLengthA(button) + 1, '\0');
        caption.resize(GetWindowTextA(button, caption.data(), int(caption.size())));
        SIZE size{};
        GetTextExtentPoint32A(dc, caption.c_str(), int(caption.size()), &size);
        needs.push_back(size.cx + GetSystemMetrics(SM_CXMENUCHECK) + 8);
        total += needs.back();
    }
    SelectObject(dc, oldFont);
    ReleaseDC(group, dc);
    if (!oneRow) {
        return; // several rows keep their even columns
    }
    RECT client{};
    GetClientRect(group, &client);
    POINT origin{first.left, first.top};
    ScreenToClient(group, &origin);
    const int available = client.right - origin.x - 2;
    int left = origin.x;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const int width = available * needs[i] / std::max(total, 1);
        SetWindowPos(buttons[i], nullptr, left, origin.y, width, first.bottom - first.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        left += width;
    }
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
    switch (message) {
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
    default:
        break;
    }
    if (message == WM_NCDESTROY) {
        RemovePropA(window, baseProcedureProperty);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
    }
    return CallWindowProcA(base, window, message, wParam, lParam);
}

void RegisterPanelClass() {
    RegisterWindowClass(App().Instance(), panelClass, PanelProcedure);
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
        return {WC_BUTTONA, BS_GROUPBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0};
    case ComponentKind::Label:
        return {WC_STATICA, SS_LEFT | SS_NOTIFY, 0};
    case ComponentKind::Button:
        return {WC_BUTTONA, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ComponentKind::CheckBox:
        return {WC_BUTTONA, BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ComponentKind::RadioGroup:
        return {WC_BUTTONA, BS_GROUPBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0};
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
        return {UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0};
    case ComponentKind::ToolBar:
        return {TOOLBARCLASSNAMEA, TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
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

void PassReportsOn(HWND window) {
    SetPropA(window, baseProcedureProperty,
             reinterpret_cast<HANDLE>(GetWindowLongPtrA(window, GWLP_WNDPROC)));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ContainerProcedure));
}

// The choices in columns, filled column by column, below the caption.
void CreateRadioButtons(const ComponentDescription& description, HWND group) {
    const int count = int(description.Items.size());
    const int columns = std::max(1, description.Columns);
    const int rows = std::max(1, (count + columns - 1) / columns);
    constexpr int captionHeight = 14, margin = 6, buttonHeight = 17;
    const int columnWidth = (description.Place.Width - 2 * margin) / columns;
    const int rowHeight = (description.Place.Height - captionHeight - 4) / rows;
    for (int i = 0; i < count; ++i) {
        const int column = i / rows;
        const int row = i % rows;
        const int top = captionHeight + row * rowHeight + (rowHeight - buttonHeight) / 2;
        DWORD style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | WS_TABSTOP;
        if (i == 0) {
            style |= WS_GROUP;
        }
        const HWND button =
            CreateWindowExA(0, WC_BUTTONA, description.Items[i].c_str(), style,
                            margin + column * columnWidth, top, columnWidth - 2, buttonHeight,
                            group, reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstRadioId + i)),
                            App().Instance(), nullptr);
        if (i == description.ItemIndex) {
            SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
        }
    }
}

void SetUpControlWindow(const ComponentDescription& description, HWND window) {
    switch (description.Kind) {
    case ComponentKind::GroupBox:
        PassReportsOn(window);
        break;
    case ComponentKind::RadioGroup:
        PassReportsOn(window);
        CreateRadioButtons(description, window);
        break;
    case ComponentKind::DatePicker:
    case ComponentKind::TimePicker:
        if (description.FontColor) {
            SendMessageA(window, DTM_SETMCCOLOR, MCSC_TEXT, ColorRef(*description.FontColor));
        }
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
        SetWindowTextA(window, description.Caption.c_str()); // the edit part's text
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
        description.Kind == ComponentKind::ComboBox ? place.Height + comboListHeight : place.Height;
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
    if (description_.Kind == ComponentKind::ToolBar) {
        SetUpToolBar();
    }
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

ToolBarButton::ToolBarButton(const ToolButtonDescription& description, HWND toolBar, int id)
    : description_(description), toolBar_(toolBar), id_(id), enabled_(description.Enabled) {}

void ToolBarButton::SetEnabled(bool enabled) {
    enabled_ = enabled;
    SendMessageA(toolBar_, TB_ENABLEBUTTON, id_, MAKELONG(enabled, 0));
}

bool ToolBarButton::Down() const {
    return SendMessageA(toolBar_, TB_ISBUTTONCHECKED, id_, 0) != 0;
}

// Not every toolbar releases the rest of the group for TB_CHECKBUTTON, so
// the neighbours in the group are released here.
void ToolBarButton::SetDown(bool down) {
    SendMessageA(toolBar_, TB_CHECKBUTTON, id_, MAKELONG(down, 0));
    if (!down || !description_.Grouped) {
        return;
    }
    const auto index = int(SendMessageA(toolBar_, TB_COMMANDTOINDEX, id_, 0));
    const auto count = int(SendMessageA(toolBar_, TB_BUTTONCOUNT, 0, 0));
    for (const int step : {-1, 1}) {
        for (int i = index + step; i >= 0 && i < count; i += step) {
            TBBUTTON item{};
            SendMessageA(toolBar_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&item));
            if ((item.fsStyle & BTNS_CHECKGROUP) != BTNS_CHECKGROUP) {
                break;
            }
            SendMessageA(toolBar_, TB_CHECKBUTTON, item.idCommand, MAKELONG(FALSE, 0));
        }
    }
}

TBBUTTON ToolBarButton::Item(bool showCaptions) const {
    TBBUTTON item{};
    item.idCommand = id_;
    if (description_.Separator || description_.Slot) {
        item.iBitmap = description_.Width > 0 ? description_.Width : separatorWidth;
        item.fsStyle = BTNS_SEP;
        return item;
    }
    item.iBitmap = description_.ImageIndex < 0 ? I_IMAGENONE : description_.ImageIndex;
    item.fsState = BYTE((enabled_ ? TBSTATE_ENABLED : 0) | (Down() ? TBSTATE_CHECKED : 0));
    item.fsStyle = BYTE(description_.Grouped ? BTNS_CHECKGROUP
                        : description_.Check ? BTNS_CHECK
                                             : BTNS_BUTTON);
    item.iString = showCaptions ? reinterpret_cast<INT_PTR>(description_.Caption.c_str()) : -1;
    return item;
}

void Control::SetUpToolBar() {
    showCaptions_ = description_.ShowCaptions;
    if (!description_.Images.empty()) {
        images_.reset(ImageList_LoadImageA(App().Instance(), description_.Images.c_str(),
                                           description_.ImageSize, 0, transparentImageColor,
                                           IMAGE_BITMAP, LR_CREATEDIBSECTION));
        if (!images_) {
            throw std::runtime_error("Resource " + description_.Images + " not found");
        }
        SendMessageA(window_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
    }
    if (description_.Indent > 0) {
        SendMessageA(window_, TB_SETINDENT, description_.Indent, 0);
    }
    int id = 1;
    for (const auto& button : description_.Buttons) {
        buttons_.push_back(std::make_unique<ToolBarButton>(button, window_, id++));
    }
    AddToolButtons();
}

// The buttons again from their descriptions: a caption is a button's text
// only while captions show.
void Control::AddToolButtons() {
    while (SendMessageA(window_, TB_BUTTONCOUNT, 0, 0) > 0) {
        SendMessageA(window_, TB_DELETEBUTTON, 0, 0);
    }
    std::vector<TBBUTTON> added;
    for (const auto& button : buttons_) {
        added.push_back(button->Item(showCaptions_));
    }
    SendMessageA(window_, TB_SETMAXTEXTROWS, showCaptions_ ? 1 : 0, 0);
    SendMessageA(window_, TB_ADDBUTTONSA, added.size(), reinterpret_cast<LPARAM>(added.data()));
    if (description_.ButtonWidth > 0) {
        SetButtonSize(description_.ButtonWidth, description_.ButtonHeight);
    }
    PlaceSlots();
}

// A separator takes its width again only by going out and in once more.
void Control::SetSlotWidth(std::string_view name, int width) {
    for (const auto& button : buttons_) {
        if (!button->Description().Slot || button->Name() != name) {
            continue;
        }
        button->SetWidth(width);
        const auto index = SendMessageA(window_, TB_COMMANDTOINDEX, button->Id(), 0);
        const TBBUTTON item = button->Item(showCaptions_);
        SendMessageA(window_, TB_DELETEBUTTON, index, 0);
        SendMessageA(window_, TB_INSERTBUTTONA, index, reinterpret_cast<LPARAM>(&item));
    }
    PlaceSlots();
}

void Control::PlaceSlots() {
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        Control* control = FromHandle(child);
        if (!control) {
            continue;
        }
        for (const auto& button : buttons_) {
            RECT slot{};
            if (button->Description().Slot && button->Name() == control->Name() &&
                SendMessageA(window_, TB_GETRECT, button->Id(), reinterpret_cast<LPARAM>(&slot))) {
                const int height = control->Description().Place.Height;
                const int list = control->Kind() == ComponentKind::ComboBox ? comboListHeight : 0;
                control->SetPlace({slot.left, slot.top + (slot.bottom - slot.top - height) / 2,
                                   slot.right - slot.left, height + list});
            }
        }
    }
}

void Control::Associate(HWND edit) {
    SendMessageA(window_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageA(window_, UDM_SETRANGE32, description_.Min, description_.Max);
    SendMessageA(window_, UDM_SETPOS32, 0, description_.Position);
    UDACCEL step{0, UINT(description_.Increment)};
    SendMessageA(window_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
}

ToolBarButton* Control::ButtonById(int id) const {
    for (const auto& button : buttons_) {
        if (button->Id() == id) {
            return button.get();
        }
    }
    return nullptr;
}

void Control::SetShowCaptions(bool show) {
    showCaptions_ = show;
    AddToolButtons();
    // The form docks its children again with the toolbar's new height.
    RECT client{};
    const HWND form = GetAncestor(window_, GA_ROOT);
    GetClientRect(form, &client);
    SendMessageA(form, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

// Captions need room under the images: a smaller size asked for is raised,
// or the toolbar would cut them.
void Control::SetButtonSize(int width, int height) {
    description_.ButtonWidth = width;
    description_.ButtonHeight = height;
    if (showCaptions_) {
        const HDC dc = GetDC(window_);
        const HGDIOBJ oldFont = SelectObject(dc, HGDIOBJ(SendMessageA(window_, WM_GETFONT, 0, 0)));
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        for (const auto& button : buttons_) {
            const std::string& caption = button->Description().Caption;
            SIZE size{};
            GetTextExtentPoint32A(dc, caption.c_str(), int(caption.size()), &size);
            width = std::max(width, int(size.cx) + 8);
        }
        height = std::max(height, description_.ImageSize + int(metrics.tmHeight) + 8);
        SelectObject(dc, oldFont);
        ReleaseDC(window_, dc);
    }
    SendMessageA(window_, TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
    SendMessageA(window_, TB_AUTOSIZE, 0, 0);
}

SIZE Control::ButtonSize() const {
    const auto size = DWORD(SendMessageA(window_, TB_GETBUTTONSIZE, 0, 0));
    return {LOWORD(size), HIWORD(size)};
}

bool Control::Checked() const {
    return SendMessageA(window_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Control::SetChecked(bool checked) {
    if (checked == Checked()) {
        return;
    }
    SendMessageA(window_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) {
        Event event{this};
        OnClick(event);
    }
}

int Control::ItemIndex() const {
    for (int i = 0; i < int(description_.Items.size()); ++i) {
        if (IsDlgButtonChecked(window_, firstRadioId + i) == BST_CHECKED) {
            return i;
        }
    }
    return -1;
}

void Control::SetItemIndex(int index) {
    for (int i = 0; i < int(description_.Items.size()); ++i) {
        CheckDlgButton(window_, firstRadioId + i, i == index ? BST_CHECKED : BST_UNCHECKED);
    }
}

std::vector<std::string> Control::Items() const {
    std::vector<std::string> items;
    const auto count = SendMessageA(window_, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string item(SendMessageA(window_, LB_GETTEXTLEN, i, 0) + 1, '\0');
        item.resize(SendMessageA(window_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data())));
        items.push_back(std::move(item));
    }
    return items;
}

void Control::SetItems(const std::vector<std::string>& items) {
    SendMessageA(window_, LB_RESETCONTENT, 0, 0);
    for (const auto& item : items) {
        SendMessageA(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

TDateTime Control::DateTime() const {
    SYSTEMTIME time{};
    if (SendMessageA(window_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID) {
        return 0;
    }
    return EncodeDateTime(ToDateTimeParts(time)).value_or(0);
}

void Control::SetDateTime(TDateTime value) {
    SYSTEMTIME time = ToSystemTime(DecodeDateTime(value));
    SendMessageA(window_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

} // namespace zandrel
