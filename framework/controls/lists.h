#pragma once
// List boxes, editable drop-down combo boxes and drop-down lists, filled
// from the description's items.
#include "framework/controls/control.h"

#include <string>
#include <vector>

namespace zandrel {

// Runs OnClick when the selection changes and OnDblClick on a double click.
class ListBox : public Control {
public:
    ListBox(const ComponentDescription& description, HWND parent, int id);
    void Command(UINT code, int id) override;

    // The lines, in order.
    std::vector<std::string> Items() const;
    void SetItems(const std::vector<std::string>& items);
    // The selected line; -1 when none is.
    int ItemIndex() const;
    void DeleteItem(int index);
};

// Its caption is the edit part's text. Runs OnChange when a choice is picked
// or the text is edited.
class ComboBox : public Control {
public:
    // Room for the drop-down list below the edit part.
    static constexpr int ListHeight = 200;

    ComboBox(const ComponentDescription& description, HWND parent, int id);
    void Command(UINT code, int id) override;
};

// A combo box without an edit part: one of its items is chosen. Runs
// OnChange when the user picks another.
class DropDownList : public Control {
public:
    DropDownList(const ComponentDescription& description, HWND parent, int id);
    void Command(UINT code, int id) override;

    // The chosen item; -1 when none is.
    int ItemIndex() const;
    void SetItemIndex(int index);
};

} // namespace zandrel
