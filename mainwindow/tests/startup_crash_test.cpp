// A note whose text ends the program inside the rich-text control: the start
// after it shows that note as plain text. The crash is a stand-in: a child
// process of this test program whose rich-text controls end the process as
// they read the chosen note.
#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "framework/handles.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_main.h"
#include "storage/core/tests/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <richedit.h>

#include <cstdlib>

namespace zandrel::testing {
namespace {

constexpr char kChildDataVariable[] = "ZANDREL_CRASH_CHILD_DATA";
constexpr char kCrashMark[] = "\\*\\zandrelcrash";
constexpr UINT kCrashExitCode = 0xC0000005;
constexpr char kCrashingNote[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\b Dentist on Tuesday\\b0\\par{\\*\\zandrelcrash}}";

// The stand-in for a rich-edit library that crashes on one note.
struct CrashingStream {
    EDITSTREAMCALLBACK read;
    DWORD_PTR cookie;
};

DWORD CALLBACK ReadAndCrash(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    const auto& stream = *reinterpret_cast<const CrashingStream*>(cookie);
    const DWORD result = stream.read(stream.cookie, buffer, size, done);
    if (std::string_view(reinterpret_cast<const char*>(buffer), std::size_t(*done))
            .find(kCrashMark) != std::string_view::npos) {
        TerminateProcess(GetCurrentProcess(), kCrashExitCode);
    }
    return result;
}

LRESULT CALLBACK CrashOnNote(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
    if (message == EM_STREAMIN) {
        auto& stream = *reinterpret_cast<EDITSTREAM*>(lParam);
        CrashingStream crashing{stream.pfnCallback, stream.dwCookie};
        EDITSTREAM wrapped = stream;
        wrapped.pfnCallback = ReadAndCrash;
        wrapped.dwCookie = reinterpret_cast<DWORD_PTR>(&crashing);
        const LRESULT result = DefSubclassProc(window, message, wParam, LPARAM(&wrapped));
        stream.dwError = wrapped.dwError;
        return result;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK WatchNewControls(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = {};
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpiA(className, "RichEdit20A") == 0) {
            SetWindowSubclass(window, CrashOnNote, 1, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

using HookHandle = UniqueHandle<HHOOK, UnhookWindowsHookEx>;

// Run by StartupCrashTest in a child process: a start over its data folder,
// which the stand-in ends.
TEST(StartupCrashChild, StartsOverTheGivenData) {
    const char* dataFile = std::getenv(kChildDataVariable);
    if (!dataFile) {
        GTEST_SKIP() << "only as the child of StartupCrashTest";
    }
    TestEnvironment().now += 1; // a day after the notes were made: both have started
    const HookHandle hook(
        SetWindowsHookExA(WH_CBT, WatchNewControls, nullptr, GetCurrentThreadId()));
    const MapiLibrary noMailService;
    TFormMain form(noMailService, dataFile, ScratchSettings::Store());
    PumpMessages();
    ADD_FAILURE() << "the start was not ended";
}

bool Bold(HWND richEdit) {
    SendMessageA(richEdit, EM_SETSEL, 1, 2);
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    SendMessageA(richEdit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwEffects & CFE_BOLD) != 0;
}

TEST(StartupCrashTest, TheNoteThatEndedAStartShowsAsPlainTextFromTheNextStartOn) {
    TestEnvironment().Reset();
    const ScratchSettings settings;
    const test::TempFolder folder;
    const std::string dataFile = folder.File("ZandrelData.dat");
    MessageList list(dataFile);
    list.New(TestEnvironment(), "{\\rtf1\\b first\\b0\\par}");
    TestEnvironment().now += 1.0 / 1440;
    list.New(TestEnvironment(), kCrashingNote);
    TestEnvironment().now += 1.0 / 1440;
    const std::string data = test::ReadFile(dataFile);
    const std::string memo = test::ReadFile(list.MemoFileName());

    // The first start ends while the crashing note's sticker loads it.
    SetEnvironmentVariableA(kChildDataVariable, dataFile.c_str());
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string commandLine =
        "\"" + std::string(program) + "\" --gtest_filter=StartupCrashChild.StartsOverTheGivenData";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &child));
    SetEnvironmentVariableA(kChildDataVariable, nullptr);
    const KernelHandle process(child.hProcess);
    const KernelHandle thread(child.hThread);
    ASSERT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    ASSERT_EQ(exitCode, kCrashExitCode);

    const MapiLibrary noMailService;
    {
        TFormMain second(noMailService, dataFile, ScratchSettings::Store());
        PumpMessages();
        ASSERT_EQ(TestEnvironment().boxes.size(), 1u);
        EXPECT_EQ(TestEnvironment().boxes[0].Kind, ShownBox::Warning);
        EXPECT_EQ(TestEnvironment().boxes[0].Text,
                  "Zandrel ended while it was loading the note \"Dentist on Tuesday\". The note "
                  "shows as plain text from now on, until you replace it.");
        const TFormMemo* sticker = second.Stickers().Find("Memo_1");
        ASSERT_NE(sticker, nullptr);
        EXPECT_EQ(PlainText(sticker->RichEdit1()), "Dentist on Tuesday");
        EXPECT_FALSE(Bold(sticker->RichEdit1()));
        EXPECT_TRUE(Bold(second.Stickers().Find("Memo_0")->RichEdit1()));
        EXPECT_EQ(test::ReadFile(dataFile), data);
        EXPECT_EQ(test::ReadFile(list.MemoFileName()), memo);
    }
    TestEnvironment().boxes.clear();
    TFormMain third(noMailService, dataFile, ScratchSettings::Store());
    PumpMessages();
    EXPECT_TRUE(TestEnvironment().boxes.empty()); // said once
    const HWND toolBar = third.Find(form_main::ToolBar1).Handle();
    SendMessageA(GetParent(toolBar), WM_COMMAND,
                 MAKEWPARAM(third.FindToolButton(form_main::ToolButton4).Id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(toolBar));
    EXPECT_FALSE(Bold(third.Find(form_main::RichEditText).Handle()));
    EXPECT_EQ(PlainText(third.Find(form_main::RichEditText).Handle()), "Dentist on Tuesday");
}

} // namespace
} // namespace zandrel::testing
