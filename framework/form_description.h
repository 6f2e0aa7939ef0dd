#pragma once
// Declarative descriptions of windows: every form is one table of components
// (name, kind, place, texts, event bindings by handler name), its menus and
// its timers. The shell builds the window from the table when the form is
// created; handlers are found by name among those the form class binds.
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zandrel {

enum class ComponentKind {
    Panel,
    GroupBox,
    Label,
    Button,
    CheckBox,
    RadioGroup, // a group box of radio buttons in columns; Items are the choices
    Edit,
    ListBox,
    ComboBox,     // editable drop-down
    DropDownList, // a choice of Items in a drop-down list, no edit part; Selected is the first
    DatePicker,
    TimePicker,
    UpDown,
    ToolBar,
    RichEdit,
    StatusBar,
    Memo,   // read-only lines of text, centred, without a border; Items are the lines
    Custom, // one of the program's own control classes, named by ControlClass
};

// A colour: an RGB value as COLORREF (0x00BBGGRR), or kSystemColor plus a
// system colour index (COLOR_BTNFACE...).
using Color = std::uint32_t;
inline constexpr Color kSystemColor = 0x80000000;
inline constexpr Color clNavy = 0x800000;  // RGB(0, 0, 128)
inline constexpr Color clGreen = 0x008000; // RGB(0, 128, 0)
inline constexpr Color clBlue = 0xFF0000;  // RGB(0, 0, 255)
inline constexpr Color clBtnFace = kSystemColor | 15;

// A button of a toolbar, a separator (no name needed), or the slot of a
// component that sits inside the toolbar (Name is the component's).
struct ToolButtonDescription {
    std::string Name;
    std::string Caption;
    std::string Hint;
    std::string OnClick;
    int ImageIndex = -1;
    bool Enabled = true;
    bool Separator = false;
    bool Slot = false;
    int Width = 0;        // separators and slots; 0: the toolbar's own separator width
    bool Check = false;   // stays down when clicked, up when clicked again
    bool Grouped = false; // a check button of a group: pressing one releases the others
    int Tag = 0;

    ToolButtonDescription& Hinted(std::string hint) {
        Hint = std::move(hint);
        return *this;
    }
    ToolButtonDescription& Disabled() {
        Enabled = false;
        return *this;
    }
    ToolButtonDescription& Checkable() {
        Check = true;
        return *this;
    }
    ToolButtonDescription& InGroup() {
        Check = Grouped = true;
        return *this;
    }
    ToolButtonDescription& Tagged(int tag) {
        Tag = tag;
        return *this;
    }
};

inline ToolButtonDescription ToolButton(std::string name, std::string caption, int imageIndex,
                                        std::string handler) {
    ToolButtonDescription button;
    button.Name = std::move(name);
    button.Caption = std::move(caption);
    button.ImageIndex = imageIndex;
    button.OnClick = std::move(handler);
    return button;
}

inline ToolButtonDescription ToolSeparator(std::string name = {}, int width = 0) {
    ToolButtonDescription separator;
    separator.Name = std::move(name);
    separator.Separator = true;
    separator.Width = width;
    return separator;
}

// The place of the component `name` (a child of the toolbar) among the
// buttons, as wide as the component.
inline ToolButtonDescription ToolSlot(std::string name, int width) {
    ToolButtonDescription slot;
    slot.Name = std::move(name);
    slot.Slot = true;
    slot.Width = width;
    return slot;
}

// How a component follows its parent's size: kept at its place, or docked
// to an edge or the space left over. The top and bottom ones take their
// edges first, then the left and right ones, then the client one, each in
// table order.
enum class Align { None, Top, Bottom, Left, Right, Client };

struct FontDescription {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

    auto operator<=>(const FontDescription&) const = default;
};

// The system's cursors a control can show.
enum class StandardCursor { Arrow, Hand, IBeam, Cross, Wait, SizeAll, No };

struct Bounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

struct ComponentDescription {
    std::string Name;
    ComponentKind Kind = ComponentKind::Panel;
    std::string Parent; // empty: the form itself
    Bounds Place;       // pixels inside the parent's client area
    Align Alignment = Align::None;
    std::string Caption;
    std::string Hint;
    std::string OnClick;
    std::string OnChange;
    std::string OnDblClick;
    std::string OnMouseMove;
    std::vector<std::string> Items;
    std::vector<int> PanelWidths; // status bar: one width per panel
    bool Enabled = true;
    bool Visible = true;
    std::optional<Color> FontColor;
    std::optional<Color> Background;
    std::optional<FontDescription> Font; // otherwise the form's
    // The cursor over the control: a system one, or a screen cursor slot of
    // the application.
    std::optional<StandardCursor> Cursor;
    std::optional<int> ScreenCursor;
    std::string ControlClass; // Custom components: the registered control class
    int Columns = 1;          // radio group
    int ItemIndex = -1;       // radio group, drop-down list: the choice selected at creation
    // Tool bars: the buttons, the bitmap resource of their square images
    // (magenta is transparent), the button size and whether the captions show
    // under the images.
    std::vector<ToolButtonDescription> Buttons;
    std::string Images;
    int ImageSize = 16;
    int ButtonWidth = 0;
    int ButtonHeight = 0;
    bool ShowCaptions = false;
    int Indent = 0; // tool bars: space before the first button
    // A hint switch of its own, for this control and those inside it;
    // otherwise the form's hint setting decides.
    std::optional<bool> ShowHint;
    // Up-down controls: the edit whose number they change, the range, the
    // start position and the step; they stop at the ends.
    std::string Associate;
    int Min = 0;
    int Max = 100;
    int Position = 0;
    int Increment = 1;

    // Table rows read as one chain: Component(...).In("Panel1").Dock(Align::Top)...
    ComponentDescription& In(std::string parent) { return Set(Parent, std::move(parent)); }
    ComponentDescription& Dock(Align alignment) { return Set(Alignment, alignment); }
    ComponentDescription& Titled(std::string caption) { return Set(Caption, std::move(caption)); }
    ComponentDescription& Hinted(std::string hint) { return Set(Hint, std::move(hint)); }
    ComponentDescription& Click(std::string handler) { return Set(OnClick, std::move(handler)); }
    ComponentDescription& Change(std::string handler) { return Set(OnChange, std::move(handler)); }
    ComponentDescription& DblClick(std::string handler) {
        return Set(OnDblClick, std::move(handler));
    }
    ComponentDescription& MouseMove(std::string handler) {
        return Set(OnMouseMove, std::move(handler));
    }
    ComponentDescription& Listing(std::vector<std::string> items) {
        return Set(Items, std::move(items));
    }
    ComponentDescription& Panels(std::vector<int> widths) {
        return Set(PanelWidths, std::move(widths));
    }
    ComponentDescription& FontColored(Color color) { return Set(FontColor, color); }
    ComponentDescription& Colored(Color color) { return Set(Background, color); }
    ComponentDescription& InFont(FontDescription font) { return Set(Font, std::move(font)); }
    ComponentDescription& WithCursor(StandardCursor cursor) { return Set(Cursor, cursor); }
    ComponentDescription& WithScreenCursor(int slot) { return Set(ScreenCursor, slot); }
    ComponentDescription& InColumns(int columns) { return Set(Columns, columns); }
    ComponentDescription& Selected(int index) { return Set(ItemIndex, index); }
    ComponentDescription& WithButtons(std::vector<ToolButtonDescription> buttons) {
        return Set(Buttons, std::move(buttons));
    }
    ComponentDescription& WithImages(std::string bitmap) { return Set(Images, std::move(bitmap)); }
    ComponentDescription& ButtonSize(int width, int height) {
        ButtonWidth = width;
        return Set(ButtonHeight, height);
    }
    ComponentDescription& Captions(bool show) { return Set(ShowCaptions, show); }
    ComponentDescription& Indented(int indent) { return Set(Indent, indent); }
    ComponentDescription& OwnHintSwitch(bool show) { return Set(ShowHint, show); }
    ComponentDescription& Associated(std::string edit) { return Set(Associate, std::move(edit)); }
    ComponentDescription& Range(int min, int max) {
        Min = min;
        return Set(Max, max);
    }
    ComponentDescription& Disabled() { return Set(Enabled, false); }
    ComponentDescription& Hidden() { return Set(Visible, false); }

private:
    template <typename Field, typename Value> ComponentDescription& Set(Field& field, Value value) {
        field = std::move(value);
        return *this;
    }
};

inline ComponentDescription Component(std::string name, ComponentKind kind, Bounds place) {
    ComponentDescription component;
    component.Name = std::move(name);
    component.Kind = kind;
    component.Place = place;
    return component;
}

// A component of one of the program's own control classes.
inline ComponentDescription CustomComponent(std::string name, std::string controlClass,
                                            Bounds place) {
    ComponentDescription component = Component(std::move(name), ComponentKind::Custom, place);
    component.ControlClass = std::move(controlClass);
    return component;
}

struct MenuItemDescription {
    std::string Name;
    std::string Caption; // "-" is a separator
    std::string Hint;
    std::string OnClick;
    bool Default = false;
    std::vector<MenuItemDescription> Items; // a submenu when not empty

    MenuItemDescription& Hinted(std::string hint) {
        Hint = std::move(hint);
        return *this;
    }
    MenuItemDescription& AsDefault() {
        Default = true;
        return *this;
    }
};

inline MenuItemDescription Item(std::string name, std::string caption, std::string handler) {
    MenuItemDescription item;
    item.Name = std::move(name);
    item.Caption = std::move(caption);
    item.OnClick = std::move(handler);
    return item;
}

inline MenuItemDescription Separator(std::string name) {
    return Item(std::move(name), "-", "");
}

inline MenuItemDescription Submenu(std::string name, std::string caption,
                                   std::vector<MenuItemDescription> items) {
    MenuItemDescription submenu = Item(std::move(name), std::move(caption), "");
    submenu.Items = std::move(items);
    return submenu;
}

struct MenuDescription {
    std::string Name;
    bool Popup = false; // a pop-up menu; otherwise the form's menu bar
    std::vector<MenuItemDescription> Items;
};

struct TimerDescription {
    std::string Name;
    unsigned Interval = 1000; // milliseconds
    bool Enabled = true;
    std::string OnTimer;
};

// A key that runs a handler wherever the focus is in the form: a virtual
// key code, with Ctrl or without (Shift and Alt not pressed).
struct ShortcutDescription {
    unsigned Key = 0;
    bool Ctrl = false;
    std::string OnKey;
};

// The buttons of a form's caption bar; without the system menu there are
// none.
struct BorderIcons {
    bool SystemMenu = true;
    bool Minimize = true;
    bool Maximize = true;
};

struct FormDescription {
    std::string ClassName; // also the window class, so it must be unique
    std::string Caption;
    int Width = 0; // the whole window, frame included
    int Height = 0;
    std::string FontName = "MS Sans Serif";
    int FontHeight = -11;
    std::optional<Color> Background;
    BorderIcons Icons;
    bool Centered = false;      // in the middle of the screen at creation
    bool CloseOnEscape = false; // Esc runs Close, as a dialog's Cancel would
    std::string Menu;           // name of the menu bar, if any
    std::string OnCreate;
    std::string OnClose;
    std::string OnActivate;
    std::string OnDeactivate;
    // Created above every window that does not stay on top itself.
    bool StayOnTop = false;
    std::vector<ComponentDescription> Components;
    std::vector<MenuDescription> Menus;
    std::vector<TimerDescription> Timers;
    std::vector<ShortcutDescription> Shortcuts;
};

} // namespace zandrel
