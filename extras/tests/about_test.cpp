// The About window, its marquee, the window with the whole text and the Help
// command's viewer, under Wine with real windows.
#include "extras/about.h"
#include "extras/about2.h"
#include "extras/core/help_command.h"
#include "framework/application.h"
#include "framework/controls/controls.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "framework/win32_environment.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_about.h"
#include "resources/form_main.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zandrel::testing {
namespace {

namespace fs = std::filesystem;

constexpr DWORD kYellow = 0xFFFF00; // as a 32-bit DIB holds it

// Runs an action from a thread timer, which fires inside whatever message
// loop runs: that of a modal form. The action says when it is done.
class WhileModal {
public:
    explicit WhileModal(std::function<bool()> action) : action_(std::move(action)) {
        current = this;
        timer_ = SetTimer(nullptr, 0, 20, Tick);
    }
    ~WhileModal() {
        KillTimer(nullptr, timer_);
        current = nullptr;
    }
    WhileModal(const WhileModal&) = delete;
    WhileModal& operator=(const WhileModal&) = delete;
    bool Done() const { return done_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (WhileModal* self = current; self && !self->done_) {
            self->done_ = self->action_();
        }
    }
    static inline WhileModal* current = nullptr;
    std::function<bool()> action_;
    UINT_PTR timer_ = 0;
    bool done_ = false;
};

// The window's pixels as 0xRRGGBB, row by row.
std::vector<DWORD> Capture(HWND window, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const WindowDc source(window);
    const BitmapHandle bitmap(
        CreateDIBSection(source.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const MemoryDc target(source.Get());
    {
        const Selection selected(target.Get(), bitmap.get());
        BitBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    return {pixels, pixels + width * height};
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

// The first window of the class among window's children, depth first.
HWND ChildOfClass(HWND window, const char* className) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, className) == 0) {
            return child;
        }
        if (const HWND inner = ChildOfClass(child, className)) {
            return inner;
        }
    }
    return nullptr;
}

void Click(HWND control) {
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

void DoubleClick(HWND control) {
    SendMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
}

class AboutWindowTest : public ::testing::Test {
protected:
    AboutWindowTest() { TestEnvironment().Reset(); }

    Application app_{TestEnvironment(), GetModuleHandleA(nullptr)};
};

TEST_F(AboutWindowTest, IsAnEllipseWithTheAboutTextAndItsCursors) {
    TFormAbout about;
    ShowWindow(about.Handle(), SW_SHOW);
    PumpMessages();

    RECT client{};
    GetClientRect(about.Handle(), &client);
    const RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(about.Handle(), region.get()), ERROR);
    RECT box{};
    GetRgnBox(region.get(), &box);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 30);
    EXPECT_NEAR(box.right, client.right, 1);
    EXPECT_NEAR(box.bottom, client.bottom, 1);
    EXPECT_TRUE(PtInRegion(region.get(), (10 + client.right) / 2, (30 + client.bottom) / 2));
    EXPECT_FALSE(PtInRegion(region.get(), 14, 34));  // the box's corner
    EXPECT_FALSE(PtInRegion(region.get(), 320, 10)); // the caption bar
    EXPECT_EQ(about.ScreenRect().right - about.ScreenRect().left, 640);

    const std::vector<std::string>& lines = about.Find<Memo>(form_about::Memo1).Lines();
    ASSERT_EQ(lines.size(), 59u);
    const std::string rule(43, '-');
    EXPECT_EQ(
        std::vector<std::string>(lines.begin(), lines.begin() + 5),
        (std::vector<std::string>{"Zandrel rev  3.3", rule, "Keep a note about your appointement",
                                  "Last update: 19990116", rule}));
    ASSERT_TRUE(about.AboutLines);
    EXPECT_EQ(*about.AboutLines, lines);
    EXPECT_EQ(about.AboutMarquee().Items(), lines);
    for (const int slot : {50, 51, 52}) {
        EXPECT_NE(App().ScreenCursor(slot), nullptr) << slot;
    }
    // No button is down: the window answers as a client area.
    EXPECT_EQ(SendMessageA(about.Handle(), WM_NCHITTEST, 0, MAKELPARAM(400, 300)), HTCLIENT);

    DoubleClick(about.Find(form_about::Image2).Handle());
    DoubleClick(about.Find(form_about::Image3).Handle());
    EXPECT_EQ(TestEnvironment().opened, (std::vector<std::string>{kHomePage, kMailLink}));

    about.Close();
    EXPECT_FALSE(about.AboutLines);
}

