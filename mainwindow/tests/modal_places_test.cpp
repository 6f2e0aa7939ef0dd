// Every place where the program waits in a modal loop (a box, a dialog, a
// call into another service), each met by what a live program meets while it
// waits: Shutdown from the tray, Refresh, New and a timer tick. The handler
// under the loop must find its list intact afterwards, no error may show, the
// files stay a complete pair, and a Shutdown chosen meanwhile ends the
// program once the loop is over. New modal places join the table below.
#include "alarms/tests/mail_window_support.h"
#include "framework/application.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_main.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

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
    MailServiceDialog
};
enum class Intrusion { Shutdown, Refresh, New, TimerTick };

struct ModalCase {
    Place place;
    Intrusion intrusion;
};

std::string CaseName(const ::testing::TestParamInfo<ModalCase>& info) {
    static const char* const places[] = {"DeleteConfirmation", "StartupErrorBox", "ColourDialog",
                                         "StandInModalCall", "MailServiceDialog"};
    static const char* const intrusions[] = {"Shutdown", "Refresh", "New", "TimerTick"};
    return std::string(places[int(info.param.place)]) + "_" + intrusions[int(info.param.intrusion)];
}

std::string FileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The main window over three stored messages, in a scratch folder.
class MainWindowWithMessages : public ::testing::Test {
protected:
    MainWindowWithMessages() {
        TestEnvironment().Reset();
        dataFile_ = folder_.File("ZandrelData.dat");
    }
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

    void Start() {
        form_ = std::make_unique<TFormMain>(*mapi_, dataFile_, ScratchSettings::Store());
        form_->ShowAtStart();
        PumpMessages();
    }

    // The main window by its class: during the start its object is not yet
    // the test's.
    static TFormMain& MainForm() {
        return dynamic_cast<TFormMain&>(
            *Window::FromHandle(FindWindowA("Zandrel.TFormMain", nullptr)));
    }

    static void Press(TFormMain& form, const char* toolBar, const char* button) {
        const HWND bar = form.Find(toolBar).Handle();
        SendMessageA(GetParent(bar), WM_COMMAND,
                     MAKEWPARAM(form.FindToolButton(button).Id(), BN_CLICKED),
                     reinterpret_cast<LPARAM>(bar));
    }

    static std::vector<HWND> StickerWindows(const TFormMain& form) {
        std::vector<HWND> windows;
        for (const auto& sticker : form.Stickers().Stickers()) {
            windows.push_back(sticker->Handle());
        }
        return windows;
    }

    const ScratchSettings settings_;
    Application app_{TestEnvironment(), GetModuleHandleA(nullptr)};
    const test::TempFolder folder_;
    std::string dataFile_;
    std::vector<std::string> keys_;
    const MapiLibrary noMailService_;
    std::optional<StandInMailService> mailService_;
    const MapiLibrary* mapi_ = &noMailService_;
    std::unique_ptr<TFormMain> form_;
};

class ModalPlacesTest : public MainWindowWithMessages,
                        public ::testing::WithParamInterface<ModalCase> {
protected:
    // What the user or the system does while the loop runs, with what the
    // program shows for it at that moment.
    void Intrude() {
        TFormMain& form = MainForm();
        window_ = form.Handle();
        stickersBefore_ = StickerWindows(form);
        switch (GetParam().intrusion) {
        case Intrusion::Shutdown:
            SendMessageA(window_, WM_COMMAND, form.FindMenuItem(form_main::Shutdown1).Id(), 0);
            EXPECT_TRUE(IsWindow(window_)) << "Shutdown waits for the loop";
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
        }
        ++intrusions_;
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
                if (intrusions_ == 0) {
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
            mailService_.emplace();
            mapi_ = &mailService_->mapi;
            sending_ = this;
            mailService_->standIn.OnCall([] {
                if (sending_->intrusions_ == 0 &&
                    sending_->mailService_->standIn.Log().back().starts_with("MAPISendMail")) {
                    sending_->Intrude();
                }
            });
            Start();
            return {};
        }
        return {};
    }

    static inline ModalPlacesTest* sending_ = nullptr;
    HWND window_ = nullptr;
    std::vector<HWND> stickersBefore_;
    std::size_t loadedCount_ = 0;
    int intrusions_ = 0;
};

TEST_P(ModalPlacesTest, TheSuspendedHandlerFindsItsListAndShutdownWaits) {
    StoreMessages(GetParam().place == Place::MailServiceDialog);
    if (GetParam().place == Place::StartupErrorBox) {
        fs::resize_file(dataFile_, fs::file_size(dataFile_) - 100);
    }
    ScratchSettings::Set("SoundEnabled", "true");
    const std::string dataBefore = FileBytes(dataFile_);
    const std::string memoBefore = FileBytes(folder_.Path() / "ZandrelData_Memo.dat");

    std::vector<BoxKind> expectedBoxes = OpenPlace();
    PumpMessages();
    ASSERT_EQ(intrusions_, 1);

    std::vector<BoxKind> shown;
    for (const ShownBox& box : TestEnvironment().boxes) {
        shown.push_back(box.Kind);
    }
    EXPECT_EQ(shown, expectedBoxes) << "no error box besides the place's own";

    if (GetParam().intrusion == Intrusion::Shutdown) {
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window_); }));
        EXPECT_TRUE(app_.Terminated());
        ASSERT_FALSE(TestEnvironment().sounds.empty());
        EXPECT_EQ(TestEnvironment().sounds.back(), "Complete");
    } else {
        EXPECT_TRUE(IsWindow(window_));
        EXPECT_FALSE(app_.Terminated());
    }
    if (GetParam().intrusion == Intrusion::Refresh || GetParam().intrusion == Intrusion::New) {
        EXPECT_FALSE(TestEnvironment().beeps.empty()) << "a refused command beeps";
    }

    // Both files form a complete pair holding what the place's own command
    // left: Delete removed the message shown when it began, the sent
    // notification is stored as done, nothing else wrote.
    if (GetParam().place == Place::DeleteConfirmation) {
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
    for (const Place place :
         {Place::DeleteConfirmation, Place::StartupErrorBox, Place::ColourDialog,
          Place::StandInModalCall, Place::MailServiceDialog}) {
        for (const Intrusion intrusion :
             {Intrusion::Shutdown, Intrusion::Refresh, Intrusion::New, Intrusion::TimerTick}) {
            cases.push_back({place, intrusion});
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

    SendMessageA(dragged, WM_ENTERSIZEMOVE, 0, 0);
    SendMessageA(form.Handle(), WM_TIMER, form.FindTimer(form_main::Timer1).Id(), 0);
    PumpMessages();
    EXPECT_TRUE(IsWindow(dragged));
    EXPECT_EQ(StickerWindows(form), before);

    SendMessageA(dragged, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dragged); })) << "the rebuild came after";
    EXPECT_EQ(StickerWindows(form).size(), before.size());
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

} // namespace
} // namespace zandrel::testing
