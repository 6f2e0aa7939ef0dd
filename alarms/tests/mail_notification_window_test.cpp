// The e-mail notification and the editor's address list in the running main
// window under Wine: on a system without the mail service, and with the
// stand-in mail library that records what it is asked.
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

namespace zandrel::testing {
namespace {

namespace fs = std::filesystem;
constexpr TDateTime kSecond = 1.0 / 86400;
constexpr char kUnavailable[] = "MAPI services are not available on this system";

struct StoredMessage {
    std::string RichText;
    bool Notify = false;
    std::vector<std::string> Addresses;
};

class MailWindowTest : public MainWindowFixture {
protected:
    MailWindowTest() { ScratchSettings::Set("SoundEnabled", "true"); }

    void Store(const std::vector<StoredMessage>& messages) {
        FakeEnvironment& env = TestEnvironment();
        MessageList list(dataFile_);
        for (const StoredMessage& message : messages) {
            EditorValues values;
            values.StartDate = env.now - 10 * kSecond;
            values.AlarmDate = env.now + 1;
            values.RichText = message.RichText;
            values.Notify = message.Notify;
            values.Addresses = message.Addresses;
            env.now += 0.001 * kSecond;
            list.Add(env, values);
        }
    }

    // Shut down and started again over the same files.
    TFormMain& Restart() {
        form_.reset();
        TestEnvironment().Reset();
        return Start();
    }

    std::vector<std::int32_t> StoredNotify() const { return testing::StoredNotify(dataFile_); }

    static std::vector<std::string> Boxes() {
        std::vector<std::string> texts;
        for (const ShownBox& box : TestEnvironment().boxes) {
            texts.push_back(box.Text);
        }
        return texts;
    }

    static long Played(const char* sound) {
        const auto& sounds = TestEnvironment().sounds;
        return std::count(sounds.begin(), sounds.end(), sound);
    }

    void Press(const char* button) { PressToolButton(*form_, button); }
};

class MailServiceTest : public MailWindowTest {
protected:
    std::vector<std::string> Calls(const char* entryPoint) const {
        std::vector<std::string> calls;
        for (const std::string& line : service_.standIn.Log()) {
            if (line.rfind(entryPoint, 0) == 0) {
                calls.push_back(line);
            }
        }
        return calls;
    }