TEST_F(AboutWindowTest, TheMarqueeTextMovesUpwardBetweenTicks) {
    TFormAbout about;
    ShowWindow(about.Handle(), SW_SHOW);
    TMarquee& marquee = about.AboutMarquee();
    ASSERT_TRUE(marquee.Active());
    const MarqueeRect view = marquee.ViewRect();

    ASSERT_TRUE(PumpUntil([&] { return marquee.Offset() >= 40; }));
    UpdateWindow(marquee.Handle());
    const int first = marquee.Offset();
    const std::vector<DWORD> before = Capture(marquee.Handle(), view.Right, view.Bottom);
    ASSERT_TRUE(PumpUntil([&] { return marquee.Offset() >= first + 6; }));
    UpdateWindow(marquee.Handle());
    const int shift = marquee.Offset() - first;
    const std::vector<DWORD> after = Capture(marquee.Handle(), view.Right, view.Bottom);

    int yellow = 0;
    for (const DWORD pixel : before) {
        yellow += (pixel & 0xFFFFFF) == kYellow;
    }
    EXPECT_GT(yellow, 20);
    int moved = 0;
    for (int y = 1; y + shift < view.Bottom; ++y) {
        for (int x = 1; x < view.Right; ++x) {
            moved += after[y * view.Right + x] == before[(y + shift) * view.Right + x];
        }
    }
    EXPECT_EQ(moved, (view.Bottom - shift - 1) * (view.Right - 1)) << "shift " << shift;

    // Scrolling down, it starts at the bottom of its strip: below the lines.
    marquee.StopScroll();
    marquee.ScrollDown = true;
    marquee.StartScroll();
    EXPECT_EQ(marquee.Offset(),
              int(marquee.Items().size()) * marquee.LineHeight() + marquee.Place().Height);
}

TEST_F(AboutWindowTest, ADoubleClickOnTheMarqueeShowsEveryLineInTheSecondWindow) {
    TFormAbout about;
    ShowWindow(about.Handle(), SW_SHOW);
    PumpMessages();
    std::vector<std::string> shown;
    WhileModal reader([&] {
        const HWND about2 = FindWindowA("Zandrel.TFormAbout2", "About this program");
        if (!about2 || !IsWindowVisible(about2)) {
            return false;
        }
        const HWND text = ChildOfClass(about2, "RichEdit20A");
        std::string all(GetWindowTextLengthA(text) + 1, '\0');
        all.resize(GetWindowTextA(text, all.data(), int(all.size())));
        shown = SplitLines(all);
        Click(ChildOfClass(about2, "Zandrel.BitBtn"));
        return true;
    });
    DoubleClick(about.AboutMarquee().Handle());

    ASSERT_TRUE(reader.Done());
    EXPECT_EQ(shown, about.AboutMarquee().Items()) << "no empty line after the last";
    EXPECT_TRUE(about.Visible());
    EXPECT_EQ(FindWindowA("Zandrel.TFormAbout2", nullptr), nullptr);
}

using AboutCommandTest = MainWindowFixture;

TEST_F(AboutCommandTest, ClosingAboutShowsTheMainWindowThatWasHiddenInTheTray) {
    Start();
    form_->Close(); // hidden in the tray
    ASSERT_FALSE(form_->Visible());
    App().Sounds().SetEnabled(true);
    TestEnvironment().sounds.clear();

    bool mainHiddenMeanwhile = false;
    WhileModal closer([&] {
        const HWND about = FindWindowA("Zandrel.TFormAbout", "FormAbout");
        if (!about || !IsWindowVisible(about)) {
            return false;
        }
        mainHiddenMeanwhile = !form_->Visible();
        Click(GetDlgItem(about, 101)); // BtnContinue, the second component
        return true;
    });
    // "About" of the tray menu.
    SendMessageA(form_->Handle(), WM_COMMAND, form_->FindMenuItem(form_main::About1).Id(), 0);

    EXPECT_TRUE(closer.Done());
    EXPECT_TRUE(mainHiddenMeanwhile);
    EXPECT_TRUE(form_->Visible());
    // Off every screen since the start, it comes back on one.
    EXPECT_NE(MonitorFromWindow(form_->Handle(), MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(FindWindowA("Zandrel.TFormAbout", nullptr), nullptr);
    ASSERT_FALSE(TestEnvironment().sounds.empty());
    EXPECT_EQ(TestEnvironment().sounds.front(), "Laser"); // then the main window's activation
}

// The viewer Wine ships opens the help file that the build puts beside
// zandrel.exe, from a folder whose name has blanks.
TEST(HelpViewerTest, HelpStartsTheViewerOnTheShippedHelpFile) {
    const fs::path folder = fs::temp_directory_path() / "zandrel help viewer";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(fs::path(ZANDREL_EXE).parent_path() / kHtmlHelpFile, folder / kHtmlHelpFile);
    const fs::path previous = fs::current_path();
    fs::current_path(folder); // no classic help file here

    Win32Environment environment(GetModuleHandleA(nullptr));
    OpenProgramHelp(environment, "zandrel.hlp", folder.string() + "\\");
    HWND viewer = nullptr;
    EXPECT_TRUE(
        PumpUntil([&] { return (viewer = FindWindowA(nullptr, "Zandrel Help")) != nullptr; },
                  std::chrono::seconds(20)));
    if (viewer) {
        PostMessageA(viewer, WM_CLOSE, 0, 0);
    }
    fs::current_path(previous);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

} // namespace
} // namespace zandrel::testing
