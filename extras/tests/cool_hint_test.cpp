// The program's hint window under Wine: its shape, size and painting on the
// real window, and the hints of the main window's toolbars shown as the real
// pointer rests on their buttons.
#include "extras/CoolHint.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_main.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace zandrel::testing {
namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);

SIZE Measure(HFONT font, const std::string& text, UINT format, int maxWidth = 10000) {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    RECT rect{0, 0, maxWidth, 0};
    DrawTextA(dc, text.c_str(), int(text.size()), &rect, DT_CALCRECT | DT_WORDBREAK | format);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {rect.right, rect.bottom};
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// The window's shape, in window coordinates.
RECT ShapeBox(HWND window) {
    const RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    RECT box{};
    if (GetWindowRgn(window, region.get()) != ERROR) {
        GetRgnBox(region.get(), &box);
    }
    return box;
}

bool InShape(HWND window, int x, int y) {
    const RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(window, region.get()) != ERROR && PtInRegion(region.get(), x, y);
}

class TDDGHintWindowTest : public ::testing::Test {
protected:
    ~TDDGHintWindowTest() override { Hint().ReleaseHint(); }

    static HintWindow& Hint() { return *App().Hints().CurrentWindow(); }

    // Activates the hint as the application does, with its rectangle at
    // left, top.
    static RECT Show(const std::string& text, int left, int top) {
        RECT rect = Hint().CalcHintRect(GetSystemMetrics(SM_CXSCREEN), text);
        OffsetRect(&rect, left, top);
        Hint().ActivateHint(rect, text);
        PumpMessages();
        return WindowRect(Hint().Handle());
    }
};

TEST_F(TDDGHintWindowTest, IsTheApplicationsHintWindowAFramelessTopMostPopup) {
    ApplicationHints& hints = App().Hints();
    ASSERT_NE(dynamic_cast<TDDGHintWindow*>(hints.CurrentWindow()), nullptr);
    const auto style = DWORD(GetWindowLongA(Hint().Handle(), GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_BORDER);
    EXPECT_TRUE(GetWindowLongA(Hint().Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Off and on again makes a new window of the installed class.
    hints.SetShowHint(false);
    EXPECT_EQ(hints.CurrentWindow(), nullptr);
    hints.SetShowHint(true);
    EXPECT_NE(dynamic_cast<TDDGHintWindow*>(hints.CurrentWindow()), nullptr);
}

TEST_F(TDDGHintWindowTest, BoldIsWiderByWwwwAndTallerByTenAndFourInAYellowEllipse) {
    const SIZE text = Measure(Hint().Font(), "Bold", DT_NOPREFIX);
    const SIZE wwww = Measure(Hint().Font(), "WWWW", DT_NOPREFIX);
    const RECT window = Show("Bold", 200, 150);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    EXPECT_EQ(window.left, 200);
    EXPECT_EQ(window.top, 150);
    EXPECT_EQ(width, text.cx + 6 + wwww.cx);
    EXPECT_EQ(height, text.cy + 2 + 10 + 4);
    EXPECT_TRUE(IsWindowVisible(Hint().Handle()));
    EXPECT_EQ(Hint().Color(), kYellow);

    // An ellipse 4 pixels shorter than the window (an elliptic region leaves
    // off its last column and row).
    const HWND handle = Hint().Handle();
    EXPECT_NEAR(ShapeBox(handle).right, width, 1);
    EXPECT_NEAR(ShapeBox(handle).bottom, height - 4, 1);
    EXPECT_TRUE(InShape(handle, width / 2, height / 2));
    EXPECT_FALSE(InShape(handle, 1, 1));
    EXPECT_FALSE(InShape(handle, width - 2, height - 6));
    EXPECT_FALSE(InShape(handle, width / 2, height - 2));
}

TEST_F(TDDGHintWindowTest, NearTheBottomRightCornerTheWholeHintStaysOnTheDesktop) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const RECT inside = Show("Bold", 10, 10);
    const RECT corner = Show("Bold", screenWidth - 5, screenHeight - 5);
    EXPECT_EQ(corner.right, screenWidth);
    EXPECT_EQ(corner.bottom, screenHeight);
    EXPECT_EQ(corner.right - corner.left, inside.right - inside.left);
    EXPECT_EQ(corner.bottom - corner.top, inside.bottom - inside.top);
}

TEST_F(TDDGHintWindowTest, AHintWiderThanTheScreenBreaksIntoLinesAndTheEllipseGrows) {
    std::string text;
    for (int i = 0; i < 60; ++i) {
        text += "remember the appointment ";
    }
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const RECT rect = Hint().CalcHintRect(screenWidth, text);
    const int lineHeight = Measure(Hint().Font(), "Bold", DT_NOPREFIX).cy;
    EXPECT_LE(rect.right, screenWidth + 6);
    EXPECT_GE(rect.bottom, 3 * lineHeight + 2);

    Show("Bold", 0, 0);
    const RECT oneLine = ShapeBox(Hint().Handle());
    const RECT window = Show(text, 0, 0);
    const RECT lines = ShapeBox(Hint().Handle());
    EXPECT_GT(lines.bottom, oneLine.bottom);
    EXPECT_NEAR(lines.bottom, window.bottom - window.top - 4, 1);
    EXPECT_NEAR(lines.right, window.right - window.left, 1);
}

// The text that draw(dc) draws on a yellow width x height bitmap: the
// columns between its first and last pixel that is not yellow. Its glyphs'
// ink, which the font's side bearings make narrower than its advance.
int InkWidth(int width, int height, const std::function<void(HDC)>& draw) {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const BitmapHandle bitmap(CreateCompatibleBitmap(screen, width, height));
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, bitmap.get());
    draw(dc);
    int first = width, last = -1;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            if (GetPixel(dc, x, y) != kYellow) {
                first = std::min(first, x);
                last = std::max(last, x);
                break;
            }
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return last - first + 1;
}

// The text as the window paints it.
int PaintedTextWidth(HWND window) {
    const RECT place = WindowRect(window);
    return InkWidth(place.right - place.left, place.bottom - place.top, [&](HDC dc) {
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                     PRF_CLIENT | PRF_ERASEBKGND);
    });
}

// The text as DrawText draws it in font with format.
int DrawnTextWidth(HFONT font, const std::string& text, UINT format) {
    const SIZE size = Measure(font, text, format);
    return InkWidth(size.cx, size.cy, [&](HDC dc) {
        RECT all{0, 0, size.cx, size.cy};
        const BrushHandle yellow(CreateSolidBrush(kYellow));
        FillRect(dc, &all, yellow.get());
        const HGDIOBJ old = SelectObject(dc, font);
        SetBkColor(dc, kYellow);
        DrawTextA(dc, text.c_str(), int(text.size()), &all, format);
        SelectObject(dc, old);
    });
}

TEST_F(TDDGHintWindowTest, AnAmpersandShowsAsItself) {
    const std::string text = "Fish&Chips";
    const SIZE asIs = Measure(Hint().Font(), text, DT_NOPREFIX);
    const SIZE asPrefix = Measure(Hint().Font(), text, 0);
    ASSERT_GT(asIs.cx, asPrefix.cx);

    const RECT rect = Hint().CalcHintRect(GetSystemMetrics(SM_CXSCREEN), text);
    EXPECT_EQ(rect.right, asIs.cx + 6);
    Show(text, 100, 100);
    EXPECT_EQ(Hint().Text(), text);
    EXPECT_NEAR(PaintedTextWidth(Hint().Handle()), DrawnTextWidth(Hint().Font(), text, DT_NOPREFIX),
                2);
}

// The main window as the tray's double-click shows it, with the program's
// hint window; the real pointer moves over it.
class HintOverMainWindowTest : public MainWindowFixture {
protected:
    void SetUp() override {
        InstallCoolHint(app_);
        MoveAway();
        Start(Shown::FromTheTray);
    }

    HintWindow& Hint() const { return *app_.Hints().CurrentWindow(); }
    bool Shows(const std::string& text) const {
        return IsWindowVisible(Hint().Handle()) && Hint().Text() == text;
    }
    bool Hidden() const { return !IsWindowVisible(Hint().Handle()); }

    // The pointer onto the middle of a toolbar button.
    void PointAt(const char* toolBar, const char* button) {
        const HWND bar = form_->Find(toolBar).Handle();
        RECT place{};
        SendMessageA(bar, TB_GETRECT, form_->FindToolButton(button).Id(),
                     reinterpret_cast<LPARAM>(&place));
        POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
        ClientToScreen(bar, &centre);
        SetCursorPos(centre.x, centre.y);
        PumpMessages();
    }
    // The pointer onto the middle of a control.
    void PointAt(const char* control) {
        RECT place{};
        GetWindowRect(form_->Find(control).Handle(), &place);
        SetCursorPos((place.left + place.right) / 2, (place.top + place.bottom) / 2);
        PumpMessages();
    }
    // The pointer onto the desktop, away from every window.
    static void MoveAway() {
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        PumpMessages();
    }

    void Command(const char* menuItem) {
        SendMessageA(form_->Handle(), WM_COMMAND, form_->FindMenuItem(menuItem).Id(), 0);
    }
};

// Longer than the pause before a hint, for a hint that must not come.
constexpr auto kNoHintWait = std::chrono::milliseconds(1500);

TEST_F(HintOverMainWindowTest, TheMainWindowsSwitchLeavesTheFormattingToolbarsHintsOn) {
    ASSERT_FALSE(form_->ShowHint());
    PointAt(form_main::ToolBar1, form_main::ToolButton_addMsg);
    EXPECT_FALSE(PumpUntil([&] { return !Hidden(); }, kNoHintWait));
    PointAt(form_main::ToolBar, form_main::BoldButton);
    EXPECT_TRUE(PumpUntil([&] { return Shows("Bold"); }));
    // A control inside the formatting toolbar takes its switch.
    PointAt(form_main::FontName);
    EXPECT_TRUE(PumpUntil([&] { return Shows("Font Name"); }));

    Command(form_main::ShowHint1);
    ASSERT_TRUE(form_->ShowHint());
    PointAt(form_main::ToolBar1, form_main::ToolButton_addMsg);
    EXPECT_TRUE(PumpUntil([&] { return Shows("Add the current message to the list"); }));
    // The short part of the hint; the status bar has the long one.
    PointAt(form_main::ToolBar, form_main::CopyButton);
    EXPECT_TRUE(PumpUntil([&] { return Shows("Copy"); }));
    EXPECT_EQ(form_->Find<StatusBar>(form_main::StatusBar1).PanelText(2),
              "Copy selected item to clipboard");
}

TEST_F(HintOverMainWindowTest, TheHintGoesWhenThePointerLeavesOnAClickAndAfterAWhile) {
    const HWND foreground = GetForegroundWindow();
    PointAt(form_main::ToolBar, form_main::BoldButton);
    ASSERT_TRUE(PumpUntil([&] { return Shows("Bold"); }));
    EXPECT_EQ(GetForegroundWindow(), foreground); // the hint takes no focus
    // Placed below the pointer.
    POINT pointer{};
    GetCursorPos(&pointer);
    EXPECT_EQ(WindowRect(Hint().Handle()).left, pointer.x);
    EXPECT_GT(WindowRect(Hint().Handle()).top, pointer.y);

    PointAt(form_main::ToolBar, form_main::ItalicButton);
    EXPECT_TRUE(Hidden());
    EXPECT_TRUE(PumpUntil([&] { return Shows("Italic"); }));
    MoveAway();
    EXPECT_TRUE(PumpUntil([&] { return Hidden(); }));

    PointAt(form_main::ToolBar, form_main::UnderlineButton);
    ASSERT_TRUE(PumpUntil([&] { return Shows("Underline"); }));
    SendMessageA(form_->Handle(), WM_SETCURSOR,
                 reinterpret_cast<WPARAM>(form_->Find(form_main::ToolBar).Handle()),
                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_TRUE(Hidden());

    PointAt(form_main::ToolBar, form_main::BulletsButton);
    ASSERT_TRUE(PumpUntil([&] { return Shows("Bullets"); }));
    const auto shown = std::chrono::steady_clock::now();
    EXPECT_TRUE(PumpUntil([&] { return Hidden(); }, std::chrono::seconds(6)));
    EXPECT_GE(std::chrono::steady_clock::now() - shown, std::chrono::milliseconds(2400));
}

TEST_F(HintOverMainWindowTest, HidingTheFormHidesItsHint) {
    PointAt(form_main::ToolBar, form_main::BoldButton);
    ASSERT_TRUE(PumpUntil([&] { return Shows("Bold"); }));
    Command(form_main::Close2);
    EXPECT_TRUE(Hidden());
}

} // namespace
} // namespace zandrel::testing
