// The mail component against the stand-in mail library: what it asks the
// mail service, with which arguments and flags, and what it makes of the
// answers.
#include "alarms/Email.h"
#include "alarms/tests/mail_test_support.h"
#include "framework/application.h"
#include "framework/registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace zandrel::testing {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;

const char* const kMessagingKey = "Software\\Microsoft\\Windows Messaging Subsystem";
const char* const kProfilesKey = "Software\\Microsoft\\Windows Messaging Subsystem\\Profiles";

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

class EmailTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mapi_.Available());
        RemoveProfiles();
    }
    void TearDown() override { RemoveProfiles(); }

    static void RemoveProfiles() { RegDeleteTreeA(HKEY_CURRENT_USER, kMessagingKey); }
    // The profiles key, with the default profile unless none.
    static void SetDefaultProfile(const char* profile) {
        RegistryKey key;
        RegCreateKeyExA(HKEY_CURRENT_USER, kProfilesKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        key.receive(), nullptr);
        if (profile)
            RegSetValueExA(key.get(), "DefaultProfile", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(profile), DWORD(strlen(profile) + 1));
    }

    std::vector<std::string> Calls(const char* entryPoint) const {
        std::vector<std::string> calls;
        for (const std::string& line : standIn_.Log()) {
            if (line.rfind(entryPoint, 0) == 0)
                calls.push_back(line);
        }
        return calls;
    }
    void ExpectAllGivenBack() const {
        EXPECT_EQ(standIn_.OpenSessions(), 0);
        EXPECT_EQ(standIn_.UnfreedBuffers(), 0);
    }

    const WinIniMailSwitch mailOn_{"1"};
    const MapiStandIn standIn_;
    const MapiLibrary mapi_ = LoadMAPI();
    TEmail email_{mapi_};
};

TEST_F(EmailTest, LogsOnWithTheDefaultProfileThenLetsTheUserLogOn) {
    SetDefaultProfile("Office");
    email_.SetUseDefProfile(true);
    email_.SetProfile("Mine");
    email_.SetPassword("secret");
    standIn_.Answer("MAPILogon", MAPI_E_LOGIN_FAILURE);

    EXPECT_EQ(email_.Logon(), 0u);
    EXPECT_EQ(email_.Profile(), "Office");
    EXPECT_EQ(email_.Logon(), 0u); // already open: no call
    EXPECT_EQ(email_.Logoff(), 0u);
    EXPECT_EQ(email_.Logoff(), 0u); // none open: no call
    EXPECT_THAT(standIn_.Log(),
                ElementsAre("MAPILogon profile=\"Office\" password=\"secret\" flags=0",
                            "MAPILogon profile=null password=null flags=1",
                            "MAPILogoff session=101 flags=0"));
    ExpectAllGivenBack();
}

TEST_F(EmailTest, TheDefaultProfileReplacesTheProfileOnlyWhenItsKeyOpens) {
    email_.SetProfile("Mine");
    SetDefaultProfile("Office");
    email_.Logon(); // UseDefProfile off
    email_.Logoff();
    email_.SetUseDefProfile(true);
    RemoveProfiles();
    email_.Logon(); // no key: unchanged
    email_.Logoff();
    SetDefaultProfile(nullptr);
    email_.Logon(); // key without the value: empty
    email_.Logoff();
    EXPECT_EQ(email_.Profile(), "");
    EXPECT_THAT(Calls("MAPILogon"), ElementsAre("MAPILogon profile=\"Mine\" password=null flags=0",
                                                "MAPILogon profile=\"Mine\" password=null flags=0",
                                                "MAPILogon profile=null password=null flags=0"));
}

TEST_F(EmailTest, AFailedLogonSendsNothing) {
    standIn_.Answer("MAPILogon", MAPI_E_LOGIN_FAILURE);
    standIn_.Answer("MAPILogon", MAPI_E_USER_ABORT);
    email_.SetRecipient({"ann@example.org"});
    EXPECT_EQ(email_.SendMail(), ULONG(MAPI_E_LOGIN_FAILURE));
    EXPECT_THAT(standIn_.Log(), ElementsAre("MAPILogon profile=null password=null flags=0",
                                            "MAPILogon profile=null password=null flags=1"));
    EXPECT_EQ(email_.Logoff(), 0u); // no session was left open
    EXPECT_EQ(standIn_.Log().size(), 2u);
}

