#include "framework/controls/lists.h"

#include <commctrl.h>

namespace zandrel {

ListBox::ListBox(const ComponentDescription& description, HWND parent, int id)
    : Control(description, parent, id,
              {WC_LISTBOXA, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
               WS_EX_CLIENTEDGE}) {
    SetItems(description.Items);
}

void ListBox::Command(UINT code, int) {
    if (code == LBN_SELCHANGE) {
        Fire(OnClick);
    } else if (code == LBN_DBLCLK) {
        Fire(OnDblClick);
    }
}

std::vector<std::string> ListBox::Items() const {
    std::vector<std::string> items;
    const auto count = SendMessageA(Handle(), LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string item(SendMessageA(Handle(), LB_GETTEXTLEN, i, 0) + 1, '\0');
        item.resize(SendMessageA(Handle(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data())));
        items.push_back(std::move(item));
    }
    return items;
}

void ListBox::SetItems(const std::vector<std::string>& items) {
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
    for (const auto& item : items) {
        SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

int ListBox::ItemIndex() const {
    const auto index = SendMessageA(Handle(), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : int(index);
}

void ListBox::DeleteItem(int index) {
    SendMessageA(Handle(), LB_DELETESTRING, WPARAM(index), 0);
}

ComboBox::ComboBox(const ComponentDescription& description, HWND parent, int id)
    : Control(
          description, parent, id,
          {WC_COMBOBOXA, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, ListHeight}) {
    for (const auto& item : description.Items) {
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SetWindowTextA(Handle(), description.Caption.c_str());
}

void ComboBox::Command(UINT code, int) {
    if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) {
        Fire(OnChange);
    }
}

DropDownList::DropDownList(const ComponentDescription& description, HWND parent, int id)
    : Control(description, parent, id,
              {WC_COMBOBOXA, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, ComboBox::ListHeight}) {
    for (const auto& item : description.Items) {
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SetItemIndex(description.ItemIndex);
}

void DropDownList::Command(UINT code, int) {
    if (code == CBN_SELCHANGE) {
        Fire(OnChange);
    }
}

int DropDownList::ItemIndex() const {
    const auto index = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : int(index);
}

void DropDownList::SetItemIndex(int index) {
    SendMessageA(Handle(), CB_SETCURSEL, WPARAM(index), 0);
}

} // namespace zandrel
