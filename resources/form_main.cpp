#include "resources/form_main.h"

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
    form.Components = {
        Component("Panel1", K::Panel, {0, 0, 558, 442})
            .Dock(Align::Client)
            .MouseMove("Panel1MouseMove"),
        Component("Panel2", K::Panel, {0, 0, 550, 156}).In("Panel1").Dock(Align::Top),
        Component("ToolBar1", K::ToolBar, {0, 0, 550, 29}).In("Panel2").Dock(Align::Top),
        Component("Panel3", K::Panel, {0, 156, 550, 220}).In("Panel1").Dock(Align::Client),
        Component("ToolBar", K::ToolBar, {0, 0, 550, 28}).In("Panel3").Dock(Align::Top),
        Component("RichEditText", K::RichEdit, {0, 28, 550, 192}).In("Panel3").Dock(Align::Client),
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
