#pragma once
// Text controls: one-line edits, rich-text edits, and the up-down controls
// that step the number in an edit.
#include "framework/controls/control.h"

#include <string>
#include <vector>

namespace zandrel {

// Runs OnChange whenever its text changes. It holds any character (a
// Unicode window).
class Edit : public Control {
public:
    Edit(const ComponentDescription& description, HWND parent, int id);
    void Command(UINT code, int id) override;
};

// Lines of plain text to read: the description's items, centred.
class Memo : public Control {
public:
    Memo(const ComponentDescription& description, HWND parent, int id);
    const std::vector<std::string>& Lines() const { return Description().Items; }
};

// Multi-line formatted text of any length; runs OnChange whenever the
// selection moves.
class RichEdit : public Control {
public:
    RichEdit(const ComponentDescription& description, HWND parent, int id);
    void Notify(const NMHDR& header) override;
};

// Changes the number in the edit its description names (Associate), between
// Min and Max by Increment, from Position; it stops at the ends.
class UpDown : public Control {
public:
    UpDown(const ComponentDescription& description, HWND parent, int id);
    void Connect(const ControlLookup& find) override;
};

} // namespace zandrel
