// Every place where the program waits in a modal loop (a box, a dialog, a
// call into another service, a modal window), each met by what a live program
// meets while it waits: Shutdown from the tray, the end of the session,
// Refresh, New, a timer tick, and "Report" and About from the tray. The
// handler under the loop must find its list intact afterwards, no error may
// show, the files stay a complete pair, a modal window stays open through
// all but the end, and Shutdown or the session's end closes the place as
// Cancel, No or Close would and ends the program. New modal places join the
// table below.
#include "alarms/blueChip.h"
#include "alarms/tests/mail_window_support.h"
#include "extras/about.h"
#include "framework/application.h"
#include "framework/report/report_preview.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_blue.h"
#include "resources/form_main.h"
#include "resources/form_memo.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>

namespace zandrel::testing {
namespace {

namespace fs = std::filesystem;
constexpr TDateTime kSecond = 1.0 / 86400;
using BoxKind = enum ShownBox::Kind;

enum class Place {
    DeleteConfirmation,
    StartupErrorBox,
    ColourDialog,
    StandInModalCall,
    MailServiceDialog,
    // Modal windows, opened from the tray with the main window hidden and a
    // sticker the last window the user clicked.
    About,
    AboutText,
    Preview,
    PrintDialog
};
enum class Intrusion { Shutdown, EndSession, Refresh, New, TimerTick, TrayReport, TrayAbout };

struct ModalCase {
    Place place;
    Intrusion intrusion;
};

std::string CaseName(const ::testing::TestParamInfo<ModalCase>& info) {
    static const char* const places[] = {"DeleteConfirmation", "StartupErrorBox",   "ColourDialog",
                                         "StandInModalCall",   "MailServiceDialog", "About",
                                         "AboutText",          "Preview",           "PrintDialog"};
    static const char* const intrusions[] = {"Shutdown",  "EndSession", "Refresh",  "New",
                                             "TimerTick", "TrayReport", "TrayAbout"};
    return std::string(places[int(info.param.place)]) + "_" + intrusions[int(info.param.intrusion)];
}

constexpr char kAboutClass[] = "Zandrel.TFormAbout";
constexpr char kAboutTextClass[] = "Zandrel.TFormAbout2";
constexpr char kPreviewClass[] = "Zandrel.ReportPreview";

// The visible top-level windows of a class, of this program or another.
std::vector<HWND> VisibleWindows(const char* className, DWORD process = GetCurrentProcessId()) {
    std::vector<HWND> found;
    for (HWND window = FindWindowExA(nullptr, nullptr, className, nullptr); window;
         window = FindWindowExA(nullptr, window, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window)) {
            found.push_back(window);
        }
    }
    return found;
}

HWND VisibleWindow(const char* className, DWORD process = GetCurrentProcessId()) {
    const std::vector<HWND> found = VisibleWindows(className, process);
    return found.empty() ? nullptr : found.front();
}

std::string FileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The main window over three stored messages, in a scratch folder.
class MainWindowWithMessages : public MainWindowFixture {
protected:
    // Three messages whose start moments have just passed, so that a tick
    // rebuilds every sticker (and moves the current message to the last);
    // the first one with a pending notification if asked.
    void StoreMessages(bool firstNotifies = false) {
        FakeEnvironment& env = TestEnvironment();
        MessageList list(dataFile_);
        for (int i = 0; i < 3; ++i) {
            EditorValues values;
            values.StartDate = env.now - 10 * kSecond;
            values.AlarmDate = env.now + 1;
            values.RichText = "{\\rtf1 message " + std::to_string(i) + "}";
            if (firstNotifies && i == 0) {
                values.Notify = true;
                values.Addresses = {"someone@example.org"};
            }
            env.now += 0.001 * kSecond;
            list.Add(env, values);
            keys_.push_back(list.Key(list.Count() - 1));
        }
    }

    std::vector<std::string> StoredKeys() const {
        MessageList list(dataFile_);
        list.LoadMessages(TestEnvironment());
        std::vector<std::string> keys;
        for (std::size_t i = 0; i < list.Count(); ++i) {
            keys.push_back(list.Key(i));
        }
        return keys;
    }

    std::vector<std::int32_t> StoredNotify() const { return testing::StoredNotify(dataFile_); }

