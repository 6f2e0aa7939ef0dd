#pragma once
// Menus built from their descriptions: a menu bar or a pop-up menu, with
// items found by name.
#include "framework/event.h"
#include "framework/form_description.h"
#include "framework/handles.h"

#include <memory>
#include <string>
#include <vector>

namespace zandrel {

class MenuItem {
public:
    MenuItem(const MenuItemDescription& description, HMENU menu, UINT id)
        : description_(description), menu_(menu), id_(id), caption_(description.Caption) {}

    const std::string& Name() const { return description_.Name; }
    const std::string& Hint() const { return description_.Hint; }
    UINT Id() const { return id_; }
    bool IsDefault() const { return description_.Default; }
    const std::string& HandlerName() const { return description_.OnClick; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    void SetEnabled(bool enabled);

    EventHandler OnClick;

private:
    MenuItemDescription description_;
    HMENU menu_; // the (sub)menu that holds the item; owned by its Menu
    UINT id_;
    std::string caption_;
};

class Menu {
public:
    // Builds the menu; item identifiers are handed out from nextId on.
    Menu(const MenuDescription& description, UINT& nextId);

    const std::string& Name() const { return name_; }
    HMENU Handle() const { return menu_.get(); }
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }

    // Pops the menu up with its top-left corner at a screen point and returns
    // when it closes; the chosen item's command goes to owner.
    void Popup(HWND owner, POINT at) const;
    // Pops the menu up the same way and returns the item chosen, or null;
    // no command is sent.
    const MenuItem* Choose(HWND owner, POINT at) const;

private:
    void AddItems(HMENU menu, const std::vector<MenuItemDescription>& items, UINT& nextId);

    std::string name_;
    MenuHandle menu_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

} // namespace zandrel
