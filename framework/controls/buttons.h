#pragma once
// Labels, push buttons and check boxes.
#include "framework/controls/control.h"

namespace zandrel {

// A label runs OnClick on a click and OnDblClick on a double click.
class Label : public Control {
public:
    Label(const ComponentDescription& description, HWND parent, int id);
    bool SeeThrough() const override { return true; }
    void Command(UINT code, int id) override;
};

class Button : public Control {
public:
    Button(const ComponentDescription& description, HWND parent, int id);
    void Command(UINT code, int id) override;

protected:
    Button(const ComponentDescription& description, HWND parent, int id, DWORD style);
};

class CheckBox : public Button {
public:
    CheckBox(const ComponentDescription& description, HWND parent, int id);
    bool SeeThrough() const override { return true; }

    // A new state set here runs OnClick, as a click would.
    bool Checked() const;
    void SetChecked(bool checked);
};

} // namespace zandrel