TEST_F(EmailTest, SendsToEveryClassTheResolvedNamesWithTheirAddresses) {
    standIn_.ResolveAs("ann", "Ann Smith", "SMTP:ann@example.org");
    standIn_.ResolveAs("bob", "Bob Jones", nullptr);
    email_.SetRecipient({"ann", "", "bob"});
    email_.SetCC({"carl@example.org"});
    email_.SetBcc({"dora@example.org"});
    email_.SetSubject("Zandrel message: Call Ann");
    email_.SetText("Call Ann\r\n");

    EXPECT_EQ(email_.SendMail(), 0u);
    EXPECT_THAT(
        standIn_.Log(),
        ElementsAre("MAPILogon profile=null password=null flags=0",
                    "MAPIResolveName session=101 name=\"ann\" flags=0",
                    "MAPIResolveName session=101 name=\"bob\" flags=0",
                    "MAPIResolveName session=101 name=\"carl@example.org\" flags=0",
                    "MAPIResolveName session=101 name=\"dora@example.org\" flags=0",
                    "MAPISendMail session=101 flags=0 subject=\"Zandrel message: Call Ann\" "
                    "text=\"Call Ann\\r\\n\" messageflags=0 recipients=[1 \"Ann Smith\" "
                    "\"SMTP:ann@example.org\"; 1 \"Bob Jones\" null; 2 \"carl@example.org\" "
                    "\"SMTP:carl@example.org\"; 3 \"dora@example.org\" "
                    "\"SMTP:dora@example.org\"] files=null",
                    "MAPILogoff session=101 flags=0"));
    // The lists keep the resolved display names.
    EXPECT_THAT(email_.Recipient(), ElementsAre("Ann Smith", "", "Bob Jones"));
    ExpectAllGivenBack();
}

TEST_F(EmailTest, AnAmbiguousOrUnknownNameIsResolvedAgainWithTheDialog) {
    standIn_.ResolveAs("amb", "Amber", "SMTP:amber@example.org"); // the user's pick
    for (const ULONG answer : {MAPI_E_AMBIGUOUS_RECIPIENT, 0, MAPI_E_UNKNOWN_RECIPIENT, 0,
                               MAPI_E_FAILURE, MAPI_E_UNKNOWN_RECIPIENT, MAPI_E_USER_ABORT})
        standIn_.Answer("MAPIResolveName", answer);
    email_.SetRecipient({"amb", "unk", "failing", "dropped"});

    EXPECT_EQ(email_.SendMail(), 0u);
    EXPECT_THAT(Calls("MAPIResolveName"),
                ElementsAre("MAPIResolveName session=101 name=\"amb\" flags=0",
                            "MAPIResolveName session=101 name=\"amb\" flags=8",
                            "MAPIResolveName session=101 name=\"unk\" flags=0",
                            "MAPIResolveName session=101 name=\"unk\" flags=8",
                            "MAPIResolveName session=101 name=\"failing\" flags=0",
                            "MAPIResolveName session=101 name=\"dropped\" flags=0",
                            "MAPIResolveName session=101 name=\"dropped\" flags=8"));
    // Names that do not resolve are left out, and stay in the list as written.
    EXPECT_THAT(Calls("MAPISendMail"),
                ElementsAre(::testing::HasSubstr(
                    " recipients=[1 \"Amber\" \"SMTP:amber@example.org\"; 1 \"unk\" "
                    "\"SMTP:unk\"] ")));
    EXPECT_THAT(email_.Recipient(), ElementsAre("Amber", "unk", "failing", "dropped"));
    ExpectAllGivenBack();
}

TEST_F(EmailTest, AnAddressInBracketsGoesAsNameAndAddressWithoutTheBrackets) {
    standIn_.ResolveAs("[ann@example.org]", "ann@example.org", "SMTP:ann@example.org");
    standIn_.ResolveAs("Bob ]odd[ x", "Bob", nullptr);
    standIn_.ResolveAs("[team]", "Team [all]", "SMTP:team@example.org");
    email_.SetRecipient({"[ann@example.org]", "Bob ]odd[ x", "[team]"});

    EXPECT_EQ(email_.SendMail(), 0u);
    EXPECT_THAT(Calls("MAPISendMail"),
                ElementsAre(::testing::HasSubstr(
                    " recipients=[1 \"ann@example.org\" \"ann@example.org\"; 1 \"Bob odd x\" "
                    "\"Bob odd x\"; 1 \"Team [all]\" \"SMTP:team@example.org\"] ")));
    EXPECT_THAT(email_.Recipient(), ElementsAre("[ann@example.org]", "Bob ]odd[ x", "Team [all]"));
    ExpectAllGivenBack();
}