    // The main window by its class: during the start its object is not yet
    // the test's.
    static TFormMain& MainForm() {
        return dynamic_cast<TFormMain&>(
            *Window::FromHandle(FindWindowA("Zandrel.TFormMain", nullptr)));
    }

    static void Press(TFormMain& form, const char* toolBar, const char* button) {
        PressToolButton(form, button, toolBar);
    }

    static void Command(TFormMain& form, const char* menuItem) {
        SendMessageA(form.Handle(), WM_COMMAND, form.FindMenuItem(menuItem).Id(), 0);
    }

    static std::vector<HWND> StickerWindows(const TFormMain& form) {
        std::vector<HWND> windows;
        for (const auto& sticker : form.Stickers().Stickers()) {
            windows.push_back(sticker->Handle());
        }
        return windows;
    }

    std::vector<std::string> keys_;
    const StandInMailService* mailService_ = nullptr;
};

class ModalPlacesTest : public MainWindowWithMessages,
                        public ::testing::WithParamInterface<ModalCase> {
protected:
    bool Ending() const {
        return GetParam().intrusion == Intrusion::Shutdown ||
               GetParam().intrusion == Intrusion::EndSession;
    }

    // What the user or the system does while the loop runs, with what the
    // program shows for it at that moment.
    void Intrude() {
        intruding_ = true;
        TFormMain& form = MainForm();
        window_ = form.Handle();
        placeWindow_ = app_.ModalOwner() == window_ ? nullptr : app_.ModalOwner();
        stickersBefore_ = StickerWindows(form);
        const std::size_t beeps = TestEnvironment().beeps.size();
        const std::size_t previews = VisibleWindows(kPreviewClass).size();
        switch (GetParam().intrusion) {
        case Intrusion::Shutdown:
            Command(form, form_main::Shutdown1);
            EXPECT_TRUE(IsWindow(window_)) << "the end waits for the handler under the loop";
            break;
        case Intrusion::EndSession:
            SendMessageA(window_, WM_ENDSESSION, TRUE, 0);
            EXPECT_FALSE(form.Tray().Added()) << "removed before it returned";
            EXPECT_EQ(std::ranges::count(TestEnvironment().sounds, "Complete"), 1);
            if (GetParam().place == Place::MailServiceDialog) {
                EXPECT_EQ(StoredNotify(), (std::vector<std::int32_t>{0, 0, 0})) << "stored at once";
            }
            break;
        case Intrusion::Refresh:
            Press(form, form_main::ToolBar1, form_main::ToolButton_refresh);
            EXPECT_EQ(StickerWindows(form), stickersBefore_) << "Refresh is refused";
            break;
        case Intrusion::New:
            Press(form, form_main::ToolBar1, form_main::ToolButton_newMsg);
            EXPECT_EQ(form.Messages().Count(), loadedCount_) << "New is refused";
            break;
        case Intrusion::TimerTick:
            SendMessageA(window_, WM_TIMER, form.FindTimer(form_main::Timer1).Id(), 0);
            break;
        case Intrusion::TrayReport:
            Command(form, form_main::Report1);
            EXPECT_EQ(VisibleWindows(kPreviewClass).size(), previews) << "no preview opens";
            break;
        case Intrusion::TrayAbout:
            Command(form, form_main::About1);
            if (GetParam().place == Place::About || GetParam().place == Place::AboutText) {
                EXPECT_EQ(nestedAboutOwner_, nullptr) << "no second About";
            } else {
                EXPECT_EQ(nestedAboutOwner_, placeWindow_ ? placeWindow_ : window_);
                EXPECT_FALSE(IsWindowVisible(window_)) << "not back while the place is open";
            }
            break;
        }
        const bool refused = GetParam().intrusion == Intrusion::Refresh ||
                             GetParam().intrusion == Intrusion::New ||
                             GetParam().intrusion == Intrusion::TrayReport;
        EXPECT_EQ(TestEnvironment().beeps.size(), beeps + (refused ? 1 : 0));
        if (placeWindow_) {
            EXPECT_EQ(bool(IsWindowVisible(placeWindow_)), !Ending()) << "open until the end";
        }
        for (const HWND sticker : StickerWindows(form)) {
            EXPECT_TRUE(IsWindowEnabled(sticker)) << "only the main window is disabled";
        }
        intruding_ = false;
        ++intrusions_;
    }

    // From a timer, inside whatever loop runs: opens the inner part of a
    // window place and intrudes there once, closes an About that the
    // intrusion opened, and afterwards closes the place, innermost first.
    bool Drive() {
        const HWND about = VisibleWindow(kAboutClass);
        if (intruding_) {
            if (about && about != placeWindow_ && !nestedAboutOwner_) {
                nestedAboutOwner_ = GetWindow(about, GW_OWNER);
                PostMessageA(about, WM_CLOSE, 0, 0);
            }
            return false;
        }
        const HWND text = VisibleWindow(kAboutTextClass);
        const HWND preview = VisibleWindow(kPreviewClass);
        if (intrusions_ > 0) {
            if (const HWND open = text ? text : about ? about : preview; open && !Ending()) {
                PostMessageA(open, WM_CLOSE, 0, 0);
            }
            return false;
        }
        const Place place = GetParam().place;
        if ((place == Place::About && about) || (place == Place::AboutText && text) ||
            (place == Place::Preview && preview)) {
            Intrude();
        } else if (place == Place::AboutText && about && !std::exchange(opening_, true)) {
            const auto& form = dynamic_cast<const TFormAbout&>(*Window::FromHandle(about));
            SendMessageA(form.AboutMarquee().Handle(), WM_LBUTTONDBLCLK, 0, 0);
        } else if (place == Place::PrintDialog && preview && !std::exchange(opening_, true)) {
            // Print...: the print dialog intrudes.
            const auto& form = dynamic_cast<const ReportPreview&>(*Window::FromHandle(preview));
            const HWND print = form.Find(form_preview::btnPrint).Handle();
            SendMessageA(preview, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(print), BN_CLICKED),
                         reinterpret_cast<LPARAM>(print));
        }
        return false;
    }

