// The formatting toolbar of the main window under Wine: real toolbar clicks,
// typing into the real font boxes, the real up-down, and selections moved in
// the real rich-text control.
#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_main.h"
#include "storage/core/tests/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace zandrel::testing {
namespace {

namespace fs = std::filesystem;

using Scope = TextAttributes::Scope;

class FormattingToolbarTest : public MainWindowFixture {
protected:
    // The window shown as the tray's double-click shows it, with one stored
    // message and the given text in the editor.
    TFormMain& Start(const std::string& text) {
        {
            MessageList list(dataFile_);
            list.New(TestEnvironment(), "{\\rtf1 stored}");
        }
        TestEnvironment().now += 1.0 / 1440;
        MainWindowFixture::Start(Shown::FromTheTray);
        Find(form_main::RichEditText).SetText(text);
        Select(0, 0);
        return *form_;
    }

    Control& Find(const char* name) const { return form_->Find(name); }
    template <typename Kind> Kind& Find(const char* name) const { return form_->Find<Kind>(name); }
    HWND Text() const { return Find(form_main::RichEditText).Handle(); }
    CharacterFormat Format(Scope scope) const { return TextAttributes(Text(), scope).Format(); }
    bool Down(const char* button) const { return form_->FindToolButton(button).Down(); }

