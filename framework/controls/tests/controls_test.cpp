// Values of the table-built controls under Wine: radio groups, check boxes,
// list boxes, pickers, toolbar buttons and control colours.
#include "framework/application.h"
#include "framework/device_context.h"
#include "framework/form.h"
#include "framework/tests/fake_environment.h"
#include "storage/core/datetime.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <richedit.h>

namespace zandrel::testing {
namespace {

FormDescription ControlsFormDescription() {
    FormDescription form;
    form.ClassName = "Zandrel.ControlsTestForm";
    form.Caption = "Controls";
    form.Width = 420;
    form.Height = 300;
    form.Components = {
        Component("Bar", ComponentKind::ToolBar, {0, 0, 10, 29})
            .Dock(Align::Top)
            .WithImages("CMDBAR")
            .ButtonSize(31, 29)
            .WithButtons({ToolButton("Go", "Go", 0, "Count").Hinted("Go|Goes on"), ToolSeparator(),
                          ToolButton("Stop", "Stop", 1, "Count").Disabled()}),
        Component("Kind", ComponentKind::RadioGroup, {4, 40, 317, 41})
            .Titled("Kind")
            .Listing({"Never", "Each hour", "Each day", "Each week"})
            .InColumns(4)
            .Selected(0)
            .FontColored(clNavy),
        Component("Check", ComponentKind::CheckBox, {4, 90, 100, 17})
            .Titled("Check")
            .Click("Count"),
        Component("List", ComponentKind::ListBox, {110, 90, 100, 60})
            .Colored(clBtnFace)
            .FontColored(clBlue),
        Component("Day", ComponentKind::DatePicker, {4, 160, 100, 21}),
        Component("Time", ComponentKind::TimePicker, {110, 160, 100, 21}),
        Component("Notes", ComponentKind::RichEdit, {220, 90, 150, 60})
            .Colored(clBtnFace)
            .FontColored(clNavy),
        Component("Status", ComponentKind::StatusBar, {0, 0, 10, 20})
            .Dock(Align::Bottom)
            .Colored(clGreen),
    };
    return form;
}

class ControlsForm : public Form {
public:
    ControlsForm() : Form(ControlsFormDescription()) {
        Bind("Count", WhileModal::Runs, [this](Event&) { ++clicks; });
        Create(false);
    }
    int clicks = 0;
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { TestEnvironment().Reset(); }
};

TEST_F(ControlsTest, RadioGroupsCheckBoxesListsAndPickersHoldTheirValues) {
    ControlsForm form;
    auto& kind = form.Find<RadioGroup>("Kind");
    EXPECT_EQ(kind.ItemIndex(), 0);
    SendMessageA(GetDlgItem(kind.Handle(), 3), BM_CLICK, 0, 0);
    EXPECT_EQ(kind.ItemIndex(), 2);
    kind.SetItemIndex(7); // no such choice: none selected
    EXPECT_EQ(kind.ItemIndex(), -1);

    // A state set in code runs the click handler, but only when it changes.
    auto& check = form.Find<CheckBox>("Check");
    check.SetChecked(true);
    check.SetChecked(true);
    EXPECT_TRUE(check.Checked());
    EXPECT_EQ(form.clicks, 1);

    auto& list = form.Find<ListBox>("List");
    list.SetItems({"a@example.org", "b@example.org"});
    list.SetItems({"c@example.org"});
    EXPECT_EQ(list.Items(), std::vector<std::string>{"c@example.org"});

    const TDateTime moment = *EncodeDateTime({2024, 2, 29, 23, 59, 58, 0});
    form.Find<DateTimePicker>("Day").SetDateTime(moment);
    form.Find<DateTimePicker>("Time").SetDateTime(moment);
    EXPECT_DOUBLE_EQ(CombineDateTime(form.Find<DateTimePicker>("Day").DateTime(),
                                     form.Find<DateTimePicker>("Time").DateTime()),
                     moment);
}

TEST_F(ControlsTest, ToolbarButtonsComeFromTheTableAndOnlyEnabledOnesAreObeyed) {
    ControlsForm form;
    auto& bar = form.Find<ToolBar>("Bar");
    ASSERT_EQ(SendMessageA(bar.Handle(), TB_BUTTONCOUNT, 0, 0), 3);
    auto press = [&](const char* name) {
        SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(form.FindToolButton(name).Id(), 0),
                     reinterpret_cast<LPARAM>(bar.Handle()));
    };
    press("Go");
    press("Stop");
    EXPECT_EQ(form.clicks, 1);
    form.FindToolButton("Stop").SetEnabled(true);
    press("Stop");
    EXPECT_EQ(form.clicks, 2);

    // Captions under the images make the buttons, and the docked bar, higher.
    const int plain = bar.Place().Height;
    bar.SetShowCaptions(true);
    EXPECT_TRUE(bar.ShowCaptions());
    EXPECT_GT(bar.Place().Height, plain);
    EXPECT_EQ(bar.Place().Height, bar.ButtonSize().cy);
    EXPECT_TRUE(form.FindToolButton("Stop").Enabled()); // kept through the new buttons
    EXPECT_TRUE(
        SendMessageA(bar.Handle(), TB_ISBUTTONENABLED, form.FindToolButton("Stop").Id(), 0));
}

TEST_F(ControlsTest, RichEditsTakeTextsLongerThanTheDefaultLimit) {
    ControlsForm form;
    EXPECT_GT(SendMessageA(form.Find("Notes").Handle(), EM_GETLIMITTEXT, 0, 0), 32767);
}

// Controls that paint themselves are given their colours: setting one again
// answers the colour they had.
TEST_F(ControlsTest, RichEditsAndStatusBarsTakeTheirColours) {
    ControlsForm form;
    const HWND notes = form.Find("Notes").Handle();
    EXPECT_EQ(SendMessageA(notes, EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3)), GetSysColor(COLOR_BTNFACE));
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    SendMessageA(notes, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.crTextColor, RGB(0, 0, 128));
    EXPECT_EQ(SendMessageA(form.Find("Status").Handle(), SB_SETBKCOLOR, 0, RGB(1, 2, 3)),
              RGB(0, 128, 0));
}

TEST_F(ControlsTest, ControlsPaintInTheirOwnColours) {
    ControlsForm form;
    const HWND list = form.Find("List").Handle();
    const WindowDc dc(list);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(form.Handle(), WM_CTLCOLORLISTBOX, WPARAM(dc.Get()), LPARAM(list)));
    EXPECT_EQ(brush, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(GetTextColor(dc.Get()), RGB(0, 0, 255));
    EXPECT_EQ(GetBkColor(dc.Get()), GetSysColor(COLOR_BTNFACE));

    // A radio group's buttons take the group's font colour.
    const HWND choice = GetDlgItem(form.Find("Kind").Handle(), 1);
    const WindowDc choiceDc(choice);
    SendMessageA(form.Handle(), WM_CTLCOLORSTATIC, WPARAM(choiceDc.Get()), LPARAM(choice));
    EXPECT_EQ(GetTextColor(choiceDc.Get()), RGB(0, 0, 128));
}

} // namespace
} // namespace zandrel::testing
