#include "resources/form_main.h"

#include "resources/resource_names.h"
#include "storage/core/repeat.h"

#include <windows.h>

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
    form.Menu = form_main::MainMenu1;
    form.OnCreate = form_main::on::FormCreate;
    form.OnClose = form_main::on::FormClose;
    form.OnActivate = form_main::on::FormActivate;
    form.OnDeactivate = form_main::on::FormDeactivate;

    using K = ComponentKind;
    using namespace res;
    constexpr char kStartHint[] =
        "From this date the reminder sitchy window are shown on the screen";
    // The pickers, the notify box and the address list are a little wider or
    // lower than in the first design, so that a long time format, the box's
    // caption and the group's caption show whole.
    form.Components = {
        Component(form_main::Panel1, K::Panel, {0, 0, 558, 442})
            .Dock(Align::Client)
            .MouseMove(form_main::on::Panel1MouseMove),
        // The upper panel: the command toolbar and, under it, the fields.
        Component(form_main::Panel2, K::Panel, {0, 0, 550, 156})
            .In(form_main::Panel1)
            .Dock(Align::Top),
        Component(form_main::ToolBar1, K::ToolBar, {0, 0, 550, 29})
            .In(form_main::Panel2)
            .Dock(Align::Top)
            .WithImages(kBitmapCommandBar)
            .ButtonSize(31, 29)
            .WithButtons({
                ToolButton(form_main::ToolButton3, "Prev.", kImagePrev,
                           form_main::on::ToolButton3Click)
                    .Hinted("Move to previous message"),
                ToolButton(form_main::ToolButton4, "Next", kImageNext,
                           form_main::on::ToolButton4Click)
                    .Hinted("Move to next message"),
                ToolSeparator(),
                ToolButton(form_main::ToolButton_newMsg, "New", kImageNew,
                           form_main::on::ToolButton_newMsgClick)
                    .Hinted("Add a new message entry with default value"),
                ToolButton(form_main::ToolButton_addMsg, "Add", kImageAdd,
                           form_main::on::btnAddClick)
                    .Hinted("Add the current message to the list"),
                ToolButton(form_main::ToolButton_modMsg, "Replace", kImageReplace,
                           form_main::on::btnReplaceClick)
                    .Hinted("Update current message")
                    .Disabled(),
                ToolButton(form_main::ToolButton_delMsg, "Delete", kImageDelete,
                           form_main::on::btnDeleteClick)
                    .Hinted("Remove the current message from the list"),
                ToolSeparator(),
                ToolButton(form_main::ToolButton_refresh, "Refresh", kImageRefresh,
                           form_main::on::BtnRefreshClick)
                    .Hinted("Refresh the sticker windows"),
                ToolButton(form_main::ToolButton_print, "Print", kImagePrint,
                           form_main::on::sbPrintReportClick)
                    .Hinted("Create a report of the stored catalog"),
                ToolSeparator(),
                ToolButton(form_main::ToolButton12, "Help", kImageHelp, form_main::on::Help1Click)
                    .Hinted("Help file"),
                ToolButton(form_main::ToolButton_About, "About", kImageAbout,
                           form_main::on::About1Click)
                    .Hinted("About/splash form"),
            }),
        Component(form_main::Panel4, K::Panel, {0, 29, 550, 120})
            .In(form_main::Panel2)
            .Dock(Align::Top),

        Component(form_main::GroupBox1, K::GroupBox, {4, 4, 153, 65})
            .In(form_main::Panel4)
            .Titled("Show yellow memo")
            .FontColored(clNavy),
        Component(form_main::Label3, K::Label, {16, 20, 30, 13})
            .In(form_main::GroupBox1)
            .Titled("date:")
            .Hinted(kStartHint),
        Component(form_main::Label4, K::Label, {16, 40, 30, 13})
            .In(form_main::GroupBox1)
            .Titled("time:")
            .Hinted(kStartHint),
        Component(form_main::EditStart, K::DatePicker, {56, 16, 93, 21})
            .In(form_main::GroupBox1)
            .Hinted(kStartHint)
            .FontColored(clGreen),
        Component(form_main::editStartTime, K::TimePicker, {56, 36, 93, 21})
            .In(form_main::GroupBox1)
            .FontColored(clGreen),

        Component(form_main::gBox1, K::GroupBox, {160, 4, 209, 65})
            .In(form_main::Panel4)
            .Titled("Mailing notification")
            .Hinted("Setup the notification trough e-mail"),
        Component(form_main::sb_newMail, K::Button, {12, 16, 73, 25})
            .In(form_main::gBox1)
            .Titled("Add mail")
            .Hinted("Add the e-mail address to the list")
            .Click(form_main::on::sb_newMailClick),
        Component(form_main::List_Address, K::ListBox, {100, 14, 105, 47})
            .In(form_main::gBox1)
            .Hinted("Setup a notification trough e-mail")
            .Colored(clBtnFace)
            .FontColored(clBlue)
            .DblClick(form_main::on::List_AddressDblClick),
        Component(form_main::cbox_notify, K::CheckBox, {12, 40, 88, 17})
            .In(form_main::gBox1)
            .Titled("e-mail notify")
            .Hinted("Enable to send a notification trough e-mail"),

        Component(form_main::GroupBox2, K::GroupBox, {372, 4, 161, 65})
            .In(form_main::Panel4)
            .Titled("Show red memo")
            .FontColored(clNavy),
        Component(form_main::Label2, K::Label, {16, 20, 30, 13})
            .In(form_main::GroupBox2)
            .Titled("date:")
            .Hinted("From this date the reminder sticky window's color is turned from yellow to "
                    "red"),
        Component(form_main::Label5, K::Label, {16, 36, 30, 13})
            .In(form_main::GroupBox2)
            .Titled("time:")
            .Hinted(kStartHint),
        Component(form_main::EditEnd, K::DatePicker, {60, 16, 93, 21})
            .In(form_main::GroupBox2)
            .Hinted("From this date the reminder sticky window's color are turned from yellow to "
                    "red")
            .FontColored(clGreen),
        Component(form_main::editEndTime, K::TimePicker, {60, 36, 93, 21})
            .In(form_main::GroupBox2)
            .FontColored(clGreen),

        Component(form_main::rgIncType, K::RadioGroup, {4, 72, 317, 41})
            .In(form_main::Panel4)
            .Titled("Show periodic warning message")
            .Hinted("Enable a warning message after a regular period of time")
            .Listing({"Never", "Each hour", "Each day", "Each week"})
            .InColumns(4)
            .Selected(0)
            .FontColored(clNavy),
        Component(form_main::cBoxKeepHidden, K::CheckBox, {328, 76, 89, 17})
            .In(form_main::Panel4)
            .Titled("Keep Hidden")
            .Hinted("Keep the current  sticky window always hidden")
            .Click(form_main::on::cBoxKeepHiddenClick),
        // Beside Keep Hidden, its right edge under that of the red memo's group.
        Component(form_main::GroupBox3, K::GroupBox, {420, 72, 113, 41})
            .In(form_main::Panel4)
            .Titled("Repeat")
            .FontColored(clNavy),
        Component(form_main::cbRepeat, K::DropDownList, {8, 14, 97, 21})
            .In(form_main::GroupBox3)
            .Hinted("Bring the message back, after Done on its red sticker")
            .Listing({kRepeatNames.begin(), kRepeatNames.end()})
            .Selected(0),

        // The middle panel: the formatting toolbar above the text.
        Component(form_main::Panel3, K::Panel, {0, 156, 550, 220})
            .In(form_main::Panel1)
            .Dock(Align::Client),
        Component(form_main::ToolBar, K::ToolBar, {0, 0, 550, 28})
            .In(form_main::Panel3)
            .Dock(Align::Top)
            .WithImages(kBitmapFormatBar)
            .ButtonSize(26, 22)
            .Indented(3)
            .OwnHintSwitch(true)
            .WithButtons({
                ToolButton(form_main::CopyButton, "", kImageCopy, form_main::on::CopyButtonClick)
                    .Hinted("Copy|Copy selected item to clipboard"),
                ToolButton(form_main::PasteButton, "", kImagePaste, form_main::on::PasteButtonClick)
                    .Hinted("Paste|Paste contents of clipboard"),
                ToolSeparator(form_main::ToolButton10, 8),
                ToolSlot(form_main::FontName, 96),
                ToolSeparator(form_main::ToolButton11, 8),
                ToolSlot(form_main::FontSize, 258),
                ToolSlot(form_main::UpDown1, 15),
                ToolButton(form_main::ColorButton, "", kImageColor, form_main::on::ColorButtonClick)
                    .Hinted("Define font color"),
                ToolSeparator(form_main::ToolButton2, 8),
                ToolButton(form_main::BoldButton, "", kImageBold, form_main::on::BoldButtonClick)
                    .Hinted("Bold")
                    .Checkable(),
                ToolButton(form_main::ItalicButton, "", kImageItalic,
                           form_main::on::ItalicButtonClick)
                    .Hinted("Italic")
                    .Checkable(),
                ToolButton(form_main::UnderlineButton, "", kImageUnderline,
                           form_main::on::UnderlineButtonClick)
                    .Hinted("Underline")
                    .Checkable(),
                ToolSeparator(form_main::ToolButton16, 8),
                ToolButton(form_main::LeftAlign, "", kImageAlignLeft,
                           form_main::on::AlignButtonClick)
                    .Hinted("Align Left")
                    .InGroup()
                    .Tagged(0),
                ToolButton(form_main::CenterAlign, "", kImageCenter,
                           form_main::on::AlignButtonClick)
                    .Hinted("Center")
                    .InGroup()
                    .Tagged(2),
                ToolButton(form_main::RightAlign, "", kImageAlignRight,
                           form_main::on::AlignButtonClick)
                    .Hinted("Align Right")
                    .InGroup()
                    .Tagged(1),
                ToolSeparator(form_main::ToolButton20, 8),
                ToolButton(form_main::BulletsButton, "", kImageBullets,
                           form_main::on::BulletsButtonClick)
                    .Hinted("Bullets|Enter bullet mode")
                    .Checkable(),
            }),
        Component(form_main::FontName, K::ComboBox, {0, 0, 96, 21})
            .In(form_main::ToolBar)
            .Titled("FontName")
            .Hinted("Font Name|Select font name")
            .Change(form_main::on::FontNameChange),
        Component(form_main::FontSize, K::Edit, {0, 0, 258, 22})
            .In(form_main::ToolBar)
            .Titled("0")
            .Hinted("Font Size|Select font size")
            .Change(form_main::on::FontSizeChange),
        Component(form_main::UpDown1, K::UpDown, {0, 0, 15, 22})
            .In(form_main::ToolBar)
            .Associated(form_main::FontSize)
            .Range(0, 100),
        Component(form_main::RichEditText, K::RichEdit, {0, 28, 550, 192})
            .In(form_main::Panel3)
            .Dock(Align::Client)
            .Change(form_main::on::RichEditTextSelectionChange),
        Component(form_main::StatusBar1, K::StatusBar, {0, 376, 550, 19})
            .In(form_main::Panel1)
            .Dock(Align::Bottom)
            .Panels({70, 50, 50, 140}),
    };

    form.Menus = {
        {form_main::MainMenu1,
         false,
         {Submenu(form_main::Main1, "Main",
                  {Item(form_main::Refresh1, "Refresh", form_main::on::BtnRefreshClick),
                   Item(form_main::Find1, "Find...", form_main::on::Find1Click),
                   Item(form_main::Report2, "Report", form_main::on::sbPrintReportClick),
                   Separator(form_main::N3),
                   Item(form_main::Close2, "Close", form_main::on::Close2Click),
                   Item(form_main::Shutdown, "Shutdown", form_main::on::ShutdownClick)}),
          Submenu(
              form_main::Generalsetting1, "General setting",
              {Item(form_main::Expandchild1, "Expand child", form_main::on::ExpandChild),
               Item(form_main::Disablesound1, "Disable sound", form_main::on::Disablesound1Click),
               Item(form_main::ShowText, "Show text in menu icon", form_main::on::ShowTextClick),
               Item(form_main::ShowHint1, "ShowHint", form_main::on::ShowHint1Click)}),
          Submenu(form_main::Help2, "Help",
                  {Item(form_main::Help3, "Help", form_main::on::Help1Click),
                   Item(form_main::About2, "About", form_main::on::About1Click)})}},
        {form_main::PopupMenu1,
         true,
         {Item(form_main::Setup1, "Setup...", form_main::on::Setup1Click)
              .Hinted("Call the master form for input/modify data")
              .AsDefault(),
          Item(form_main::Report1, "Report", form_main::on::sbPrintReportClick)
              .Hinted("Create a report of the notes in the catalog"),
          Separator(form_main::N1),
          Item(form_main::Shutdown1, "Shutdown", form_main::on::ShutdownClick),
          Separator(form_main::N2), Item(form_main::About1, "About", form_main::on::About1Click),
          Item(form_main::Help1, "Help", form_main::on::Help1Click)}},
    };

    form.Timers = {{form_main::Timer1, 20000, true, form_main::on::Timer1Timer}};
    // Ctrl+F opens the Find box; F3 finds the last text again without it.
    form.Shortcuts = {{'F', true, form_main::on::Find1Click},
                      {VK_F3, false, form_main::on::FindAgain}};
    return form;
}

} // namespace

const FormDescription& FormMainDescription() {
    static const FormDescription description = Design();
    return description;
}

} // namespace zandrel
