#pragma once
// The design of the main window: its components, menus and timer.
#include "framework/form_description.h"

namespace zandrel {

const FormDescription& FormMainDescription();

// The names of the main window's components and event handlers, each spelled once.
namespace form_main {
inline constexpr char Panel1[] = "Panel1";
inline constexpr char Panel2[] = "Panel2";
inline constexpr char ToolBar1[] = "ToolBar1";
inline constexpr char Panel4[] = "Panel4";
inline constexpr char GroupBox1[] = "GroupBox1";
inline constexpr char Label3[] = "Label3";
inline constexpr char Label4[] = "Label4";
inline constexpr char EditStart[] = "EditStart";
inline constexpr char editStartTime[] = "editStartTime";
inline constexpr char gBox1[] = "gBox1";
inline constexpr char sb_newMail[] = "sb_newMail";
inline constexpr char List_Address[] = "List_Address";
inline constexpr char cbox_notify[] = "cbox_notify";
inline constexpr char GroupBox2[] = "GroupBox2";
inline constexpr char Label2[] = "Label2";
inline constexpr char Label5[] = "Label5";
inline constexpr char EditEnd[] = "EditEnd";
inline constexpr char editEndTime[] = "editEndTime";
inline constexpr char rgIncType[] = "rgIncType";
inline constexpr char cBoxKeepHidden[] = "cBoxKeepHidden";
inline constexpr char GroupBox3[] = "GroupBox3";
inline constexpr char cbRepeat[] = "cbRepeat";
inline constexpr char Panel3[] = "Panel3";
inline constexpr char ToolBar[] = "ToolBar";
inline constexpr char ToolButton10[] = "ToolButton10";
inline constexpr char FontName[] = "FontName";
inline constexpr char ToolButton11[] = "ToolButton11";
inline constexpr char FontSize[] = "FontSize";
inline constexpr char UpDown1[] = "UpDown1";
inline constexpr char ToolButton2[] = "ToolButton2";
inline constexpr char ToolButton16[] = "ToolButton16";
inline constexpr char ToolButton20[] = "ToolButton20";
inline constexpr char RichEditText[] = "RichEditText";
inline constexpr char StatusBar1[] = "StatusBar1";
inline constexpr char Main1[] = "Main1";
inline constexpr char N3[] = "N3";
inline constexpr char Generalsetting1[] = "Generalsetting1";
inline constexpr char Help2[] = "Help2";
inline constexpr char N1[] = "N1";
inline constexpr char N2[] = "N2";
inline constexpr char ToolButton3[] = "ToolButton3";
inline constexpr char ToolButton4[] = "ToolButton4";
inline constexpr char ToolButton_newMsg[] = "ToolButton_newMsg";
inline constexpr char ToolButton_addMsg[] = "ToolButton_addMsg";
inline constexpr char ToolButton_modMsg[] = "ToolButton_modMsg";
inline constexpr char ToolButton_delMsg[] = "ToolButton_delMsg";
inline constexpr char ToolButton_refresh[] = "ToolButton_refresh";
inline constexpr char ToolButton_print[] = "ToolButton_print";
inline constexpr char ToolButton12[] = "ToolButton12";
inline constexpr char ToolButton_About[] = "ToolButton_About";
inline constexpr char CopyButton[] = "CopyButton";
inline constexpr char PasteButton[] = "PasteButton";
inline constexpr char ColorButton[] = "ColorButton";
inline constexpr char BoldButton[] = "BoldButton";
inline constexpr char ItalicButton[] = "ItalicButton";
inline constexpr char UnderlineButton[] = "UnderlineButton";
inline constexpr char LeftAlign[] = "LeftAlign";
inline constexpr char CenterAlign[] = "CenterAlign";
inline constexpr char RightAlign[] = "RightAlign";
inline constexpr char BulletsButton[] = "BulletsButton";
inline constexpr char Refresh1[] = "Refresh1";
inline constexpr char Find1[] = "Find1";
inline constexpr char Report2[] = "Report2";
inline constexpr char Close2[] = "Close2";
inline constexpr char Shutdown[] = "Shutdown";
inline constexpr char Expandchild1[] = "Expandchild1";
inline constexpr char Disablesound1[] = "Disablesound1";
inline constexpr char ShowText[] = "ShowText";
inline constexpr char ShowHint1[] = "ShowHint1";
inline constexpr char Help3[] = "Help3";
inline constexpr char About2[] = "About2";
inline constexpr char Setup1[] = "Setup1";
inline constexpr char Report1[] = "Report1";
inline constexpr char Shutdown1[] = "Shutdown1";
inline constexpr char About1[] = "About1";
inline constexpr char Help1[] = "Help1";
inline constexpr char MainMenu1[] = "MainMenu1";
inline constexpr char PopupMenu1[] = "PopupMenu1";
inline constexpr char Timer1[] = "Timer1";
namespace on {
inline constexpr char ToolButton3Click[] = "ToolButton3Click";
inline constexpr char ToolButton4Click[] = "ToolButton4Click";
inline constexpr char ToolButton_newMsgClick[] = "ToolButton_newMsgClick";
inline constexpr char btnAddClick[] = "btnAddClick";
inline constexpr char btnReplaceClick[] = "btnReplaceClick";
inline constexpr char btnDeleteClick[] = "btnDeleteClick";
inline constexpr char BtnRefreshClick[] = "BtnRefreshClick";
inline constexpr char sbPrintReportClick[] = "sbPrintReportClick";
inline constexpr char Help1Click[] = "Help1Click";
inline constexpr char About1Click[] = "About1Click";
inline constexpr char CopyButtonClick[] = "CopyButtonClick";
inline constexpr char PasteButtonClick[] = "PasteButtonClick";
inline constexpr char ColorButtonClick[] = "ColorButtonClick";
inline constexpr char BoldButtonClick[] = "BoldButtonClick";
inline constexpr char ItalicButtonClick[] = "ItalicButtonClick";
inline constexpr char UnderlineButtonClick[] = "UnderlineButtonClick";
inline constexpr char AlignButtonClick[] = "AlignButtonClick";
inline constexpr char BulletsButtonClick[] = "BulletsButtonClick";
inline constexpr char Close2Click[] = "Close2Click";
inline constexpr char ShutdownClick[] = "ShutdownClick";
inline constexpr char ExpandChild[] = "ExpandChild";
inline constexpr char Disablesound1Click[] = "Disablesound1Click";
inline constexpr char ShowTextClick[] = "ShowTextClick";
inline constexpr char ShowHint1Click[] = "ShowHint1Click";
inline constexpr char Setup1Click[] = "Setup1Click";
inline constexpr char Panel1MouseMove[] = "Panel1MouseMove";
inline constexpr char sb_newMailClick[] = "sb_newMailClick";
inline constexpr char List_AddressDblClick[] = "List_AddressDblClick";
inline constexpr char cBoxKeepHiddenClick[] = "cBoxKeepHiddenClick";
inline constexpr char FontNameChange[] = "FontNameChange";
inline constexpr char FontSizeChange[] = "FontSizeChange";
inline constexpr char RichEditTextSelectionChange[] = "RichEditTextSelectionChange";
inline constexpr char FormCreate[] = "FormCreate";
inline constexpr char FormClose[] = "FormClose";
inline constexpr char FormActivate[] = "FormActivate";
inline constexpr char FormDeactivate[] = "FormDeactivate";
inline constexpr char Timer1Timer[] = "Timer1Timer";
inline constexpr char Find1Click[] = "Find1Click";
inline constexpr char FindAgain[] = "FindAgain";
} // namespace on
} // namespace form_main

} // namespace zandrel
