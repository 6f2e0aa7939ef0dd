#include "framework/menu.h"

#include "framework/system_error.h"

namespace zandrel {

void MenuItem::SetCaption(const std::string& caption) {
    caption_ = caption;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = caption_.data();
    SetMenuItemInfoA(menu_, id_, FALSE, &info);
}

void MenuItem::SetEnabled(bool enabled) {
    EnableMenuItem(menu_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

Menu::Menu(const MenuDescription& description, UINT& nextId)
    : name_(description.Name), menu_(description.Popup ? CreatePopupMenu() : CreateMenu()) {
    if (!menu_) {
        throw SystemError("Cannot create the menu " + name_,
                          description.Popup ? "CreatePopupMenu" : "CreateMenu");
    }
    AddItems(menu_.get(), description.Items, nextId);
}

void Menu::AddItems(HMENU menu, const std::vector<MenuItemDescription>& items, UINT& nextId) {
    for (const auto& description : items) {
        if (description.Caption == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        if (!description.Items.empty()) {
            // A submenu belongs to its parent menu, which destroys it.
            const HMENU submenu = CreatePopupMenu();
            AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu),
                        description.Caption.c_str());
            AddItems(submenu, description.Items, nextId);
            continue;
        }
        const UINT id = nextId++;
        AppendMenuA(menu, MF_STRING, id, description.Caption.c_str());
        if (description.Default) {
            SetMenuDefaultItem(menu, id, FALSE);
        }
        items_.push_back(std::make_unique<MenuItem>(description, menu, id));
    }
}

void Menu::Popup(HWND owner, POINT at) const {
    TrackPopupMenuEx(menu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, owner,
                     nullptr);
    // Lets the menu close properly when the owner was not in the foreground.
    PostMessageA(owner, WM_NULL, 0, 0);
}

const MenuItem* Menu::Choose(HWND owner, POINT at) const {
    const auto id = UINT(TrackPopupMenuEx(
        menu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
        at.x, at.y, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    for (const auto& item : items_) {
        if (id != 0 && item->Id() == id) {
            return item.get();
        }
    }
    return nullptr;
}

} // namespace zandrel