    // As the user moves the caret or drags over the text.
    void Select(LONG from, LONG to) {
        CHARRANGE range{from, to};
        SendMessageA(Text(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        PumpMessages();
    }

    // A mouse click on a button of a toolbar.
    void Click(const char* toolBarName, const char* button) {
        const HWND toolBar = Find(toolBarName).Handle();
        RECT place{};
        SendMessageA(toolBar, TB_GETRECT, form_->FindToolButton(button).Id(),
                     reinterpret_cast<LPARAM>(&place));
        const LPARAM at =
            MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
        SendMessageA(toolBar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(toolBar, WM_LBUTTONUP, 0, at);
        PumpMessages();
    }
    void Click(const char* button) { Click(form_main::ToolBar, button); }

    // Characters typed into an edit (a backspace is '\b').
    static void Type(HWND edit, const std::string& keys) {
        for (const char key : keys) {
            SendMessageA(edit, WM_CHAR, WPARAM(static_cast<unsigned char>(key)), 0);
        }
        PumpMessages();
    }
    HWND FontNameEdit() const {
        return FindWindowExA(Find(form_main::FontName).Handle(), nullptr, "Edit", nullptr);
    }
    void TypeSize(const std::string& keys) {
        SendMessageA(Find(form_main::FontSize).Handle(), EM_SETSEL, 0, -1);
        Type(Find(form_main::FontSize).Handle(), keys);
    }
    void PressUpArrow() {
        const HWND upDown = Find(form_main::UpDown1).Handle();
        RECT client{};
        GetClientRect(upDown, &client);
        const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 4);
        SendMessageA(upDown, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(upDown, WM_LBUTTONUP, 0, at);
        PumpMessages();
    }

    std::vector<std::string> FontNames() const {
        const HWND box = Find(form_main::FontName).Handle();
        std::vector<std::string> names;
        for (int i = 0; i < int(SendMessageA(box, CB_GETCOUNT, 0, 0)); ++i) {
            std::string name(std::size_t(SendMessageA(box, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
            name.resize(std::size_t(
                SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name.data()))));
            names.push_back(name);
        }
        return names;
    }
};

TEST_F(FormattingToolbarTest, ItemsInOrderWithTheirKindsHintsAndTags) {
    TFormMain& form = Start("");
    const auto& toolBar = Find<ToolBar>(form_main::ToolBar);
    const std::vector<std::string> expected{
        form_main::CopyButton,   form_main::PasteButton,  form_main::ToolButton10,
        form_main::FontName,     form_main::ToolButton11, form_main::FontSize,
        form_main::UpDown1,      form_main::ColorButton,  form_main::ToolButton2,
        form_main::BoldButton,   form_main::ItalicButton, form_main::UnderlineButton,
        form_main::ToolButton16, form_main::LeftAlign,    form_main::CenterAlign,
        form_main::RightAlign,   form_main::ToolButton20, form_main::BulletsButton};
    ASSERT_EQ(SendMessageA(toolBar.Handle(), TB_BUTTONCOUNT, 0, 0), LRESULT(expected.size()));
    int right = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        TBBUTTON item{};
        SendMessageA(toolBar.Handle(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(toolBar.ButtonById(item.idCommand)->Name(), expected[i]);
        RECT place{};
        SendMessageA(toolBar.Handle(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&place));
        EXPECT_GE(place.left, right) << expected[i];
        right = place.right;
    }
    for (const char* check : {form_main::BoldButton, form_main::ItalicButton,
                              form_main::UnderlineButton, form_main::BulletsButton}) {
        EXPECT_TRUE(form.FindToolButton(check).Description().Check) << check;
    }
    EXPECT_EQ(form.FindToolButton(form_main::LeftAlign).Tag(), 0);
    EXPECT_EQ(form.FindToolButton(form_main::CenterAlign).Tag(), 2);
    EXPECT_EQ(form.FindToolButton(form_main::RightAlign).Tag(), 1);
    EXPECT_EQ(form.FindToolButton(form_main::CopyButton).Hint(),
              "Copy|Copy selected item to clipboard");
    EXPECT_EQ(form.FindToolButton(form_main::BulletsButton).Hint(), "Bullets|Enter bullet mode");
    EXPECT_EQ(Find(form_main::FontName).Hint(), "Font Name|Select font name");

    // Activation made the size box 40 wide, with its up-down right beside it.
    const Bounds size = Find(form_main::FontSize).Place();
    EXPECT_EQ(size.Width, 40);
    EXPECT_EQ(Find(form_main::UpDown1).Place().Left, size.Left + size.Width);
    EXPECT_EQ(Find(form_main::FontName).Place().Width, 96);

    const std::vector<std::string> names = FontNames();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names, SortedFontNames(names));
}

TEST_F(FormattingToolbarTest, BoldWithoutASelectionChangesTheDefaultFormatWithOneOnlyTheSelection) {
    Start("Hello world");
    Select(6, 6);
    Click(form_main::BoldButton);
    EXPECT_TRUE(Down(form_main::BoldButton));
    EXPECT_TRUE(Format(Scope::Default).Bold);
    Click(form_main::BoldButton);
    EXPECT_FALSE(Format(Scope::Default).Bold);

    Select(0, 5);
    Click(form_main::BoldButton);
    EXPECT_TRUE(Format(Scope::Selection).Bold);
    EXPECT_FALSE(Format(Scope::Default).Bold);
    Select(6, 11);
    EXPECT_FALSE(Format(Scope::Selection).Bold);
    EXPECT_FALSE(Down(form_main::BoldButton));
    Select(1, 1); // the caret inside the bold word shows it
    EXPECT_TRUE(Down(form_main::BoldButton));

    // Italic keeps the bold it finds.
    Select(0, 5);
    Click(form_main::ItalicButton);
    EXPECT_TRUE(Format(Scope::Selection).Bold);
    EXPECT_TRUE(Format(Scope::Selection).Italic);
}

TEST_F(FormattingToolbarTest, TheColourOfAnEmptySelectionGoesToTheCaretNotTheDefault) {
    TFormMain& form = Start("Hello");
    const COLORREF before = TextAttributes(Text(), Scope::Default).Color();
    std::vector<COLORREF> presets;
    std::optional<COLORREF> answer = RGB(255, 0, 0);
    form.Formatting().ColorDialog1.Picker = [&](HWND owner, COLORREF preset) {
        EXPECT_EQ(owner, form.Handle());
        presets.push_back(preset);
        return answer;
    };
    Select(5, 5);
    Click(form_main::ColorButton);
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_EQ(presets[0], before);
    EXPECT_EQ(TextAttributes(Text(), Scope::Selection).Color(), RGB(255, 0, 0));
    EXPECT_EQ(TextAttributes(Text(), Scope::Default).Color(), before);
    Type(Text(), "X");
    Select(5, 6);
    EXPECT_EQ(TextAttributes(Text(), Scope::Selection).Color(), RGB(255, 0, 0));

    answer.reset(); // Cancel
    Select(0, 5);
    Click(form_main::ColorButton);
    EXPECT_EQ(presets.back(), before);
    EXPECT_EQ(TextAttributes(Text(), Scope::Selection).Color(), before);
}

TEST_F(FormattingToolbarTest, TheCaretInCentredTextPressesCenterAndChangesNothing) {
    Start("left\rcentre");
    Select(7, 7);
    Click(form_main::CenterAlign);
    EXPECT_TRUE(Down(form_main::CenterAlign));
    Click(form_main::CenterAlign); // one of the group always stays down
    EXPECT_TRUE(Down(form_main::CenterAlign));
    Select(2, 2);
    EXPECT_TRUE(Down(form_main::LeftAlign));
    EXPECT_FALSE(Down(form_main::CenterAlign));

    const std::string rtf = SaveRichText(Text());
    const CharacterFormat defaults = Format(Scope::Default);
    Select(8, 8);
    EXPECT_TRUE(Down(form_main::CenterAlign));
    EXPECT_FALSE(Down(form_main::LeftAlign));
    EXPECT_FALSE(Down(form_main::RightAlign));
    EXPECT_EQ(SaveRichText(Text()), rtf);
    EXPECT_EQ(Format(Scope::Default).FaceName, defaults.FaceName);
    EXPECT_EQ(Format(Scope::Default).SizeTwips, defaults.SizeTwips);
    EXPECT_FALSE(Find(form_main::FontName).Text().empty());
    EXPECT_EQ(Find(form_main::FontSize).Text(), std::to_string(TwipsToPoints(defaults.SizeTwips)));

    Click(form_main::RightAlign);
    EXPECT_TRUE(Down(form_main::RightAlign));
    EXPECT_FALSE(Down(form_main::CenterAlign));
    Select(2, 2);
    Select(9, 9);
    EXPECT_TRUE(Down(form_main::RightAlign));
}

TEST_F(FormattingToolbarTest, TheUpArrowFromZeroGivesOneAndStopsAtAHundred) {
    Start("Hello");
    TypeSize("0");
    PressUpArrow();
    EXPECT_EQ(Find(form_main::FontSize).Text(), "1");
    EXPECT_EQ(Format(Scope::Default).SizeTwips, 20);
    TypeSize("100");
    PressUpArrow();
    EXPECT_EQ(Find(form_main::FontSize).Text(), "100");
    EXPECT_EQ(Format(Scope::Default).SizeTwips, 2000);
    EXPECT_TRUE(TestEnvironment().boxes.empty());
}

TEST_F(FormattingToolbarTest, AnInvalidSizeIsReportedAndChangesNothing) {
    Start("Hello");
    Select(0, 5);
    TypeSize("14");
    EXPECT_EQ(Format(Scope::Selection).SizeTwips, 280);
    TypeSize("x");
    Type(Find(form_main::FontSize).Handle(), "\b");
    ASSERT_EQ(TestEnvironment().boxes.size(), 2u);
    EXPECT_EQ(TestEnvironment().boxes[0].Kind, ShownBox::Error);
    EXPECT_EQ(TestEnvironment().boxes[0].Text, "'x' is not a valid integer value");
    EXPECT_EQ(TestEnvironment().boxes[1].Text, "'' is not a valid integer value");
    EXPECT_EQ(Format(Scope::Selection).SizeTwips, 280);
}

TEST_F(FormattingToolbarTest, ATypedFontNameIsNotAppliedOnlyTheListItem) {
    Start("Hello");
    const std::vector<std::string> names = FontNames();
    ASSERT_GE(names.size(), 2u);
    const HWND box = Find(form_main::FontName).Handle();
    Select(0, 5);

    // Picking from the list applies the item.
    SendMessageA(box, CB_SETCURSEL, 1, 0);
    SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
    PumpMessages();
    EXPECT_EQ(Format(Scope::Selection).FaceName, names[1]);

    // Typing applies whatever item the box reports selected, none here.
    SendMessageA(FontNameEdit(), EM_SETSEL, 0, -1);
    Type(FontNameEdit(), names[0]);
    const auto index = int(SendMessageA(box, CB_GETCURSEL, 0, 0));
    EXPECT_NE(Format(Scope::Selection).FaceName == names[0], index != 0);
    EXPECT_EQ(Format(Scope::Selection).FaceName, FontNameAt(names, index));
}

TEST_F(FormattingToolbarTest, BulletsRaiseTheIndentAndOffClearsIt) {
    Start("one\rtwo");
    Select(1, 1);
    Click(form_main::BulletsButton);
    PARAFORMAT2 paragraph{};
    paragraph.cbSize = sizeof paragraph;
    SendMessageA(Text(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
    EXPECT_EQ(paragraph.wNumbering, PFN_BULLET);
    EXPECT_EQ(paragraph.dxOffset, 200);
    Select(5, 5);
    EXPECT_FALSE(Down(form_main::BulletsButton));
    Select(1, 1);
    EXPECT_TRUE(Down(form_main::BulletsButton));
    Click(form_main::BulletsButton);
    SendMessageA(Text(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
    EXPECT_NE(paragraph.wNumbering, PFN_BULLET);
    EXPECT_EQ(paragraph.dxOffset, 0);
}

TEST_F(FormattingToolbarTest, CopyAndPasteGoThroughTheClipboard) {
    Start("Hello world");
    Select(0, 5);
    Click(form_main::CopyButton);
    Select(11, 11);
    Click(form_main::PasteButton);
    EXPECT_EQ(PlainText(Text()), "Hello worldHello");
}

TEST_F(FormattingToolbarTest, AFormattedTextSavedByAddShowsAgainAfterNextAndPrev) {
    Start("plain bold\rcentred");
    Select(6, 10);
    Click(form_main::BoldButton);
    Select(12, 12);
    Click(form_main::CenterAlign);
    Click(form_main::ToolBar1, form_main::ToolButton_addMsg);
    ASSERT_EQ(Find<StatusBar>(form_main::StatusBar1).PanelText(0), "rec 2/2");

    Click(form_main::ToolBar1, form_main::ToolButton3); // Prev.
    EXPECT_EQ(PlainText(Text()), "stored");
    Click(form_main::ToolBar1, form_main::ToolButton4); // Next
    EXPECT_EQ(Find<StatusBar>(form_main::StatusBar1).PanelText(0), "rec 2/2");
    Select(7, 7);
    EXPECT_TRUE(Down(form_main::BoldButton));
    EXPECT_TRUE(Down(form_main::LeftAlign));
    Select(1, 1);
    EXPECT_FALSE(Down(form_main::BoldButton));
    Select(13, 13);
    EXPECT_TRUE(Down(form_main::CenterAlign));
}

} // namespace
} // namespace zandrel::testing