    // Opens the place, intrudes while it is open, and returns the boxes the
    // place itself shows.
    std::vector<BoxKind> OpenPlace() {
        FakeEnvironment& env = TestEnvironment();
        switch (GetParam().place) {
        case Place::DeleteConfirmation:
            Start();
            loadedCount_ = 3;
            env.onConfirm = [this](const std::string&) { Intrude(); };
            Press(*form_, form_main::ToolBar1, form_main::ToolButton_delMsg);
            return {ShownBox::Confirmation};
        case Place::StartupErrorBox:
            loadedCount_ = 2;
            env.onError = [this](const std::string&) {
                if (intrusions_ == 0 && !intruding_) {
                    Intrude();
                }
            };
            Start();
            return {ShownBox::Error};
        case Place::ColourDialog:
            Start();
            loadedCount_ = 3;
            form_->Formatting().ColorDialog1.Picker = [this](HWND, COLORREF) {
                Intrude();
                return std::optional<COLORREF>(RGB(255, 0, 0));
            };
            Press(*form_, form_main::ToolBar, form_main::ColorButton);
            return {};
        case Place::StandInModalCall:
            Start();
            loadedCount_ = 3;
            app_.RunModal([this] { Intrude(); });
            return {};
        case Place::MailServiceDialog:
            // The start's first rebuild sends the notification; the mail
            // service holds its compose dialog open while the call lasts.
            loadedCount_ = 3;
            mailService_ = &UseMailService<StandInMailService>();
            sending_ = this;
            mailService_->standIn.OnCall([] {
                if (sending_->intrusions_ == 0 && !sending_->intruding_ &&
                    sending_->mailService_->standIn.Log().back().starts_with("MAPISendMail")) {
                    sending_->Intrude();
                }
            });
            Start();
            return {};
        default:
            // A screen smaller than the preview: each window opens with its
            // caption and close box on it.
            env.screen = {640, 480};
            Start();
            loadedCount_ = 3;
            env.printCancelled = true;
            env.onChoosePrinter = [this] { Intrude(); };
            Command(*form_, form_main::Close2);
            SetForegroundWindow(StickerWindows(*form_).back());
            Command(*form_,
                    GetParam().place <= Place::AboutText ? form_main::About1 : form_main::Report1);
            return {};
        }
    }

    static inline ModalPlacesTest* sending_ = nullptr;
    HWND window_ = nullptr;
    HWND placeWindow_ = nullptr;
    HWND nestedAboutOwner_ = nullptr;
    std::vector<HWND> stickersBefore_;
    std::size_t loadedCount_ = 0;
    int intrusions_ = 0;
    bool intruding_ = false;
    bool opening_ = false;
};

