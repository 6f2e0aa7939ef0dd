// The warning pop-up window under Wine.
#include "alarms/warning_popups.h"
#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "framework/system_date_time.h"
#include "framework/system_error.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "resources/form_blue.h"

#include <gtest/gtest.h>
#include <richedit.h>

namespace zandrel::testing {
namespace {

TEST(WarningPopupTest, OpensOnTopAtItsPlaceWithNameTimeAndText) {
    FakeEnvironment& env = TestEnvironment();
    env.Reset();
    TMessageEntry entry(env, "");
    entry.RichText = "{\\rtf1 Call the dentist}";
    entry.Record.IncType = 2;
    entry.Record.StartDate = env.now - 3.5; // missed days are skipped
    entry.Record.NextWarn = env.now - 0.5;
    PopupCounter counter;
    WarningPopups popups;

    TFormBlue& popup = popups.Open(entry, counter);
    PumpMessages();
    EXPECT_EQ(env.beeps, (std::vector<unsigned>{0}));
    EXPECT_EQ(env.sounds, (std::vector<std::string>{"Ding"}));
    EXPECT_DOUBLE_EQ(entry.Record.NextWarn, env.now + 0.5);

    EXPECT_EQ(popup.Name(), "Zandrel_blueChip_1");
    char caption[40] = {};
    GetWindowTextA(popup.Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Zandrel_blueChip_1");
    EXPECT_EQ(popup.Find(form_blue::lblTime).Text(), "Message time: " + DateTimeToText(env.now));
    EXPECT_EQ(PlainText(popup.Find(form_blue::RichEdit1).Handle()), "Call the dentist");
    const RECT rect = popup.ScreenRect();
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.top, 116);
    EXPECT_EQ(rect.right - rect.left, 289);
    EXPECT_EQ(rect.bottom - rect.top, 180);
    EXPECT_TRUE(GetWindowLongA(popup.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    const LONG style = GetWindowLongA(popup.Handle(), GWL_STYLE); // a close box only
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(popup.Find(form_blue::Panel1).Place().Height, 25);
    EXPECT_TRUE(SendMessageA(popup.Find(form_blue::RichEdit1).Handle(), EM_GETOPTIONS, 0, 0) &
                ECO_READONLY);
    EXPECT_GT(SendMessageA(popup.Find(form_blue::RichEdit1).Handle(), EM_GETLIMITTEXT, 0, 0),
              32767);

    // Closing frees it, and its name comes free for a later round of numbers.
    const HWND closed = popup.Handle();
    SendMessageA(closed, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(closed));
    popups.FreeClosed();
    EXPECT_TRUE(popups.Popups().empty());
    while (counter.Value() < PopupCounter::Limit)
        counter.Next([](const std::string&) { return false; });
    entry.Record.NextWarn = env.now - 1;
    EXPECT_EQ(popups.Open(entry, counter).Name(), "Zandrel_blueChip_0");
    entry.Record.NextWarn = env.now - 1;
    EXPECT_EQ(popups.Open(entry, counter).Name(), "Zandrel_blueChip_1");
    EXPECT_EQ(popups.Popups().size(), 2u);
}

// The colour a window erases its background with.
COLORREF ErasedColour(HWND window) {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const BitmapHandle bitmap(CreateCompatibleBitmap(screen, 4, 4));
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, bitmap.get());
    SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const COLORREF colour = GetPixel(dc, 1, 1);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

// Refused fonts leave the system's in their place and are told once, even
// when the pop-up makes its fonts again for another DPI; the pop-up opens
// with its text on its blue all the same.
TEST(WarningPopupTest, OpensInTheSystemsFontWhenItsFontsAreRefusedAndSaysSoOnce) {
    struct Refused {
        bool bold;
        bool text;
    };
    const SystemError refusal("Cannot create the font MS Sans Serif", "CreateFontA",
                              ERROR_NOT_ENOUGH_MEMORY);
    const auto systemFont = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const Refused refused :
         {Refused{true, false}, Refused{false, true}, Refused{true, true}}) {
        SCOPED_TRACE(::testing::Message() << "bold " << refused.bold << ", text " << refused.text);
        FakeEnvironment& env = TestEnvironment();
        env.Reset();
        WarningPopups popups({}, [&](const FontDescription& font, DpiScale scale) {
            if (font.Bold ? refused.bold : refused.text) {
                throw refusal;
            }
            return CreateFontFrom(font, scale);
        });
        TMessageEntry entry(env, "");
        entry.RichText = "{\\rtf1 Call the dentist}";
        PopupCounter counter;

        TFormBlue& popup = popups.Open(entry, counter);
        RECT place = popup.ScreenRect();
        SendMessageA(popup.Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96),
                     reinterpret_cast<LPARAM>(&place));
        PumpMessages();

        EXPECT_EQ(env.Shown(ShownBox::Error), std::vector<std::string>{refusal.what()});
        EXPECT_TRUE(IsWindowVisible(popup.Handle()));
        const HWND text = popup.Find(form_blue::RichEdit1).Handle();
        EXPECT_EQ(PlainText(text), "Call the dentist");
        CHARFORMATA format{};
        format.cbSize = sizeof format;
        SendMessageA(text, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        EXPECT_EQ(std::string(format.szFaceName) != "MS Sans Serif", refused.text);
        EXPECT_EQ(SendMessageA(popup.Find(form_blue::lblTime).Handle(), WM_GETFONT, 0, 0) ==
                      systemFont,
                  refused.bold);
        EXPECT_EQ(ErasedColour(popup.Find(form_blue::Panel1).Handle()), RGB(0, 0, 255));
    }
}

} // namespace
} // namespace zandrel::testing
