#include "framework/controls/tool_bar.h"

#include "framework/application.h"
#include "framework/controls/lists.h"
#include "framework/device_context.h"
#include "framework/dpi.h"
#include "framework/system_error.h"

#include <algorithm>

namespace zandrel {
namespace {

constexpr COLORREF transparentImageColor = RGB(255, 0, 255);
constexpr int separatorWidth = 6;

} // namespace

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

TBBUTTON ToolBarButton::Item(bool showCaptions, DpiScale scale) const {
    TBBUTTON item{};
    item.idCommand = id_;
    if (description_.Separator || description_.Slot) {
        item.iBitmap = scale.Scale(description_.Width > 0 ? description_.Width : separatorWidth);
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

ToolBar::ToolBar(const ComponentDescription& description, HWND parent, int id)
    : Control(description, parent, id,
              {TOOLBARCLASSNAMEA, TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
               WS_EX_CONTROLPARENT}),
      showCaptions_(description.ShowCaptions), buttonWidth_(description.ButtonWidth),
      buttonHeight_(description.ButtonHeight) {
    SendMessageA(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    LoadImages();
    int buttonId = 1;
    for (const auto& button : description.Buttons) {
        buttons_.push_back(std::make_unique<ToolBarButton>(button, Handle(), buttonId++));
    }
    AddToolButtons();
}

// The image strip at the toolbar's DPI; the indent with it.
void ToolBar::LoadImages() {
    const ComponentDescription& description = Description();
    if (!description.Images.empty()) {
        ImageListHandle images = LoadImageStrip(description.Images, description.ImageSize,
                                                Scaling(), transparentImageColor);
        if (!images) {
            throw SystemError("Cannot load the picture " + description.Images,
                              "ImageList_LoadImageA");
        }
        SendMessageA(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
        images_ = std::move(images);
    }
    if (description.Indent > 0) {
        SendMessageA(Handle(), TB_SETINDENT, Scaling().Scale(description.Indent), 0);
    }
}

void ToolBar::ApplyDpi() {
    Control::ApplyDpi();
    LoadImages();
    AddToolButtons();
}

int ToolBar::DockedHeight() const {
    const int designed = Scaling().Scale(Description().Place.Height);
    return buttons_.empty() ? designed : std::max(int(ButtonSize().cy), designed);
}

void ToolBar::BindHandlers(const HandlerLookup& resolve) {
    Control::BindHandlers(resolve);
    for (const auto& button : buttons_) {
        button->OnClick = resolve(button->Description().OnClick);
    }
}

void ToolBar::DropHandlers() {
    Control::DropHandlers();
    for (const auto& button : buttons_) {
        button->OnClick = {};
    }
}

void ToolBar::Connect(const ControlLookup&) {
    PlaceSlots();
}

void ToolBar::Command(UINT, int id) {
    if (const ToolBarButton* button = ButtonById(id);
        button && button->Enabled() && button->OnClick) {
        Event event{this};
        event.Button = button;
        button->OnClick(event);
    }
}

// The buttons again from their descriptions: a caption is a button's text
// only while captions show.
void ToolBar::AddToolButtons() {
    while (SendMessageA(Handle(), TB_BUTTONCOUNT, 0, 0) > 0) {
        SendMessageA(Handle(), TB_DELETEBUTTON, 0, 0);
    }
    std::vector<TBBUTTON> added;
    for (const auto& button : buttons_) {
        added.push_back(button->Item(showCaptions_, Scaling()));
    }
    SendMessageA(Handle(), TB_SETMAXTEXTROWS, showCaptions_ ? 1 : 0, 0);
    SendMessageA(Handle(), TB_ADDBUTTONSA, added.size(), reinterpret_cast<LPARAM>(added.data()));
    if (buttonWidth_ > 0) {
        SetButtonSize(buttonWidth_, buttonHeight_);
    }
    PlaceSlots();
}

// A separator takes its width again only by going out and in once more.
void ToolBar::SetSlotWidth(std::string_view name, int width) {
    for (const auto& button : buttons_) {
        if (!button->Description().Slot || button->Name() != name) {
            continue;
        }
        button->SetWidth(width);
        const auto index = SendMessageA(Handle(), TB_COMMANDTOINDEX, button->Id(), 0);
        const TBBUTTON item = button->Item(showCaptions_, Scaling());
        SendMessageA(Handle(), TB_DELETEBUTTON, index, 0);
        SendMessageA(Handle(), TB_INSERTBUTTONA, index, reinterpret_cast<LPARAM>(&item));
    }
    PlaceSlots();
}

void ToolBar::PlaceSlots() {
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        Control* control = FromHandle(child);
        if (!control) {
            continue;
        }
        for (const auto& button : buttons_) {
            RECT slot{};
            if (button->Description().Slot && button->Name() == control->Name() &&
                SendMessageA(Handle(), TB_GETRECT, button->Id(), reinterpret_cast<LPARAM>(&slot))) {
                const int height = Scaling().Scale(control->Description().Place.Height);
                const int list = control->Kind() == ComponentKind::ComboBox
                                     ? Scaling().Scale(ComboBox::ListHeight)
                                     : 0;
                control->SetPlace({slot.left, slot.top + (slot.bottom - slot.top - height) / 2,
                                   slot.right - slot.left, height + list});
            }
        }
    }
}

ToolBarButton* ToolBar::ButtonById(int id) const {
    for (const auto& button : buttons_) {
        if (button->Id() == id) {
            return button.get();
        }
    }
    return nullptr;
}

void ToolBar::SetShowCaptions(bool show) {
    showCaptions_ = show;
    AddToolButtons();
    // The form docks its children again with the toolbar's new height.
    RECT client{};
    const HWND form = GetAncestor(Handle(), GA_ROOT);
    GetClientRect(form, &client);
    SendMessageA(form, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

// Captions need room under the images: a smaller size asked for is raised,
// or the toolbar would cut them.
void ToolBar::SetButtonSize(int width, int height) {
    buttonWidth_ = width;
    buttonHeight_ = height;
    const DpiScale scale = Scaling();
    width = scale.Scale(width);
    height = scale.Scale(height);
    if (showCaptions_) {
        const WindowDc dc(Handle());
        const Selection font(dc.Get(), HGDIOBJ(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc.Get(), &metrics);
        for (const auto& button : buttons_) {
            const std::string& caption = button->Description().Caption;
            SIZE size{};
            GetTextExtentPoint32A(dc.Get(), caption.c_str(), int(caption.size()), &size);
            width = std::max(width, int(size.cx) + scale.Scale(8));
        }
        height = std::max(height, scale.Scale(Description().ImageSize + 8) + int(metrics.tmHeight));
    }
    SendMessageA(Handle(), TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
    SendMessageA(Handle(), TB_AUTOSIZE, 0, 0);
}

SIZE ToolBar::ButtonSize() const {
    const auto size = DWORD(SendMessageA(Handle(), TB_GETBUTTONSIZE, 0, 0));
    return {LOWORD(size), HIWORD(size)};
}

} // namespace zandrel
