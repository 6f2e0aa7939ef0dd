// Loading the mail service at start, with the stand-in library beside the
// test program (and, for a library without an entry point, beside a probe).
#include "alarms/Email.h"
#include "alarms/smapi.h"
#include "alarms/tests/mail_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace zandrel::testing {
namespace {

// Runs the probe in the folder of the library without MAPIReadMail and
// returns what it printed.
std::string RunLoadProbe() {
    char folder[MAX_PATH];
    GetModuleFileNameA(nullptr, folder, MAX_PATH);
    std::string command = folder;
    command = "\"" + command.substr(0, command.rfind('\\')) + "\\incomplete\\mapi_load_probe.exe\"";

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 0))
        return "no pipe";
    const KernelHandle output(read);
    KernelHandle input(write);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
        return "not started: " + command;
    const KernelHandle processHandle(process.hProcess);
    const KernelHandle thread(process.hThread);
    input.reset(); // the probe holds the only writing end now

    std::string printed;
    char buffer[256];
    DWORD count = 0;
    while (ReadFile(output.get(), buffer, sizeof buffer, &count, nullptr) && count > 0)
        printed.append(buffer, count);
    WaitForSingleObject(processHandle.get(), INFINITE);
    while (!printed.empty() && (printed.back() == '\n' || printed.back() == '\r'))
        printed.pop_back();
    return printed;
}

TEST(MailLibrary, LoadsTheLibraryBesideTheProgramWithItsEntryPoints) {
    const WinIniMailSwitch mailOn("1");
    const MapiStandIn standIn;
    const MapiLibrary mapi = LoadMAPI();
    ASSERT_TRUE(mapi.Available());
    const MapiEntryPoints& entry = mapi.EntryPoints();
    const HMODULE standInModule = GetModuleHandleA("mapi32.dll");
    for (const auto& [function, name] : {
             std::pair{reinterpret_cast<void*>(entry.FindNext), "MAPIFindNext"},
             {reinterpret_cast<void*>(entry.Logoff), "MAPILogoff"},
             {reinterpret_cast<void*>(entry.Logon), "MAPILogon"},
             {reinterpret_cast<void*>(entry.SendMail), "MAPISendMail"},
             {reinterpret_cast<void*>(entry.ReadMail), "MAPIReadMail"},
             {reinterpret_cast<void*>(entry.DeleteMail), "MAPIDeleteMail"},
             {reinterpret_cast<void*>(entry.ResolveName), "MAPIResolveName"},
             {reinterpret_cast<void*>(entry.FreeBuffer), "MAPIFreeBuffer"},
             {reinterpret_cast<void*>(entry.Address), "MAPIAddress"},
         }) {
        EXPECT_EQ(function, reinterpret_cast<void*>(GetProcAddress(standInModule, name))) << name;
    }
}

TEST(MailLibrary, LoadsWithoutErrorBoxesAndPutsTheErrorModeBack) {
    const WinIniMailSwitch mailOn("1");
    const UINT outer = SetErrorMode(SEM_NOGPFAULTERRORBOX);
    const MapiLibrary mapi = LoadMAPI(); // nothing else holds the stand-in now
    EXPECT_EQ(SetErrorMode(outer), UINT(SEM_NOGPFAULTERRORBOX));
    ASSERT_TRUE(mapi.Available());
    EXPECT_EQ(MapiStandIn().ErrorModeAtLoad(),
              UINT(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX));
}

TEST(MailLibrary, SwitchedOffOrMissingInWinIniTheServiceIsUnavailable) {
    for (const char* value : {"0", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(value ? value : "missing");
        const WinIniMailSwitch mailOff(value);
        const MapiStandIn standIn;
        const MapiLibrary mapi = LoadMAPI();
        EXPECT_FALSE(mapi.Available());

        TEmail email(mapi);
        EXPECT_FALSE(email.MAPIavail());
        email.SetRecipient({"ann@example.org"});
        for (const auto& operation :
             {&TEmail::Logon, &TEmail::Logoff, &TEmail::SendMail, &TEmail::ShowAddressBook}) {
            try {
                (email.*operation)();
                ADD_FAILURE() << "no error";
            } catch (const EMAPIunavailable& error) {
                EXPECT_STREQ(error.what(), "MAPI services are not available on this system");
            }
        }
        EXPECT_TRUE(standIn.Log().empty());
    }
}

TEST(MailLibrary, ALibraryWithoutAnEntryPointFailsTheStart) {
    const WinIniMailSwitch mailOn("1");
    EXPECT_EQ(RunLoadProbe(), "GetProcAddress for MAPI DLL function(s) failed");
}

} // namespace
} // namespace zandrel::testing
