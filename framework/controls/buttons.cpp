#include "framework/controls/buttons.h"

#include <commctrl.h>

namespace zandrel {

Label::Label(const ComponentDescription& description, HWND parent, int id)
    : Control(description, parent, id, {WC_STATICA, SS_LEFT | SS_NOTIFY}) {}

void Label::Command(UINT code, int) {
    if (code == STN_CLICKED) {
        Fire(OnClick);
    } else if (code == STN_DBLCLK) {
        Fire(OnDblClick);
    }
}

Button::Button(const ComponentDescription& description, HWND parent, int id)
    : Button(description, parent, id, BS_PUSHBUTTON) {}

Button::Button(const ComponentDescription& description, HWND parent, int id, DWORD style)
    : Control(description, parent, id, {WC_BUTTONA, style | WS_TABSTOP}) {}

void Button::Command(UINT code, int) {
    if (code == BN_CLICKED) {
        Fire(OnClick);
    }
}

CheckBox::CheckBox(const ComponentDescription& description, HWND parent, int id)
    : Button(description, parent, id, BS_AUTOCHECKBOX) {}

bool CheckBox::Checked() const {
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
    if (checked == Checked()) {
        return;
    }
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    Fire(OnClick);
}

} // namespace zandrel