TEST_F(EmailTest, WithNoRecipientLeftTheComposeDialogOpens) {
    standIn_.Answer("MAPIResolveName", MAPI_E_FAILURE);
    email_.SetRecipient({"nobody"});
    email_.SetSubject("Zandrel message: x");
    email_.SetText("x\r\n");
    EXPECT_EQ(email_.SendMail(), 0u);

    email_.SetRecipient({});
    email_.SetSubject("");
    email_.SetText("");
    EXPECT_EQ(email_.SendMail(), 0u);
    EXPECT_THAT(Calls("MAPISendMail"),
                ElementsAre("MAPISendMail session=101 flags=8 subject=\"Zandrel message: x\" "
                            "text=\"x\\r\\n\" messageflags=0 recipients=null files=null",
                            "MAPISendMail session=102 flags=8 subject=null text=null "
                            "messageflags=0 recipients=null files=null"));
    ExpectAllGivenBack();
}

TEST_F(EmailTest, ShowDialogAndAcknowledgeSetTheirFlags) {
    email_.SetRecipient({"ann@example.org"});
    email_.SetShowDialog(true);
    email_.SetAcknowledge(true);
    EXPECT_EQ(email_.SendMail(), 0u);
    EXPECT_THAT(Calls("MAPISendMail"),
                ElementsAre(::testing::StartsWith("MAPISendMail session=101 flags=8 subject=null "
                                                  "text=null messageflags=2 recipients=[1 ")));
}

TEST_F(EmailTest, AttachmentsGoByPathAndAMissingOneStopsTheSend) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string present = std::string(folder) + "zandrel-attachment.txt";
    std::ofstream(present) << "attached";
    const std::string missing = std::string(folder) + "zandrel-no-such-file.txt";
    email_.SetRecipient({"ann@example.org"});
    email_.SetAttachment({present});
    EXPECT_EQ(email_.SendMail(), 0u);
    EXPECT_THAT(Calls("MAPISendMail"),
                ElementsAre(::testing::EndsWith(" files=[-1 " + Quoted(present) + "]")));

    email_.SetAttachment({present, missing});
    EXPECT_EQ(email_.SendMail(), ULONG(MAPI_E_ATTACHMENT_NOT_FOUND));
    email_.SetAttachment({folder}); // a folder is no file
    EXPECT_EQ(email_.SendMail(), ULONG(MAPI_E_ATTACHMENT_NOT_FOUND));
    EXPECT_EQ(Calls("MAPISendMail").size(), 1u);
    EXPECT_EQ(Calls("MAPILogoff").size(), 3u);
    ExpectAllGivenBack();
    DeleteFileA(present.c_str());
}

TEST_F(EmailTest, TooManyRecipientsOrAttachmentsAreRefusedBeforeAnyCall) {
    email_.SetRecipient(std::vector<std::string>(50000, "a"));
    email_.SetCC(std::vector<std::string>(50000, "c"));
    email_.SetBcc({"b"});
    EXPECT_EQ(email_.SendMail(), ULONG(MAPI_E_TOO_MANY_RECIPIENTS));
    EXPECT_EQ(email_.ShowAddressBook(), ULONG(MAPI_E_TOO_MANY_RECIPIENTS));
    email_.SetBcc({});
    email_.SetAttachment(std::vector<std::string>(100001, "C:\\a.txt"));
    EXPECT_EQ(email_.SendMail(), ULONG(MAPI_E_TOO_MANY_FILES));
    EXPECT_TRUE(standIn_.Log().empty());
}

TEST_F(EmailTest, ASendKeepsASessionItDidNotOpenAndTheComponentClosesItAtTheEnd) {
    {
        TEmail email(mapi_);
        email.SetRecipient({"ann@example.org"});
        EXPECT_EQ(email.Logon(), 0u);
        EXPECT_EQ(email.SendMail(), 0u);
        EXPECT_EQ(email.ShowAddressBook(), 0u);
        EXPECT_EQ(standIn_.OpenSessions(), 1);
        EXPECT_THAT(Calls("MAPILogoff"), ElementsAre());
    }
    EXPECT_THAT(Calls("MAPILogoff"), ElementsAre("MAPILogoff session=101 flags=0"));
    ExpectAllGivenBack();
}

TEST_F(EmailTest, TheAddressBookRefillsTheListsByClass) {
    email_.SetRecipient({"ann@example.org"});
    email_.SetCC({"carl@example.org"});
    email_.SetBcc({"dora@example.org"});
    standIn_.AddressBookPick(MAPI_TO, "Zed", "SMTP:zed@example.org");
    standIn_.AddressBookPick(MAPI_CC, "Yan", nullptr);
    standIn_.AddressBookPick(MAPI_BCC, "Xia", "SMTP:xia@example.org");
    standIn_.AddressBookPick(MAPI_TO, "Wim", nullptr);

    EXPECT_EQ(email_.ShowAddressBook(), 0u);
    EXPECT_THAT(Calls("MAPIAddress"),
                ElementsAre("MAPIAddress session=101 caption=\"\" fields=4 labels=\"\" flags=0 "
                            "recipients=[1 \"ann@example.org\" \"SMTP:ann@example.org\"; 2 "
                            "\"carl@example.org\" \"SMTP:carl@example.org\"; 3 "
                            "\"dora@example.org\" \"SMTP:dora@example.org\"]"));
    EXPECT_THAT(email_.Recipient(), ElementsAre("Zed", "Wim"));
    EXPECT_THAT(email_.CC(), ElementsAre("Yan"));
    EXPECT_THAT(email_.Bcc(), ElementsAre("Xia"));
    ExpectAllGivenBack();
}

