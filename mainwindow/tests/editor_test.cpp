// The message editor of the main window under Wine: real buttons, pickers,
// check boxes and toolbar commands; after each command the controls and both
// data files (read back with the loader) are checked.
#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "framework/hints/core/hint_text.h"
#include "framework/system_date_time.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_main.h"
#include "storage/core/tests/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zandrel::testing {
namespace {

namespace fs = std::filesystem;

constexpr TDateTime kMinute = 1.0 / 1440;

class EditorTest : public MainWindowFixture {
protected:
    // Messages saved as New saves them, one minute apart, texts "message i".
    void StoreMessages(int count, TDateTime step = kMinute) {
        MessageList list(dataFile_);
        for (int i = 0; i < count; ++i) {
            TestEnvironment().now += step;
            list.New(TestEnvironment(), "{\\rtf1 message " + std::to_string(i) + "}");
        }
        TestEnvironment().now += kMinute;
    }

    // What both files hold now.
    MessageList Stored() const {
        MessageList list(dataFile_);
        list.LoadMessages(TestEnvironment());
        return list;
    }

    Control& Find(const char* name) const { return form_->Find(name); }
    template <typename Kind> Kind& Find(const char* name) const { return form_->Find<Kind>(name); }
    std::string Status() const { return Find<StatusBar>(form_main::StatusBar1).PanelText(0); }
    std::string Text() const { return PlainText(Find(form_main::RichEditText).Handle()); }
    bool ReplaceEnabled() const {
        return form_->FindToolButton(form_main::ToolButton_modMsg).Enabled();
    }

    // As the toolbar reports a click on one of its buttons.
    void Press(const char* button) { PressToolButton(*form_, button); }

    void Click(const char* name) { SendMessageA(Find(name).Handle(), BM_CLICK, 0, 0); }

    void ClickRadio(int index) {
        SendMessageA(GetDlgItem(Find(form_main::rgIncType).Handle(), index + 1), BM_CLICK, 0, 0);
    }

    // As the user sets a picker: the new value, then the control's report.
    void SetPicker(const char* name, TDateTime value) {
        const HWND picker = Find(name).Handle();
        const DateTimeParts p = DecodeDateTime(value);
        SYSTEMTIME time{WORD(p.Year),   WORD(p.Month),  0, WORD(p.Day), WORD(p.Hour),
                        WORD(p.Minute), WORD(p.Second), 0};
        SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
        NMDATETIMECHANGE change{};
        change.nmhdr.hwndFrom = picker;
        change.nmhdr.idFrom = UINT_PTR(GetDlgCtrlID(picker));
        change.nmhdr.code = DTN_DATETIMECHANGE;
        change.dwFlags = GDT_VALID;
        change.st = time;
        SendMessageA(GetParent(picker), WM_NOTIFY, change.nmhdr.idFrom,
                     reinterpret_cast<LPARAM>(&change));
    }

    void TypeText(const std::string& text) { Find(form_main::RichEditText).SetText(text); }

