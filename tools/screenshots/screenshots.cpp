// Pictures of the program's windows, taken from outside by
// scripts/take_screenshots.sh on a virtual display: two stickers, a warning
// pop-up, both About windows, the catalog's preview at two zooms, a hint over
// the main window, the message editor, and the main window over two stickers
// at the system's DPI. Each scene puts its windows on the screen and hands
// them over: FOLDER/NAME.ready once they have painted, then it waits for
// FOLDER/NAME.taken. The outside world is the tests' fake, so the dates
// shown are the same at every run.
// Usage: screenshots FOLDER
#include "alarms/warning_popups.h"
#include "catalog/tests/catalog_messages.h"
#include "extras/CoolHint.h"
#include "extras/about.h"
#include "extras/about2.h"
#include "framework/application.h"
#include "framework/dpi.h"
#include "framework/report/report_preview.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/comune.h"
#include "resources/form_main.h"
#include "resources/resource_names.h"
#include "stickers/sticker_board.h"
#include "tools/screenshots/main_window_stage.h"

#include <commctrl.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace zandrel::screenshots {
namespace {

namespace fs = std::filesystem;
using testing::FakeEnvironment;
using testing::HandOverForScreenshot;
using testing::PumpMessages;
using testing::PumpUntil;

constexpr char kTwoLines[] = "{\\rtf1\\ansi Call the dentist\\par before Friday, 9:30}";

void Command(const TFormMain& form, const char* menuItem) {
    SendMessageA(form.Handle(), WM_COMMAND, form.FindMenuItem(menuItem).Id(), 0);
}

// As the toolbar reports a click on one of its buttons.
void Press(const TFormMain& form, const char* button) {
    const HWND toolBar = form.Find(form_main::ToolBar1).Handle();
    SendMessageA(GetParent(toolBar), WM_COMMAND,
                 MAKEWPARAM(form.FindToolButton(button).Id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(toolBar));
}

// A sticker that is due in a day and one whose moment has passed, on a grey
// desktop so that the black outlines show where the shapes end; then the
// warning pop-up of the first.
bool StickersAndPopup(const fs::path& folder, FakeEnvironment& env) {
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
    bool handed = HandOverForScreenshot(folder, "stickers", stickers);
    board.DestroyAll();

    TMessageEntry& entry = list.Entry(0);
    entry.Record.IncType = 1;
    entry.Record.NextWarn = env.now - 0.01;
    PopupCounter counter;
    WarningPopups popups;
    return HandOverForScreenshot(folder, "popup", {popups.Open(entry, counter).Handle()}) && handed;
}

// The About window with its marquee a little way in, then the window with
// the whole text.
bool AboutWindows(const fs::path& folder, FakeEnvironment&) {
    TFormAbout about;
    ShowWindow(about.Handle(), SW_SHOW);
    bool handed = PumpUntil([&] { return about.AboutMarquee().Offset() >= 90; }) &&
                  HandOverForScreenshot(folder, "about", {about.Handle()});
    ShowWindow(about.Handle(), SW_HIDE);

    TFormAbout2 about2;
    about2.ShowLines(about.AboutMarquee().Items());
    ShowWindow(about2.Handle(), SW_SHOW);
    return HandOverForScreenshot(folder, "about2", {about2.Handle()}) && handed;
}

// The catalog of three messages in the preview over the whole screen: the
// whole page, then the page's width.
bool ReportPreviewPages(const fs::path& folder, FakeEnvironment& env) {
    MainWindowStage stage;
    {
        MessageList list(stage.DataFile());
        testing::AddCatalogMessages(list, env, 3);
    }
    TFormMain& form = stage.Start();
    form.ShowAtStart();
    bool handed = false;
    const testing::MenuWatcher inside(
        [&](HWND window) {
            auto& preview = dynamic_cast<ReportPreview&>(*Window::FromHandle(window));
            preview.SetZoom(ReportPreview::Zoom::WholePage);
            SetWindowPos(preview.Handle(), HWND_TOP, 0, 0, 1024, 768, SWP_SHOWWINDOW);
            PumpMessages();
            handed = HandOverForScreenshot(folder, "report_preview", {preview.Handle()});
            preview.SetZoom(ReportPreview::Zoom::PageWidth);
            PumpMessages();
            handed =
                HandOverForScreenshot(folder, "report_preview_width", {preview.Handle()}) && handed;
            preview.Close();
        },
        "Zandrel.ReportPreview");
    Command(form, form_main::Report2);
    return handed;
}

// The main window as the tray shows it, hints on, the pointer resting on
// the command toolbar's Add.
bool HintOverAToolbarButton(const fs::path& folder, FakeEnvironment&) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    MainWindowStage stage;
    TFormMain& form = stage.Start();
    form.ShowMainWindow();
    PumpMessages();
    Command(form, form_main::ShowHint1);

    const HWND bar = form.Find(form_main::ToolBar1).Handle();
    RECT place{};
    SendMessageA(bar, TB_GETRECT, form.FindToolButton(form_main::ToolButton_addMsg).Id(),
                 reinterpret_cast<LPARAM>(&place));
    POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    ClientToScreen(bar, &centre);
    SetCursorPos(centre.x, centre.y);
    const HintWindow& hint = *App().Hints().CurrentWindow();
    return PumpUntil([&] {
               return IsWindowVisible(hint.Handle()) &&
                      hint.Text() == "Add the current message to the list";
           }) &&
           HandOverForScreenshot(folder, "hint", {form.Handle(), hint.Handle()});
}

// The editor with a new message being written after one stored with
// addresses.
bool Editor(const fs::path& folder, FakeEnvironment& env) {
    MainWindowStage stage;
    {
        MessageList list(stage.DataFile());
        TMessageEntry& entry = list.New(env, "{\\rtf1 first}");
        entry.Addresses = {"anna@example.org", "team@example.org"};
        entry.SetIncType(2, env);
        list.SaveMessages();
    }
    TFormMain& form = stage.Start();
    form.ShowAtStart();
    form.ShowMainWindow();
    env.now += 1.0 / 1440;
    Press(form, form_main::ToolButton_newMsg);
    Press(form, form_main::ToolButton3);
    form.Find(form_main::RichEditText).SetText("Dentist at 10:30\r\nBring the insurance card.");
    return HandOverForScreenshot(folder, "editor", {form.Handle()});
}

// The main window over two stickers of two-line notes, at the system's DPI.
bool MainWindowAndStickers(const fs::path& folder, FakeEnvironment& env) {
    MainWindowStage stage;
    MainWindowStage::SetPreference("DefaultClientHeight", "normal");
    {
        MessageList list(stage.DataFile());
        for (int i = 0; i < 2; ++i) {
            env.now += 0.01;
            list.New(env, "{\\rtf1\\ansi Call the dentist\\par before Friday}");
        }
    }
    env.now += 0.01; // both have started
    TFormMain& form = stage.Start();
    form.ShowMainWindow();
    PumpMessages();
    return HandOverForScreenshot(folder, "main_window_and_stickers_" + std::to_string(SystemDpi()),
                                 {form.Handle(), form.Stickers().Find("Memo_0")->Handle(),
                                  form.Stickers().Find("Memo_1")->Handle()});
}

} // namespace
} // namespace zandrel::screenshots

int main(int argc, char** argv) {
    using namespace zandrel::screenshots;
    if (argc != 2) {
        std::fprintf(stderr, "Usage: screenshots FOLDER\n");
        return 2;
    }
    const fs::path folder(argv[1]);
    const zandrel::ComApartment com;
    FakeEnvironment env;
    zandrel::Application application(env, GetModuleHandleA(nullptr));
    zandrel::InstallCoolHint(application);

    const struct {
        const char* name;
        bool (*take)(const fs::path&, FakeEnvironment&);
    } scenes[] = {{"stickers and pop-up", StickersAndPopup},
                  {"About windows", AboutWindows},
                  {"catalog preview", ReportPreviewPages},
                  {"hint", HintOverAToolbarButton},
                  {"editor", Editor},
                  {"main window and stickers", MainWindowAndStickers}};
    int failed = 0;
    for (const auto& scene : scenes) {
        env.Reset();
        if (!scene.take(folder, env)) {
            std::fprintf(stderr,
                         "No picture of the %s: the windows did not paint or were not "
                         "taken in time\n",
                         scene.name);
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