TEST_F(EmailTest, ACancelledAddressBookLeavesTheResolvedLists) {
    standIn_.ResolveAs("ann", "Ann Smith", "SMTP:ann@example.org");
    standIn_.Answer("MAPIAddress", MAPI_E_USER_ABORT);
    email_.SetRecipient({"ann"});
    EXPECT_EQ(email_.ShowAddressBook(), ULONG(MAPI_E_USER_ABORT));
    EXPECT_THAT(email_.Recipient(), ElementsAre("Ann Smith"));

    email_.SetRecipient({});
    EXPECT_EQ(email_.ShowAddressBook(), 0u); // an empty address book: empty lists
    EXPECT_THAT(Calls("MAPIAddress"), ElementsAre(::testing::EndsWith(" recipients=[1 \"Ann "
                                                                      "Smith\" "
                                                                      "\"SMTP:ann@example.org\"]"),
                                                  ::testing::EndsWith(" recipients=null")));
    EXPECT_TRUE(email_.Recipient().empty());
    ExpectAllGivenBack();
}

TEST_F(EmailTest, TextsForTheMailServiceAreCutAt255Characters) {
    const std::string longName(300, 'n');
    const std::string cutName(255, 'n');
    email_.SetRecipient({longName});
    email_.SetSubject(std::string(300, 's'));
    email_.SetText(std::string(300, 't'));
    email_.SetProfile(std::string(300, 'p'));
    email_.SetPassword(std::string(300, 'w'));
    EXPECT_EQ(email_.Subject().size(), 255u);
    EXPECT_EQ(email_.Text().size(), 255u);

    // A path cut at 255 characters names a file that exists.
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string path = folder;
    path += std::string(255 - path.size(), 'f');
    std::ofstream(path) << "attached";
    email_.SetAttachment({path + "-beyond"});

    EXPECT_EQ(email_.SendMail(), 0u);
    const std::string cutAddress = ("SMTP:" + cutName).substr(0, 255);
    EXPECT_THAT(
        standIn_.Log(),
        ElementsAre("MAPILogon profile=" + Quoted(std::string(255, 'p')) +
                        " password=" + Quoted(std::string(255, 'w')) + " flags=0",
                    "MAPIResolveName session=101 name=" + Quoted(cutName) + " flags=0",
                    "MAPISendMail session=101 flags=0 subject=" + Quoted(std::string(255, 's')) +
                        " text=" + Quoted(std::string(255, 't')) +
                        " messageflags=0 recipients=[1 " + Quoted(cutName) + " " +
                        Quoted(cutAddress) + "] files=[-1 " + Quoted(path) + "]",
                    "MAPILogoff session=101 flags=0"));
    DeleteFileA(path.c_str());
}

TEST_F(EmailTest, ALongTextIsTheWholeBodyAndEmptiesText) {
    const std::string body = std::string(70000, 'b') + "\r\n";
    email_.SetText("short");
    email_.SetLongText(body);
    EXPECT_EQ(email_.Text(), "");
    email_.SetRecipient({"ann@example.org"});
    EXPECT_EQ(email_.SendMail(), 0u);
    EXPECT_THAT(Calls("MAPISendMail"),
                ElementsAre(::testing::HasSubstr(" text=\"" + std::string(70000, 'b') +
                                                 "\\r\\n\" messageflags=0")));
}

std::vector<bool> modalAtCall;

TEST_F(EmailTest, EveryCallIntoTheMailServiceRunsInAModalLoop) {
    modalAtCall.clear();
    standIn_.OnCall([] { modalAtCall.push_back(App().InModalLoop()); });
    standIn_.Answer("MAPILogon", MAPI_E_LOGIN_FAILURE);
    standIn_.Answer("MAPIResolveName", MAPI_E_AMBIGUOUS_RECIPIENT);
    email_.SetRecipient({"ann@example.org"});
    email_.SendMail();
    email_.ShowAddressBook();
    standIn_.OnCall(nullptr);
    EXPECT_GE(modalAtCall.size(), standIn_.Log().size());
    EXPECT_THAT(modalAtCall, Each(true));
    EXPECT_FALSE(App().InModalLoop());
}

} // namespace
} // namespace zandrel::testing
