// Puts two stickers and a warning pop-up on the screen for a picture of each,
// taken from outside (scripts/take_screenshots.sh). Runs only when
// ZANDREL_SCREENSHOT_DIR names the folder of the hand-over files: the test
// writes NAME.ready once the windows are painted and waits for NAME.taken.
#include "alarms/warning_popups.h"
#include "framework/application.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "resources/resource_names.h"
#include "stickers/sticker_board.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace zandrel::testing {
namespace {

namespace fs = std::filesystem;

constexpr char kTwoLines[] = "{\\rtf1\\ansi Call the dentist\\par before Friday, 9:30}";

TEST(ScreenshotTest, StickersAndPopup) {
    const char* folderName = std::getenv("ZANDREL_SCREENSHOT_DIR");
    if (!folderName) {
        GTEST_SKIP() << "ZANDREL_SCREENSHOT_DIR not set";
    }
    const fs::path folder(folderName);
    FakeEnvironment& env = TestEnvironment();
    env.Reset();
    // A grey desktop behind them, so that the black outlines show where the
    // shapes end.
    const WindowHandle desktop(CreateWindowExA(
        WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_GRAYRECT, 0, 0, env.screen.Width,
        env.screen.Height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));

    std::vector<BitmapHandle> bitmaps;
    for (const char* name :
         {res::kBitmapPin, res::kBitmapPinRed, res::kBitmapBanner, res::kBitmapBannerRed}) {
        bitmaps.emplace_back(static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, 0)));
    }
    MessageList list;
    for (const TDateTime alarm : {1.0, -0.25}) {
        auto entry = std::make_unique<TMessageEntry>(env, "");
        entry->Record.StartDate = env.now - 0.5;
        entry->Record.AlarmDate = env.now + alarm;
        entry->RichText = kTwoLines;
        entry->Key = "key " + std::to_string(list.Count());
        list.Append(std::move(entry));
    }
    StickerBoard board(StickerHost{.Messages = [&] { return &list; },
                                   .MainWindow = [] { return HWND(nullptr); },
                                   .ShowCurrentMessage = [] {}});
    board.Rebuild(true, {bitmaps[0].get(), bitmaps[1].get(), bitmaps[2].get(), bitmaps[3].get()});
    std::vector<HWND> stickers;
    for (const auto& sticker : board.Stickers()) {
        stickers.push_back(sticker->Handle());
    }
    EXPECT_TRUE(HandOverForScreenshot(folder, "stickers", stickers));
    board.DestroyAll();

    TMessageEntry& entry = list.Entry(0);
    entry.Record.IncType = 1;
    entry.Record.NextWarn = env.now - 0.01;
    PopupCounter counter;
    WarningPopups popups;
    EXPECT_TRUE(HandOverForScreenshot(folder, "popup", {popups.Open(entry, counter).Handle()}));
}

} // namespace
} // namespace zandrel::testing
