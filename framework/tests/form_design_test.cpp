// What a form's description sets beyond its controls' places, through real
// windows: frame, colours, fonts, cursors, docking at the four edges, Esc,
// and the typed lookup of components.
#include "framework/application.h"
#include "framework/device_context.h"
#include "framework/form.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zandrel::testing {
namespace {

constexpr int handSlot = 52;

FormDescription DesignedFormDescription(bool closeOnEscape) {
    FormDescription form;
    form.ClassName = "Zandrel.DesignedTestForm";
    form.Caption = "Designed";
    form.Width = 300;
    form.Height = 200;
    form.Background = clNavy;
    form.Icons = {true, true, false};
    form.Centered = true;
    form.CloseOnEscape = closeOnEscape;
    form.Components = {
        Component("West", ComponentKind::Panel, {0, 0, 50, 10}).Dock(Align::Left).Colored(clGreen),
        Component("North", ComponentKind::Panel, {0, 0, 10, 30}).Dock(Align::Top),
        Component("East", ComponentKind::Panel, {0, 0, 70, 10}).Dock(Align::Right),
        Component("Middle", ComponentKind::Panel, {0, 0, 10, 10}).Dock(Align::Client),
        Component("Title", ComponentKind::Label, {4, 4, 100, 20})
            .In("Middle")
            .Titled("Title")
            .InFont({"Arial", -16, true, true, true})
            .WithCursor(StandardCursor::Hand),
        Component("Go", ComponentKind::Button, {4, 30, 60, 24})
            .In("Middle")
            .Titled("Go")
            .WithScreenCursor(handSlot),
        Component("Notes", ComponentKind::RichEdit, {4, 60, 100, 40}).In("Middle"),
    };
    return form;
}

class DesignedForm : public Form {
public:
    explicit DesignedForm(bool closeOnEscape = false)
        : Form(DesignedFormDescription(closeOnEscape)) {
        Create(false);
        ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    }
};

class FormDesignTest : public ::testing::Test {
protected:
    void SetUp() override { TestEnvironment().Reset(); }

    // The colour a window's background erase leaves in its top-left corner.
    static COLORREF ErasedColor(HWND window) {
        const WindowDc screen(nullptr);
        const MemoryDc dc(screen.Get());
        const BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), 8, 8));
        const Selection selected(dc.Get(), bitmap.get());
        SendMessageA(window, WM_ERASEBKGND, WPARAM(dc.Get()), 0);
        return GetPixel(dc.Get(), 1, 1);
    }

    static LOGFONTA FontOf(HWND window) {
        LOGFONTA font{};
        GetObjectA(HGDIOBJ(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
        return font;
    }

    static HCURSOR CursorOver(HWND window) {
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        SendMessageA(window, WM_SETCURSOR, WPARAM(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    }

    static void PressKey(HWND focus, WPARAM key) {
        MSG message{focus, WM_KEYDOWN, key, 1, 0, {}};
        App().ProcessMessage(message);
    }

    Application app_{TestEnvironment(), GetModuleHandleA(nullptr)};
};

TEST_F(FormDesignTest, FrameHasTheDescribedIconsAndStandsInTheMiddleOfTheScreen) {
    DesignedForm form;
    const LONG style = GetWindowLongA(form.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    const RECT rect = form.ScreenRect();
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 300) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 200) / 2);
}

TEST_F(FormDesignTest, TopAndBottomDockFirstThenLeftAndRightThenClient) {
    DesignedForm form;
    RECT client{};
    GetClientRect(form.Handle(), &client);
    const int width = client.right;
    const int height = client.bottom - 30;
    auto expectPlace = [&](const char* name, Bounds expected) {
        const Bounds place = form.Find(name).Place();
        EXPECT_EQ(place.Left, expected.Left) << name;
        EXPECT_EQ(place.Top, expected.Top) << name;
        EXPECT_EQ(place.Width, expected.Width) << name;
        EXPECT_EQ(place.Height, expected.Height) << name;
    };
    expectPlace("North", {0, 0, width, 30});
    expectPlace("West", {0, 30, 50, height});
    expectPlace("East", {width - 70, 30, 70, height});
    expectPlace("Middle", {50, 30, width - 120, height});
}

TEST_F(FormDesignTest, FormAndControlsPaintTheirColoursAndSeeThroughToTheirContainers) {
    DesignedForm form;
    EXPECT_EQ(ErasedColor(form.Handle()), RGB(0, 0, 128));
    EXPECT_EQ(ErasedColor(form.Find("West").Handle()), RGB(0, 128, 0));
    EXPECT_EQ(ErasedColor(form.Find("East").Handle()), RGB(0, 0, 128)); // none of its own

    const HWND title = form.Find("Title").Handle();
    const WindowDc dc(title);
    SendMessageA(form.Handle(), WM_CTLCOLORSTATIC, WPARAM(dc.Get()), LPARAM(title));
    EXPECT_EQ(GetBkColor(dc.Get()), RGB(0, 0, 128));
}

TEST_F(FormDesignTest, ControlsTakeTheirOwnFontOrTheForms) {
    DesignedForm form;
    const LOGFONTA title = FontOf(form.Find("Title").Handle());
    EXPECT_STREQ(title.lfFaceName, "Arial");
    EXPECT_EQ(title.lfHeight, -16);
    EXPECT_EQ(title.lfWeight, FW_BOLD);
    EXPECT_TRUE(title.lfItalic);
    EXPECT_TRUE(title.lfUnderline);
    const LOGFONTA go = FontOf(form.Find("Go").Handle());
    EXPECT_STREQ(go.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(go.lfHeight, -11);
    EXPECT_EQ(go.lfWeight, FW_NORMAL);
}

TEST_F(FormDesignTest, ControlsShowAStandardCursorOrAScreenCursorSlot) {
    const HCURSOR hand = LoadCursorA(nullptr, IDC_CROSS); // whatever the slot holds
    App().SetScreenCursor(handSlot, hand);
    DesignedForm form;
    EXPECT_EQ(CursorOver(form.Find("Title").Handle()), LoadCursorA(nullptr, IDC_HAND));
    EXPECT_EQ(CursorOver(form.Find("Go").Handle()), hand);
    EXPECT_EQ(CursorOver(form.Find("West").Handle()), LoadCursorA(nullptr, IDC_ARROW));
}

// From a button, and from a rich edit, which would otherwise close its
// parent panel.
TEST_F(FormDesignTest, EscClosesOnlyAFormThatSaysSo) {
    for (const char* focus : {"Go", "Notes"}) {
        DesignedForm closing(true);
        SetFocus(closing.Find(focus).Handle());
        PressKey(closing.Find(focus).Handle(), VK_ESCAPE);
        PumpMessages();
        EXPECT_FALSE(closing.Visible()) << focus;

        DesignedForm staying;
        SetFocus(staying.Find(focus).Handle());
        PressKey(staying.Find(focus).Handle(), VK_ESCAPE);
        PumpMessages();
        EXPECT_TRUE(staying.Visible()) << focus;
        EXPECT_TRUE(IsWindow(staying.Find("Middle").Handle())) << focus;
    }
}

TEST_F(FormDesignTest, TypedLookupNamesAComponentOfAnotherKind) {
    DesignedForm form;
    EXPECT_EQ(form.Find<Button>("Go").Handle(), form.Find("Go").Handle());
    try {
        form.Find<StatusBar>("Go");
        ADD_FAILURE() << "no error for a button looked up as a status bar";
    } catch (const std::logic_error& error) {
        EXPECT_NE(std::string(error.what()).find("Go"), std::string::npos) << error.what();
    }
}

} // namespace
} // namespace zandrel::testing