TEST_P(ModalPlacesTest, TheSuspendedHandlerFindsItsListAndTheEndClosesThePlace) {
    StoreMessages(GetParam().place == Place::MailServiceDialog);
    if (GetParam().place == Place::StartupErrorBox) {
        fs::resize_file(dataFile_, fs::file_size(dataFile_) - 100);
    }
    ScratchSettings::Set("SoundEnabled", "true");
    const std::string dataBefore = FileBytes(dataFile_);
    const std::string memoBefore = FileBytes(folder_.Path() / "ZandrelData_Memo.dat");

    const InsideLoop driver([this] { return Drive(); });
    std::vector<BoxKind> expectedBoxes = OpenPlace();
    PumpMessages();
    ASSERT_EQ(intrusions_, 1);
    if (placeWindow_) {
        RECT place{};
        GetWindowRect(placeWindow_, &place);
        EXPECT_GE(place.top, 0);
        EXPECT_LE(place.right, 640);
    }

    std::vector<BoxKind> shown;
    for (const ShownBox& box : TestEnvironment().boxes) {
        shown.push_back(box.Kind);
    }
    EXPECT_EQ(shown, expectedBoxes) << "no error box besides the place's own";

    if (Ending()) {
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window_); }));
        EXPECT_TRUE(app_.Terminated());
        ASSERT_FALSE(TestEnvironment().sounds.empty());
        EXPECT_EQ(TestEnvironment().sounds.back(), "Complete");
        EXPECT_EQ(std::ranges::count(TestEnvironment().sounds, "Complete"), 1);
    } else {
        EXPECT_TRUE(IsWindow(window_));
        EXPECT_FALSE(app_.Terminated());
        EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window_); })) << "back at the end";
    }
    EXPECT_EQ(VisibleWindows(kAboutClass).size() + VisibleWindows(kAboutTextClass).size() +
                  VisibleWindows(kPreviewClass).size(),
              0u);

    // Both files form a complete pair holding what the place's own command
    // left: Delete removed the message shown when it began unless the end
    // answered its question, the sent notification is stored as done,
    // nothing else wrote.
    if (GetParam().place == Place::DeleteConfirmation && !Ending()) {
        EXPECT_EQ(StoredKeys(), std::vector<std::string>(keys_.begin() + 1, keys_.end()));
    } else if (GetParam().place == Place::MailServiceDialog) {
        EXPECT_EQ(StoredKeys(), keys_);
        EXPECT_EQ(StoredNotify(), (std::vector<std::int32_t>{0, 0, 0}));
    } else {
        EXPECT_TRUE(FileBytes(dataFile_) == dataBefore);
        EXPECT_TRUE(FileBytes(folder_.Path() / "ZandrelData_Memo.dat") == memoBefore);
    }
}

std::vector<ModalCase> AllCases() {
    std::vector<ModalCase> cases;
    for (int place = 0; place <= int(Place::PrintDialog); ++place) {
        for (int intrusion = 0; intrusion <= int(Intrusion::TrayAbout); ++intrusion) {
            cases.push_back({Place(place), Intrusion(intrusion)});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryPlace, ModalPlacesTest, ::testing::ValuesIn(AllCases()), CaseName);

// A sticker's own loops: its drag and the shell call of its folded corner.
using StickerLoopTest = MainWindowWithMessages;

TEST_F(StickerLoopTest, ATickDuringADragRebuildsOnlyOnceTheDragHasEnded) {
    StoreMessages();
    Start();
    TFormMain& form = *form_;
    const std::vector<HWND> before = StickerWindows(form);
    const HWND dragged = before.back();
    form.Messages().CurrentIndex = 0;

    SendMessageA(dragged, WM_ENTERSIZEMOVE, 0, 0);
    SendMessageA(form.Handle(), WM_TIMER, form.FindTimer(form_main::Timer1).Id(), 0);
    PumpMessages();
    EXPECT_EQ(form.Messages().CurrentIndex, 0);

    SendMessageA(dragged, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return form.Messages().CurrentIndex == 2; }))
        << "the rebuild came after";
    EXPECT_EQ(StickerWindows(form), before);
    EXPECT_TRUE(TestEnvironment().boxes.empty());
}

