#include "resources/form_main.h"

#include "resources/resource_names.h"

namespace zandrel {
namespace {

FormDescription Design() {
    FormDescription form;
    form.ClassName = "Zandrel.TFormMain";
    form.Caption = "Zandrel";
    form.Width = 558;
    form.Height = 442;
    form.FontName = "MS Sans Serif";
    form.FontHeight = -11;
    form.Menu = "MainMenu1";
    form.OnCreate = "FormCreate";
    form.OnClose = "FormClose";
    form.OnActivate = "FormActivate";
    form.OnDeactivate = "FormDeactivate";

    using K = ComponentKind;
    using namespace res;
    constexpr char kStartHint[] =
        "From this date the reminder sitchy window are shown on the screen";
    // The pickers, the notify box and the address list are a little wider or
    // lower than in the first design, so that a long time format, the box's
    // caption and the group's caption show whole.
    form.Components = {
        Component("Panel1", K::Panel, {0, 0, 558, 442})
            .Dock(Align::Client)
            .MouseMove("Panel1MouseMove"),
        // The upper panel: the command toolbar and, under it, the fields.
        Component("Panel2", K::Panel, {0, 0, 550, 156}).In("Panel1").Dock(Align::Top),
        Component("ToolBar1", K::ToolBar, {0, 0, 550, 29})
            .In("Panel2")
            .Dock(Align::Top)
            .WithImages(kBitmapCommandBar)
            .ButtonSize(31, 29)
            .WithButtons({
                ToolButton("ToolButton3", "Prev.", kImagePrev, "ToolButton3Click")
                    .Hinted("Move to previous message"),
                ToolButton("ToolButton4", "Next", kImageNext, "ToolButton4Click")
                    .Hinted("Move to next message"),
                ToolSeparator(),
                ToolButton("ToolButton_newMsg", "New", kImageNew, "ToolButton_newMsgClick")
                    .Hinted("Add a new message entry with default value"),
                ToolButton("ToolButton_addMsg", "Add", kImageAdd, "btnAddClick")
                    .Hinted("Add the current message to the list"),
                ToolButton("ToolButton_modMsg", "Replace", kImageReplace, "btnReplaceClick")
                    .Hinted("Update current message")
                    .Disabled(),
                ToolButton("ToolButton_delMsg", "Delete", kImageDelete, "btnDeleteClick")
                    .Hinted("Remove the current message from the list"),
                ToolSeparator(),
                ToolButton("ToolButton_refresh", "Refresh", kImageRefresh, "BtnRefreshClick")
                    .Hinted("Refresh the sticker windows"),
                ToolButton("ToolButton_print", "Print", kImagePrint, "sbPrintReportClick")
                    .Hinted("Create a report of the stored catalog"),
                ToolSeparator(),
                ToolButton("ToolButton12", "Help", kImageHelp, "Help1Click").Hinted("Help file"),
                ToolButton("ToolButton_About", "About", kImageAbout, "About1Click")
                    .Hinted("About/splash form"),
            }),
        Component("Panel4", K::Panel, {0, 29, 550, 120}).In("Panel2").Dock(Align::Top),

        Component("GroupBox1", K::GroupBox, {4, 4, 153, 65})
            .In("Panel4")
            .Titled("Show yellow memo")
            .FontColored(clNavy),
        Component("Label3", K::Label, {16, 20, 30, 13})
            .In("GroupBox1")
            .Titled("date:")
            .Hinted(kStartHint),
        Component("Label4", K::Label, {16, 40, 30, 13})
            .In("GroupBox1")
            .Titled("time:")
            .Hinted(kStartHint),
        Component("EditStart", K::DatePicker, {56, 16, 93, 21})
            .In("GroupBox1")
            .Hinted(kStartHint)
            .FontColored(clGreen),
        Component("editStartTime", K::TimePicker, {56, 36, 93, 21})
            .In("GroupBox1")
            .FontColored(clGreen),

        Component("gBox1", K::GroupBox, {160, 4, 209, 65})
            .In("Panel4")
            .Titled("Mailing notification")
            .Hinted("Setup the notification trough e-mail"),
        Component("sb_newMail", K::Button, {12, 16, 73, 25})
            .In("gBox1")
            .Titled("Add mail")
            .Hinted("Add the e-mail address to the list")
            .Click("sb_newMailClick"),
        Component("List_Address", K::ListBox, {100, 14, 105, 47})
            .In("gBox1")
            .Hinted("Setup a notification trough e-mail")
            .Colored(clBtnFace)
            .FontColored(clBlue)
            .DblClick("List_AddressDblClick"),
        Component("cbox_notify", K::CheckBox, {12, 40, 88, 17})
            .In("gBox1")
            .Titled("e-mail notify")
            .Hinted("Enable to send a notification trough e-mail"),

        Component("GroupBox2", K::GroupBox, {372, 4, 161, 65})
            .In("Panel4")
            .Titled("Show red memo")
            .FontColored(clNavy),
        Component("Label2", K::Label, {16, 20, 30, 13})
            .In("GroupBox2")
            .Titled("date:")
            .Hinted("From this date the reminder sticky window's color is turned from yellow to "
                    "red"),
        Component("Label5", K::Label, {16, 36, 30, 13})
            .In("GroupBox2")
            .Titled("time:")
            .Hinted(kStartHint),
        Component("EditEnd", K::DatePicker, {60, 16, 93, 21})
            .In("GroupBox2")
            .Hinted("From this date the reminder sticky window's color are turned from yellow to "
                    "red")
            .FontColored(clGreen),
        Component("editEndTime", K::TimePicker, {60, 36, 93, 21})
            .In("GroupBox2")
            .FontColored(clGreen),

        Component("rgIncType", K::RadioGroup, {4, 72, 317, 41})
            .In("Panel4")
            .Titled("Show periodic warning message")
            .Hinted("Enable a warning message after a regular period of time")
            .Listing({"Never", "Each hour", "Each day", "Each week"})
            .InColumns(4)
            .Selected(0)
            .FontColored(clNavy),
        Component("cBoxKeepHidden", K::CheckBox, {328, 76, 89, 17})
            .In("Panel4")
            .Titled("Keep Hidden")
            .Hinted("Keep the current  sticky window always hidden")
            .Click("cBoxKeepHiddenClick"),

        // The middle panel: the formatting toolbar above the text.
        Component("Panel3", K::Panel, {0, 156, 550, 220}).In("Panel1").Dock(Align::Client),
        Component("ToolBar", K::ToolBar, {0, 0, 550, 28})
            .In("Panel3")
            .Dock(Align::Top)
            .WithImages(kBitmapFormatBar)
            .ButtonSize(26, 22)
            .Indented(3)
            .OwnHintSwitch(true)
            .WithButtons({
                ToolButton("CopyButton", "", kImageCopy, "CopyButtonClick")
                    .Hinted("Copy|Copy selected item to clipboard"),
                ToolButton("PasteButton", "", kImagePaste, "PasteButtonClick")
                    .Hinted("Paste|Paste contents of clipboard"),
                ToolSeparator("ToolButton10", 8),
                ToolSlot("FontName", 96),
                ToolSeparator("ToolButton11", 8),
                ToolSlot("FontSize", 258),
                ToolSlot("UpDown1", 15),
                ToolButton("ColorButton", "", kImageColor, "ColorButtonClick")
                    .Hinted("Define font color"),
                ToolSeparator("ToolButton2", 8),
                ToolButton("BoldButton", "", kImageBold, "BoldButtonClick")
                    .Hinted("Bold")
                    .Checkable(),
                ToolButton("ItalicButton", "", kImageItalic, "ItalicButtonClick")
                    .Hinted("Italic")
                    .Checkable(),
                ToolButton("UnderlineButton", "", kImageUnderline, "UnderlineButtonClick")
                    .Hinted("Underline")
                    .Checkable(),
                ToolSeparator("ToolButton16", 8),
                ToolButton("LeftAlign", "", kImageAlignLeft, "AlignButtonClick")
                    .Hinted("Align Left")
                    .InGroup()
                    .Tagged(0),
                ToolButton("CenterAlign", "", kImageCenter, "AlignButtonClick")
                    .Hinted("Center")
                    .InGroup()
                    .Tagged(2),
                ToolButton("RightAlign", "", kImageAlignRight, "AlignButtonClick")
                    .Hinted("Align Right")
                    .InGroup()
                    .Tagged(1),
                ToolSeparator("ToolButton20", 8),
                ToolButton("BulletsButton", "", kImageBullets, "BulletsButtonClick")
                    .Hinted("Bullets|Enter bullet mode")
                    .Checkable(),
            }),
        Component("FontName", K::ComboBox, {0, 0, 96, 21})
            .In("ToolBar")
            .Titled("FontName")
            .Hinted("Font Name|Select font name")
            .Change("FontNameChange"),
        Component("FontSize", K::Edit, {0, 0, 258, 22})
            .In("ToolBar")
            .Titled("0")
            .Hinted("Font Size|Select font size")
            .Change("FontSizeChange"),
        Component("UpDown1", K::UpDown, {0, 0, 15, 22})
            .In("ToolBar")
            .Associated("FontSize")
            .Range(0, 100),
        Component("RichEditText", K::RichEdit, {0, 28, 550, 192})
            .In("Panel3")
            .Dock(Align::Client)
            .Change("RichEditTextSelectionChange"),
        Component("StatusBar1", K::StatusBar, {0, 376, 550, 19})
            .In("Panel1")
            .Dock(Align::Bottom)
            .Panels({70, 50, 50}),
    };

    form.Menus = {
        {"MainMenu1",
         false,
         {Submenu("Main1", "Main",
                  {Item("Refresh1", "Refresh", "BtnRefreshClick"),
                   Item("Report2", "Report", "sbPrintReportClick"), Separator("N3"),
                   Item("Close2", "Close", "Close2Click"),
                   Item("Shutdown", "Shutdown", "ShutdownClick")}),
          Submenu("Generalsetting1", "General setting",
                  {Item("Expandchild1", "Expand child", "ExpandChild"),
                   Item("Disablesound1", "Disable sound", "Disablesound1Click"),
                   Item("ShowText", "Show text in menu icon", "ShowTextClick"),
                   Item("ShowHint1", "ShowHint", "ShowHint1Click")}),
          Submenu("Help2", "Help",
                  {Item("Help3", "Help", "Help1Click"), Item("About2", "About", "About1Click")})}},
        {"PopupMenu1",
         true,
         {Item("Setup1", "Setup...", "Setup1Click")
              .Hinted("Call the master form for input/modify data")
              .AsDefault(),
          Item("Report1", "Report", "sbPrintReportClick")
              .Hinted("Create a report of the notes in the catalog"),
          Separator("N1"), Item("Shutdown1", "Shutdown", "ShutdownClick"), Separator("N2"),
          Item("About1", "About", "About1Click"), Item("Help1", "Help", "Help1Click")}},
    };

    form.Timers = {{"Timer1", 20000, true, "Timer1Timer"}};
    return form;
}

} // namespace

const FormDescription& FormMainDescription() {
    static const FormDescription description = Design();
    return description;
}

} // namespace zandrel