    const StandInMailService& service_ = UseMailService<StandInMailService>();
};

using MailNotificationTest = MailWindowTest;

TEST_F(MailNotificationTest, WithoutTheMailServiceTheStartShowsTheErrorOnceAndGoesOn) {
    Store({{"{\\rtf1 first}", true, {"a@example.org"}},
           {"{\\rtf1 second}", false, {}},
           {"{\\rtf1 third}", true, {}}});
    TFormMain& form = Start();

    EXPECT_EQ(Boxes(), std::vector<std::string>{kUnavailable}) << "one box for both messages";
    EXPECT_EQ(Played("Laser"), 2);
    for (const char* name : {"Memo_0", "Memo_1", "Memo_2"}) {
        EXPECT_NE(form.Stickers().Find(name), nullptr) << name;
    }
    // The rest of the start ran: the font list, the shortcut, the first message.
    EXPECT_TRUE(form.StartupDone());
    EXPECT_GT(SendMessageA(form.Find(form_main::FontName).Handle(), CB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(fs::exists(ScratchSettings::StartupLink()));
    EXPECT_EQ(form.Messages().CurrentIndex, 0);

    // Not tried again: neither by the next rebuild nor after a restart.
    EXPECT_EQ(StoredNotify(), (std::vector<std::int32_t>{0, 0, 0}));
    Press(form_main::ToolButton_refresh);
    EXPECT_EQ(Boxes().size(), 1u);
    Restart();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Played("Laser"), 0);
}

TEST_F(MailNotificationTest, ATextWithoutLinesClearsTheNotificationWithLaserAndSendsNothing) {
    Store({{"{\\rtf1 }", true, {"a@example.org"}}});
    TFormMain& form = Start();

    EXPECT_TRUE(Boxes().empty()) << "the missing mail service was never asked";
    EXPECT_EQ(Played("Laser"), 1);
    EXPECT_EQ(form.Messages().Entry(0).Notify, 0);
    EXPECT_EQ(StoredNotify(), std::vector<std::int32_t>{0});
}

// A store that cannot be written: the notification still counts as done in
// memory, and the failed save is reported as every failed save is.
TEST_F(MailNotificationTest, AFailedStoreAfterTheRebuildIsReported) {
    Store({{"{\\rtf1 }", true, {}}});
    // Another program reads the data file and lets no one replace it.
    const HANDLE held = CreateFileA(dataFile_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    TFormMain& form = Start();
    CloseHandle(held);

    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].find("ZandrelData"), std::string::npos) << Boxes()[0];
    EXPECT_EQ(form.Messages().Entry(0).Notify, 0);
    // Once the file is free, the next tick saves the flag: the mail is not
    // sent again at the next start.
    SendTimerTick(form);
    EXPECT_EQ(StoredNotify(), std::vector<std::int32_t>{0});
}

TEST_F(MailServiceTest, WithoutAddressesTheComposeDialogOpensWithTheSubjectAndTheBody) {
    Store({{"{\\rtf1 Dentist at 3\\par bring the card}", true, {}}});
    const TFormMain& form = Start();

    // Its dialog is modal to the main window.
    EXPECT_EQ(Calls("MAPISendMail"),
              std::vector<std::string>{
                  "MAPISendMail session=101 flags=8 subject=\"Zandrel message: Dentist at 3\" "
                  "text=\"Dentist at 3\\r\\nbring the card\\r\\n\" messageflags=0 "
                  "recipients=null files=null ui=" +
                  std::to_string(reinterpret_cast<ULONG_PTR>(form.Handle()))});
    EXPECT_EQ(service_.standIn.OpenSessions(), 0);
    EXPECT_EQ(Played("Laser"), 1);
    EXPECT_TRUE(Boxes().empty());
}

// The start builds the stickers twice; Refresh and a restart build them again.
TEST_F(MailServiceTest, TheMailGoesOutOnceAndNotAgainAfterARestart) {
    Store({{"{\\rtf1 call Ann}", true, {"someone@example.org"}}, {"{\\rtf1 quiet}", false, {}}});
    Start();
    ASSERT_EQ(Calls("MAPISendMail").size(), 1u);
    EXPECT_NE(Calls("MAPISendMail")[0].find(
                  "recipients=[1 \"someone@example.org\" \"SMTP:someone@example.org\"]"),
              std::string::npos)
        << Calls("MAPISendMail")[0];

    Press(form_main::ToolButton_refresh);
    EXPECT_EQ(StoredNotify(), (std::vector<std::int32_t>{0, 0}));
    Restart();
    EXPECT_EQ(Calls("MAPISendMail").size(), 1u);
    EXPECT_EQ(Played("Laser"), 0);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(MailServiceTest, AddMailListsThePrimaryRecipientsPickedInTheAddressBook) {
    Store({{"{\\rtf1 one}", false, {"a@example.org"}}});
    TFormMain& form = Start();
    service_.standIn.AddressBookPick(MAPI_TO, "Ann", "SMTP:ann@example.org");
    service_.standIn.AddressBookPick(MAPI_CC, "Bob", "SMTP:bob@example.org");
    service_.standIn.AddressBookPick(MAPI_TO, "Cid", "SMTP:cid@example.org");
    SendMessageA(form.Find(form_main::sb_newMail).Handle(), BM_CLICK, 0, 0);

    ASSERT_EQ(Calls("MAPIAddress").size(), 1u);
    EXPECT_NE(Calls("MAPIAddress")[0].find("a@example.org"), std::string::npos);
    EXPECT_EQ(form.Find<ListBox>(form_main::List_Address).Items(),
              (std::vector<std::string>{"Ann", "Cid"}));
    EXPECT_EQ(form.Email1().CC(), std::vector<std::string>{"Bob"});
    EXPECT_TRUE(Boxes().empty());
}

using MailAddressListTest = MailWindowTest;

TEST_F(MailAddressListTest, ADoubleClickDeletesTheSelectedAddressAndNothingWithoutSelection) {
    Store({{"{\\rtf1 one}", false, {"a@example.org", "b@example.org", "c@example.org"}}});
    TFormMain& form = Start();
    ListBox& list = form.Find<ListBox>(form_main::List_Address);
    auto doubleClick = [&] {
        SendMessageA(GetParent(list.Handle()), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(list.Handle()), LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list.Handle()));
    };

    doubleClick();
    EXPECT_EQ(list.Items(),
              (std::vector<std::string>{"a@example.org", "b@example.org", "c@example.org"}));

    SendMessageA(list.Handle(), LB_SETCURSEL, 1, 0);
    doubleClick();
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"a@example.org", "c@example.org"}));
    EXPECT_EQ(form.Messages().Entry(0).Addresses.size(), 3u) << "the message changes on Add";
}

TEST_F(MailAddressListTest, AddMailWithoutTheMailServiceReportsAndKeepsTheList) {
    Store({{"{\\rtf1 one}", false, {"a@example.org"}}});
    TFormMain& form = Start();
    SendMessageA(form.Find(form_main::sb_newMail).Handle(), BM_CLICK, 0, 0);

    EXPECT_EQ(Boxes(), std::vector<std::string>{kUnavailable});
    EXPECT_EQ(form.Find<ListBox>(form_main::List_Address).Items(),
              std::vector<std::string>{"a@example.org"});
}

} // namespace
} // namespace zandrel::testing