TEST_F(StickerLoopTest, ADoubleClickOnAStickerBringsUpTheEditorWithItsHints) {
    StoreMessages();
    Start();
    TFormMain& form = *form_;
    SendMessageA(form.Handle(), WM_COMMAND, form.FindMenuItem(form_main::Close2).Id(), 0);
    const HWND sticker = StickerWindows(form).back();

    app_.RunModal([&] { SendMessageA(sticker, WM_LBUTTONDBLCLK, 0, MAKELPARAM(40, 60)); });
    EXPECT_FALSE(form.Visible()) << "refused while a box is open";

    SendMessageA(sticker, WM_LBUTTONDBLCLK, 0, MAKELPARAM(40, 60));
    EXPECT_TRUE(form.Visible());
    app_.SetHint("Short|The long part");
    EXPECT_EQ(form.Find<StatusBar>(form_main::StatusBar1).PanelText(2), "The long part");
}

// Modal windows opened from the tray while the main window is hidden.
using ModalWindowTest = MainWindowWithMessages;

// Minimised, About has no task-bar button and the main window is hidden: the
// tray icon's double-click restores it, and so does a refused "Setup..."
// after its beep. Esc closes it.
TEST_F(ModalWindowTest, AMinimisedAboutComesBackFromTheTrayAndEscClosesIt) {
    Start();
    TFormMain& form = *form_;
    Command(form, form_main::Close2);
    std::vector<std::size_t> beeps;
    bool escSent = false;
    bool escFailed = false;
    const InsideLoop driver([&] {
        const HWND about = VisibleWindow(kAboutClass);
        if (!about) {
            return false;
        }
        if (beeps.size() < 2) {
            ShowWindow(about, SW_MINIMIZE);
            const std::size_t before = TestEnvironment().beeps.size();
            if (beeps.empty()) {
                SendMessageA(form.Handle(), TrayIcon::kCallbackMessage, 0, WM_LBUTTONDBLCLK);
            } else {
                Command(form, form_main::Setup1);
            }
            beeps.push_back(TestEnvironment().beeps.size() - before);
            EXPECT_FALSE(IsIconic(about));
            EXPECT_FALSE(form.Visible());
            return false;
        }
        if (!std::exchange(escSent, true)) {
            MSG escape{about, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
            app_.ProcessMessage(escape);
            return false;
        }
        escFailed = true; // still open: the test fails, not hangs
        PostMessageA(about, WM_CLOSE, 0, 0);
        return true;
    });
    Command(form, form_main::About1);
    EXPECT_EQ(beeps, (std::vector<std::size_t>{0, 1}));
    EXPECT_TRUE(escSent);
    EXPECT_FALSE(escFailed);
}

// Inside About's loop (About chosen from the tray), every bound command of
// the main window's menus, tray menu, toolbars and controls, of the stickers
// and of a warning pop-up, run as the user runs it: the refused ones beep
// and change nothing, the others run without a beep, and About never opens
// twice. Shutdown comes last and ends it all.
TEST_F(ModalWindowTest, EveryBoundCommandRunsOrIsRefusedAsDeclared) {
    StoreMessages();
    Start();
    TFormMain& form = *form_;
    form.Formatting().ColorDialog1.Picker = [](HWND, COLORREF) { return std::nullopt; };
    TFormBlue popup;
    Command(form, form_main::Close2);
    namespace on = form_main::on;
    const std::set<std::string> refused = {on::ToolButton_newMsgClick,
                                           on::btnAddClick,
                                           on::btnReplaceClick,
                                           on::btnDeleteClick,
                                           on::BtnRefreshClick,
                                           on::ExpandChild,
                                           on::Setup1Click,
                                           on::sbPrintReportClick,
                                           on::sb_newMailClick,
                                           on::Find1Click,
                                           form_memo::on::FormDblClick};
    std::vector<std::string> walked;
    std::vector<std::string> wrong; // not as declared
    const auto walk = [&](const std::string& handler, const std::function<void()>& run) {
        const std::size_t beeps = TestEnvironment().beeps.size();
        const std::vector<HWND> stickers = StickerWindows(form);
        run();
        const bool beeped = TestEnvironment().beeps.size() != beeps;
        if (beeped != refused.contains(handler) || (beeped && StickerWindows(form) != stickers) ||
            form.Messages().Count() != 3 || VisibleWindows(kAboutClass).size() != 1) {
            wrong.push_back(handler);
        }
        walked.push_back(handler);
    };
    const InsideLoop driver([&] {
        if (!VisibleWindow(kAboutClass)) {
            return false;
        }
        for (const char* menu : {form_main::MainMenu1, form_main::PopupMenu1}) {
            for (const auto& item : form.FindMenu(menu).Items()) {
                if (item->HandlerName() != on::ShutdownClick) {
                    walk(item->HandlerName(), [&] { Command(form, item->Name().c_str()); });
                }
            }
        }
        for (const ComponentDescription& component : form.Description().Components) {
            for (const ToolButtonDescription& button : component.Buttons) {
                if (!button.OnClick.empty()) {
                    walk(button.OnClick,
                         [&] { Press(form, component.Name.c_str(), button.Name.c_str()); });
                }
            }
            Control& control = form.Find(component.Name);
            const std::pair<const EventHandler*, const std::string*> events[] = {
                {&control.OnClick, &component.OnClick},
                {&control.OnDblClick, &component.OnDblClick},
                {&control.OnChange, &component.OnChange},
                {&control.OnMouseMove, &component.OnMouseMove}};
            for (const auto& [handler, name] : events) {
                if (*handler) {
                    walk(*name, [&] {
                        Event event{&control};
                        (*handler)(event);
                    });
                }
            }
        }
        for (const HWND sticker : StickerWindows(form)) {
            walk(form_memo::on::FormDblClick,
                 [&] { SendMessageA(sticker, WM_LBUTTONDBLCLK, 0, MAKELPARAM(40, 60)); });
        }
        walk(form_blue::on::FormClose, [&] { SendMessageA(popup.Handle(), WM_CLOSE, 0, 0); });
        Command(form, form_main::Shutdown1);
        return true;
    });
    Command(form, form_main::About1);

    EXPECT_EQ(wrong, std::vector<std::string>{});
    EXPECT_GE(walked.size(), 40u);
    EXPECT_EQ(popup.Handle(), nullptr) << "the pop-up closed";
    EXPECT_TRUE(PumpUntil([&] { return app_.Terminated(); }));
    for (const ShownBox& box : TestEnvironment().boxes) {
        EXPECT_NE(box.Kind, ShownBox::Error) << box.Text;
    }
}

// The program itself, ended from its tray menu while the catalog's preview
// is open: it ends within seconds and cleanly. The test
// no_access_violation_at_exit runs this one under Wine's exception trace and
// fails on an access violation anywhere, the program's exit included.
TEST_F(ModalWindowTest, TheProgramEndsCleanlyFromItsOpenPreview) {
    StoreMessages();
    Start(); // the menu's identifiers, as the program gives them
    const UINT report = form_->FindMenuItem(form_main::Report1).Id();
    const UINT shutdown = form_->FindMenuItem(form_main::Shutdown1).Id();
    const test::TempFolder programFolder;
    for (const fs::path& file : {fs::path(ZANDREL_EXE), folder_.Path() / "ZandrelData.dat",
                                 folder_.Path() / "ZandrelData_Memo.dat"}) {
        fs::copy_file(file, programFolder.Path() / file.filename());
    }
    std::string commandLine = "\"" + programFolder.File("zandrel.exe") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &started));
    CloseHandle(started.hThread);
    struct Program {
        HANDLE process;
        ~Program() {
            if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process, 1);
            }
            CloseHandle(process);
        }
    } const program{started.hProcess};

    HWND main = nullptr;
    ASSERT_TRUE(
        PumpUntil([&] { return (main = VisibleWindow("Zandrel.TFormMain", started.dwProcessId)); },
                  std::chrono::seconds(30)));
    PostMessageA(main, WM_COMMAND, report, 0);
    ASSERT_TRUE(
        PumpUntil([&] { return VisibleWindow(kPreviewClass, started.dwProcessId) != nullptr; },
                  std::chrono::seconds(30)));
    PostMessageA(main, WM_COMMAND, shutdown, 0);
    ASSERT_EQ(WaitForSingleObject(program.process, 5000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(program.process, &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

} // namespace
} // namespace zandrel::testing