    static std::string PlainOf(const std::string& richText) {
        const HWND scratch = CreateWindowExA(0, "RichEdit20A", "", ES_MULTILINE, 0, 0, 100, 100,
                                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        LoadRichText(scratch, richText);
        std::string text = PlainText(scratch);
        DestroyWindow(scratch);
        return text;
    }
};

TEST_F(EditorTest, TheToolbarHasItsTenButtonsInOrderWithSeparatorsAndReplaceDisabled) {
    TFormMain& form = Start();
    const auto& toolBar = Find<ToolBar>(form_main::ToolBar1);
    const std::vector<std::pair<std::string, std::string>> expected{
        {form_main::ToolButton3, "Prev."},
        {form_main::ToolButton4, "Next"},
        {"", "-"},
        {form_main::ToolButton_newMsg, "New"},
        {form_main::ToolButton_addMsg, "Add"},
        {form_main::ToolButton_modMsg, "Replace"},
        {form_main::ToolButton_delMsg, "Delete"},
        {"", "-"},
        {form_main::ToolButton_refresh, "Refresh"},
        {form_main::ToolButton_print, "Print"},
        {"", "-"},
        {form_main::ToolButton12, "Help"},
        {form_main::ToolButton_About, "About"}};
    ASSERT_EQ(SendMessageA(toolBar.Handle(), TB_BUTTONCOUNT, 0, 0), LRESULT(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        TBBUTTON item{};
        SendMessageA(toolBar.Handle(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&item));
        const ToolBarButton* button = toolBar.ButtonById(item.idCommand);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Name(), expected[i].first);
        if (expected[i].second == "-") {
            EXPECT_TRUE(item.fsStyle & BTNS_SEP) << i;
        } else {
            EXPECT_EQ(button->Description().Caption, expected[i].second);
            EXPECT_GE(item.iBitmap, 0);
        }
    }
    EXPECT_FALSE(ReplaceEnabled());
    EXPECT_FALSE(SendMessageA(toolBar.Handle(), TB_ISBUTTONENABLED,
                              form.FindToolButton(form_main::ToolButton_modMsg).Id(), 0));
    EXPECT_EQ(form.FindToolButton(form_main::ToolButton_newMsg).Hint(),
              "Add a new message entry with default value");
    EXPECT_EQ(form.FindToolButton(form_main::ToolButton_print).Hint(),
              "Create a report of the stored catalog");
}

TEST_F(EditorTest, TheFieldsLieWhereTheDesignPutsThem) {
    Start();
    EXPECT_EQ(Find(form_main::Panel4).Place().Top, Find(form_main::ToolBar1).Place().Height);
    EXPECT_EQ(Find(form_main::Panel4).Place().Height, 120);
    const auto at = [&](const char* name) {
        const Bounds b = Find(name).Place();
        return std::vector<int>{b.Left, b.Top, b.Width, b.Height};
    };
    EXPECT_EQ(at(form_main::GroupBox1), (std::vector<int>{4, 4, 153, 65}));
    EXPECT_EQ(at(form_main::EditStart), (std::vector<int>{56, 16, 93, 21}));
    EXPECT_EQ(at(form_main::gBox1), (std::vector<int>{160, 4, 209, 65}));
    EXPECT_EQ(at(form_main::List_Address), (std::vector<int>{100, 14, 105, 47}));
    EXPECT_EQ(at(form_main::GroupBox2), (std::vector<int>{372, 4, 161, 65}));
    EXPECT_EQ(at(form_main::editEndTime), (std::vector<int>{60, 36, 93, 21}));
    EXPECT_EQ(at(form_main::rgIncType), (std::vector<int>{4, 72, 317, 41}));
    EXPECT_EQ(at(form_main::cBoxKeepHidden), (std::vector<int>{328, 76, 89, 17}));
    EXPECT_EQ(Find<RadioGroup>(form_main::rgIncType).ItemIndex(), 0);
    EXPECT_EQ(Find(form_main::cBoxKeepHidden).Hint(),
              "Keep the current  sticky window always hidden");
    EXPECT_EQ(Find(form_main::Label2).Hint(),
              "From this date the reminder sticky window's color is turned from yellow to red");
    EXPECT_EQ(Find(form_main::EditStart).Hint(),
              "From this date the reminder sitchy window are shown on the screen");

    // The four choices share the group's width, side by side.
    const HWND group = Find(form_main::rgIncType).Handle();
    RECT first{}, last{};
    GetWindowRect(GetDlgItem(group, 1), &first);
    GetWindowRect(GetDlgItem(group, 4), &last);
    EXPECT_EQ(first.top, last.top);
    EXPECT_GT(last.left, first.right + 150);
}

TEST_F(EditorTest, AnEmptyListShowsRec00AnEmptyTextAndNoReplace) {
    Start();
    EXPECT_EQ(Status(), "rec 0/0");
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(ReplaceEnabled());
    Press(form_main::ToolButton_modMsg); // a disabled button's command is not obeyed
    Press(form_main::ToolButton3);
    Press(form_main::ToolButton4);
    EXPECT_EQ(Status(), "rec 0/0");
    EXPECT_FALSE(fs::exists(dataFile_));

    // Keep Hidden has no message to store into.
    Click(form_main::cBoxKeepHidden);
    ASSERT_EQ(TestEnvironment().boxes.size(), 1u);
    EXPECT_EQ(TestEnvironment().boxes[0].Kind, ShownBox::Error);
    EXPECT_EQ(TestEnvironment().boxes[0].Text, "List index out of bounds (0)");
}

TEST_F(EditorTest, NewOnAnEmptyListMakesTheOnlyMessageWithTheDefaults) {
    Start();
    Find<CheckBox>(form_main::cbox_notify).SetChecked(true);
    ClickRadio(3);
    const TDateTime now = TestEnvironment().now;
    Press(form_main::ToolButton_newMsg);

    EXPECT_EQ(Status(), "rec 1/1");
    EXPECT_TRUE(ReplaceEnabled());
    EXPECT_EQ(Text(), "Zandrel by Borvath\r\n date: " + DateTimeToText(now));
    EXPECT_FALSE(Find<CheckBox>(form_main::cbox_notify).Checked());
    EXPECT_EQ(Find<RadioGroup>(form_main::rgIncType).ItemIndex(), 0);
    EXPECT_NEAR(CombineDateTime(Find<DateTimePicker>(form_main::EditStart).DateTime(),
                                Find<DateTimePicker>(form_main::editStartTime).DateTime()),
                now, 1.0 / 86400);
    EXPECT_NEAR(CombineDateTime(Find<DateTimePicker>(form_main::EditEnd).DateTime(),
                                Find<DateTimePicker>(form_main::editEndTime).DateTime()),
                now + 1, 1.0 / 86400);

    const MessageList stored = Stored();
    ASSERT_EQ(stored.Count(), 1u);
    const TMessageEntry& entry = stored.Entry(0);
    EXPECT_DOUBLE_EQ(entry.Record.StartDate, now);
    EXPECT_DOUBLE_EQ(entry.Record.AlarmDate, now + 1);
    EXPECT_EQ(entry.Record.IncType, 0);
    EXPECT_EQ(entry.Notify, 0);
    EXPECT_TRUE(entry.Addresses.empty());
    EXPECT_EQ(entry.Key, MakeKey(DateTimeToTimeStamp(now)));
    EXPECT_EQ(PlainOf(entry.RichText), Text());
}

TEST_F(EditorTest, AddTakesTheFieldsAndKeepsTheAlarmWhenItIsNotAfterTheStart) {
    StoreMessages(1);
    Start();
    const TDateTime now = TestEnvironment().now;
    const TDateTime start = 45010 + 9.0 / 24; // ten days on, 09:00
    SetPicker(form_main::EditStart, start);
    SetPicker(form_main::editStartTime, start);
    SetPicker(form_main::EditEnd, start - 2); // at or before the start: not taken
    SetPicker(form_main::editEndTime, start);
    ClickRadio(2);
    Click(form_main::cbox_notify);
    SendMessageA(Find(form_main::List_Address).Handle(), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>("someone@example.org"));
    TypeText("call the dentist");
    Press(form_main::ToolButton_addMsg);

    EXPECT_EQ(Status(), "rec 2/2");
    EXPECT_EQ(Text(), "call the dentist");
    const MessageList stored = Stored();
    ASSERT_EQ(stored.Count(), 2u);
    EXPECT_EQ(PlainOf(stored.Entry(0).RichText), "message 0");
    const TMessageEntry& added = stored.Entry(1);
    EXPECT_NEAR(added.Record.StartDate, start, 1e-8);
    // The later of the start and the creation moment plus one day.
    EXPECT_NEAR(added.Record.AlarmDate, std::max(start, now + 1), 1e-8);
    EXPECT_EQ(added.Record.IncType, 2);
    EXPECT_EQ(added.Record.KeepHidden, 0);
    EXPECT_EQ(added.Notify, 1);
    EXPECT_EQ(added.Addresses, std::vector<std::string>{"someone@example.org"});
    EXPECT_EQ(added.Key, MakeKey(DateTimeToTimeStamp(now)));
    EXPECT_NE(added.Key, stored.Key(0));
    EXPECT_EQ(PlainOf(added.RichText), "call the dentist");

    // An alarm only one minute before a start that is before now + 1 day.
    SetPicker(form_main::EditStart, now + 0.5);
    SetPicker(form_main::editStartTime, now + 0.5);
    SetPicker(form_main::EditEnd, now + 0.5 - kMinute);
    SetPicker(form_main::editEndTime, now + 0.5 - kMinute);
    TestEnvironment().now += kMinute;
    Press(form_main::ToolButton_addMsg);
    const MessageList again = Stored();
    ASSERT_EQ(again.Count(), 3u);
    EXPECT_NEAR(again.Entry(2).Record.AlarmDate, TestEnvironment().now + 1, 1e-8);
}

TEST_F(EditorTest, ReplaceKeepsKeyAndPlaceAndStoresOnlyTheShorterNewText) {
    StoreMessages(3);
    const MessageList before = Stored();
    Start();
    Press(form_main::ToolButton4);
    ASSERT_EQ(Status(), "rec 2/3");
    EXPECT_EQ(Text(), "message 1");
    TypeText("m1");
    ClickRadio(1);
    Press(form_main::ToolButton_modMsg);

    EXPECT_EQ(Status(), "rec 2/3");
    EXPECT_EQ(form_->Messages().CurrentIndex, 1);
    EXPECT_EQ(Text(), "m1");
    const MessageList stored = Stored();
    ASSERT_EQ(stored.Count(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(stored.Key(i), before.Key(i));
    }
    EXPECT_EQ(PlainOf(stored.Entry(1).RichText), "m1");
    EXPECT_EQ(stored.Entry(1).Record.IncType, 1);
    EXPECT_EQ(PlainOf(stored.Entry(2).RichText), "message 2");

    // Away and back: the stored text alone.
    Press(form_main::ToolButton3);
    Press(form_main::ToolButton4);
    EXPECT_EQ(Text(), "m1");
}

TEST_F(EditorTest, ReplaceOfTheSecondOfTwoEntriesWithOneKeySelectsTheFirst) {
    StoreMessages(2, 0); // the same moment: the same Key
    Start();
    ASSERT_EQ(form_->Messages().Key(0), form_->Messages().Key(1));
    Press(form_main::ToolButton4);
    TypeText("second");
    Press(form_main::ToolButton_modMsg);
    EXPECT_EQ(Status(), "rec 1/2");
    EXPECT_EQ(Text(), "message 0");
    EXPECT_EQ(PlainOf(form_->Messages().Entry(1).RichText), "second");
    // Both blocks are in the rich-text file; a load gives both entries the
    // first block of their Key.
    EXPECT_EQ(Stored().Count(), 2u);
    std::ifstream memo(folder_.Path() / "ZandrelData_Memo.dat", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(memo), {}};
    EXPECT_NE(bytes.find("second"), std::string::npos);
}

// The rich-text control cannot keep this object (no server for its class):
// storing what the control holds would drop it.
TEST_F(EditorTest, ReplaceAsksBeforeItDropsAnEmbeddedObjectAndNoChangesNothing) {
    MessageList list(dataFile_);
    for (const char* text : {"{\\rtf1 message 0}",
                             "{\\rtf1 before {\\object\\objemb{\\*\\objclass Zandrel.Test}"
                             "{\\*\\objdata 0105000002000000}{\\result{\\pict 0100}}} after}",
                             "{\\rtf1 message 2}"}) {
        TestEnvironment().now += kMinute;
        list.New(TestEnvironment(), text);
    }
    TestEnvironment().now += kMinute;
    Start();
    Press(form_main::ToolButton_modMsg); // nothing to lose: no question
    EXPECT_TRUE(TestEnvironment().boxes.empty());
    const std::string files = test::ReadFile(dataFile_) + test::ReadFile(list.MemoFileName());

    Press(form_main::ToolButton4);
    TestEnvironment().answers = {false, true};
    TestEnvironment().onConfirm = [&](const std::string&) {
        // A sticker came due under the box: the refresh selects the last one.
        form_->RebuildStickers();
        form_->ShowCurrentMessage();
    };
    Press(form_main::ToolButton_modMsg);
    ASSERT_EQ(TestEnvironment().boxes.size(), 1u);
    const ShownBox& box = TestEnvironment().boxes[0];
    EXPECT_EQ(box.Kind, ShownBox::Confirmation);
    EXPECT_TRUE(box.NoByDefault);
    EXPECT_EQ(box.Text,
              "This note holds embedded objects that Zandrel cannot keep. Replace it anyway?");
    EXPECT_EQ(test::ReadFile(dataFile_) + test::ReadFile(list.MemoFileName()), files);

    Press(form_main::ToolButton4); // back from the last message to the object
    Press(form_main::ToolButton3);
    Press(form_main::ToolButton_modMsg); // Yes: the message shown when Replace was pressed
    EXPECT_EQ(PlainOf(Stored().Entry(1).RichText), "before  after");
    EXPECT_EQ(PlainOf(Stored().Entry(2).RichText), "message 2");
    EXPECT_EQ(Status(), "rec 2/3");
}

TEST_F(EditorTest, DeleteAsksFirstAndOnlyNoCancels) {
    StoreMessages(2);
    Start();
    TestEnvironment().answers = {false};
    Press(form_main::ToolButton_delMsg);
    ASSERT_EQ(TestEnvironment().boxes.size(), 1u);
    EXPECT_EQ(TestEnvironment().boxes[0].Kind, ShownBox::Confirmation);
    EXPECT_EQ(TestEnvironment().boxes[0].Text, "do you want to delete this item ?");
    EXPECT_EQ(Status(), "rec 1/2");
    EXPECT_EQ(Stored().Count(), 2u);

    Press(form_main::ToolButton_delMsg); // Yes
    EXPECT_EQ(Status(), "rec 1/1");
    EXPECT_EQ(Text(), "message 1");
    const MessageList stored = Stored();
    ASSERT_EQ(stored.Count(), 1u);
    EXPECT_EQ(PlainOf(stored.Entry(0).RichText), "message 1");
}

TEST_F(EditorTest, DeleteOfTheOnlyMessageLeavesRec00AndEmptyFiles) {
    StoreMessages(1);
    Start();
    Press(form_main::ToolButton_delMsg);
    EXPECT_EQ(Status(), "rec 0/0");
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(ReplaceEnabled());
    EXPECT_EQ(fs::file_size(dataFile_), 0u);
    EXPECT_EQ(fs::file_size(folder_.Path() / "ZandrelData_Memo.dat"), 0u);
    EXPECT_EQ(Stored().Count(), 0u);
}

TEST_F(EditorTest, DeleteRemovesTheMessageShownWhenItStartedEvenIfATickMovedTheSelection) {
    StoreMessages(3);
    Start();
    const std::string shownKey = form_->Messages().Key(0);
    TestEnvironment().onConfirm = [&](const std::string&) {
        // A sticker came due under the box: the refresh selects the last one.
        form_->RebuildStickers();
        form_->ShowCurrentMessage();
    };
    Press(form_main::ToolButton_delMsg);
    const MessageList stored = Stored();
    ASSERT_EQ(stored.Count(), 2u);
    EXPECT_FALSE(stored.IndexOfKey(shownKey));
    EXPECT_EQ(PlainOf(stored.Entry(0).RichText), "message 1");
    EXPECT_EQ(PlainOf(stored.Entry(1).RichText), "message 2");
    EXPECT_EQ(Status(), "rec 2/2");
}

TEST_F(EditorTest, PrevAndNextStopAtTheEndsAndSaveNothing) {
    StoreMessages(1);
    Start();
    // By content: the file clock may count whole seconds only.
    const auto bytes = [this] {
        std::ifstream file(dataFile_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    const std::string written = bytes();
    Press(form_main::ToolButton4);
    EXPECT_EQ(Status(), "rec 1/1");
    Press(form_main::ToolButton3);
    EXPECT_EQ(Status(), "rec 1/1");
    EXPECT_EQ(Text(), "message 0");

    EXPECT_EQ(bytes(), written);

    Press(form_main::ToolButton_newMsg);
    ASSERT_EQ(Status(), "rec 2/2");
    const std::string afterNew = bytes();
    EXPECT_NE(afterNew, written);
    Press(form_main::ToolButton4);
    EXPECT_EQ(Status(), "rec 2/2");
    Press(form_main::ToolButton3);
    EXPECT_EQ(Status(), "rec 1/2");
    EXPECT_EQ(Text(), "message 0");
    Press(form_main::ToolButton3);
    EXPECT_EQ(Status(), "rec 1/2");
    EXPECT_EQ(bytes(), afterNew);
}

TEST_F(EditorTest, ShowingAMessageFillsEveryFieldAndKeepHiddenStoresWithoutSaving) {
    {
        MessageList list(dataFile_);
        TMessageEntry& entry = list.New(TestEnvironment(), "{\\rtf1 hidden one}");
        entry.SetStartDate(45001.25);
        entry.SetAlarmDate(45002.75);
        entry.SetIncType(3, TestEnvironment());
        entry.SetKeepHidden(true);
        entry.Notify = 1;
        entry.Addresses = {"a@example.org", "b@example.org"};
        list.SaveMessages();
    }
    Start();
    EXPECT_EQ(Text(), "hidden one");
    EXPECT_DOUBLE_EQ(CombineDateTime(Find<DateTimePicker>(form_main::EditStart).DateTime(),
                                     Find<DateTimePicker>(form_main::editStartTime).DateTime()),
                     45001.25);
    EXPECT_DOUBLE_EQ(CombineDateTime(Find<DateTimePicker>(form_main::EditEnd).DateTime(),
                                     Find<DateTimePicker>(form_main::editEndTime).DateTime()),
                     45002.75);
    EXPECT_EQ(Find<RadioGroup>(form_main::rgIncType).ItemIndex(), 3);
    EXPECT_TRUE(Find<CheckBox>(form_main::cbox_notify).Checked());
    EXPECT_TRUE(Find<CheckBox>(form_main::cBoxKeepHidden).Checked());
    EXPECT_EQ(Find<ListBox>(form_main::List_Address).Items(),
              (std::vector<std::string>{"a@example.org", "b@example.org"}));

    Click(form_main::cBoxKeepHidden);
    EXPECT_EQ(form_->Messages().Entry(0).Record.KeepHidden, 0);
    EXPECT_EQ(Stored().Entry(0).Record.KeepHidden, 1); // not saved yet
    Press(form_main::ToolButton_newMsg);               // saves the whole list
    EXPECT_EQ(Stored().Entry(0).Record.KeepHidden, 0);
    EXPECT_TRUE(TestEnvironment().boxes.empty());
}

TEST_F(EditorTest, ButtonHintsGoToTheHintWindowAndTheStatusBar) {
    TFormMain& form = Start();
    form.ShowMainWindow();
    form.SetShowHint(true);
    const auto& toolBar = Find<ToolBar>(form_main::ToolBar1);
    RECT button{};
    SendMessageA(toolBar.Handle(), TB_GETRECT,
                 form.FindToolButton(form_main::ToolButton_addMsg).Id(),
                 reinterpret_cast<LPARAM>(&button));
    POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ClientToScreen(toolBar.Handle(), &centre);
    SetCursorPos(0, 0); // elsewhere first, so that the pointer surely moves
    SetCursorPos(centre.x, centre.y);

    const HintWindow& hint = *app_.Hints().CurrentWindow();
    EXPECT_TRUE(PumpUntil([&] {
        return IsWindowVisible(hint.Handle()) &&
               hint.Text() == "Add the current message to the list";
    }));
    EXPECT_EQ(Find<StatusBar>(form_main::StatusBar1).PanelText(2),
              "Add the current message to the list");
}

// Group boxes take the pointer, so the form's hint tracking finds them.
TEST_F(EditorTest, GroupBoxesShowTheirLongHintUnderThePointer) {
    TFormMain& form = Start();
    form.ShowMainWindow();
    PumpMessages();
    for (const char* name : {form_main::gBox1, form_main::rgIncType}) {
        const Control& group = Find(name);
        RECT rect{};
        GetWindowRect(group.Handle(), &rect);
        const POINT corner{rect.right - 2,
                           rect.bottom - 2}; // inside the frame, beside its children
        SetCursorPos(corner.x, corner.y);
        const HWND under = WindowFromPoint(corner);
        ASSERT_EQ(under, group.Handle()) << name;
        SendMessageA(under, WM_SETCURSOR, WPARAM(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(Find<StatusBar>(form_main::StatusBar1).PanelText(2), GetLongHint(group.Hint()))
            << name;

        // Taking the pointer does not make a group box a field: a click there
        // leaves the focus where it is.
        SetFocus(Find(form_main::EditStart).Handle());
        POINT inside = corner;
        ScreenToClient(under, &inside);
        SendMessageA(under, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
        SendMessageA(under, WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
        EXPECT_EQ(GetFocus(), Find(form_main::EditStart).Handle()) << name;
        EXPECT_EQ(GetCapture(), nullptr) << name;
    }
}

TEST_F(EditorTest, TabMovesThroughTheFieldsInReadingOrderAndShiftTabGoesBack) {
    TFormMain& form = Start();
    form.ShowMainWindow();
    PumpMessages();
    const auto tab = [](bool shift) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
        App().ProcessMessage(message);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        return GetFocus();
    };
    SetFocus(Find(form_main::EditStart).Handle());
    EXPECT_EQ(tab(false), Find(form_main::editStartTime).Handle());
    EXPECT_EQ(tab(false), Find(form_main::sb_newMail).Handle()); // into the next group
    EXPECT_EQ(tab(false), Find(form_main::List_Address).Handle());
    EXPECT_EQ(tab(true), Find(form_main::sb_newMail).Handle());
    EXPECT_EQ(tab(true), Find(form_main::editStartTime).Handle());

    // From the last field above the text into the formatting toolbar: the
    // font box takes the focus in its edit part.
    SetFocus(Find(form_main::cBoxKeepHidden).Handle());
    EXPECT_EQ(tab(false), Find(form_main::cbRepeat).Handle());
    EXPECT_EQ(GetParent(tab(false)), Find(form_main::FontName).Handle());
    EXPECT_EQ(tab(false), Find(form_main::FontSize).Handle());
}

// The window has no close command for Esc: Esc in the text changes nothing.
TEST_F(EditorTest, EscInTheTextLeavesTheWindowAsItIs) {
    TFormMain& form = Start();
    form.ShowMainWindow();
    PumpMessages();
    const HWND text = Find(form_main::RichEditText).Handle();
    SetFocus(text);
    for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) {
        MSG key{text, message, VK_ESCAPE, 1, 0, {}};
        App().ProcessMessage(key);
    }
    PumpMessages();
    EXPECT_TRUE(IsWindow(Find(form_main::Panel3).Handle()));
    EXPECT_TRUE(IsWindow(text));
    EXPECT_TRUE(form.Visible());
}

} // namespace
} // namespace zandrel::testing
