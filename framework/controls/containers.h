#pragma once
// Controls that hold others: panels, group boxes and radio groups. They pass
// their children's reports on to the form, and Tab enters them.
#include "framework/controls/control.h"

namespace zandrel {

class Panel : public Control {
public:
    Panel(const ComponentDescription& description, HWND parent, int id);
    bool SeeThrough() const override { return true; }
};

// Group boxes draw themselves, and answer the pointer so that their hints
// show.
class GroupBox : public Control {
public:
    GroupBox(const ComponentDescription& description, HWND parent, int id);
    bool SeeThrough() const override { return true; }
};

// A group box of radio buttons in columns, filled column by column; the
// description's items are the choices.
class RadioGroup : public GroupBox {
public:
    RadioGroup(const ComponentDescription& description, HWND parent, int id);

    void ApplyDpi() override;

    // The selected choice, -1 for none (also for an index that is no
    // choice).
    int ItemIndex() const;
    void SetItemIndex(int index);

private:
    // The buttons in even columns and rows of the group's place.
    void PlaceButtons();
};

} // namespace zandrel
