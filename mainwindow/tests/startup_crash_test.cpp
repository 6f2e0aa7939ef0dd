// A note whose text ends the program inside the rich-text control: the start
// after it shows that note as plain text; a start ended at another moment
// blames no note. The crash is a stand-in: a child process of this test
// program whose rich-text controls end the process as they read the chosen
// note, or that ends as its first sticker window is made.
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

#include <process.h>

#include <cstdlib>

namespace zandrel::testing {
namespace {

constexpr char kChildDataVariable[] = "ZANDREL_CRASH_CHILD_DATA";
// Set: the child ends as its first sticker window is made.
constexpr char kChildEndsAtStickerVariable[] = "ZANDREL_CRASH_CHILD_AT_STICKER";
constexpr char kCrashMark[] = "\\*\\zandrelcrash";
constexpr UINT kCrashExitCode = 0xC0000005;
constexpr char kCrashingNote[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\b Dentist on Tuesday\\b0\\par{\\*\\zandrelcrash}}";

// The stand-in for a rich-edit library that crashes on one note: the
// control's reading of a text goes through ReadAndCrash.
struct Reading {
    EDITSTREAMCALLBACK Read;
    DWORD_PTR Cookie;
};

DWORD CALLBACK ReadAndCrash(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    const auto& reading = *reinterpret_cast<const Reading*>(cookie);
    const DWORD result = reading.Read(reading.Cookie, buffer, size, done);
    if (std::string_view(reinterpret_cast<const char*>(buffer), std::size_t(*done))
            .find(kCrashMark) != std::string_view::npos) {
        TerminateProcess(GetCurrentProcess(), kCrashExitCode);
    }
    return result;
}

LRESULT CALLBACK CrashOnNote(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
    Reading reading{};
    if (message == EM_STREAMIN) {
        auto& stream = *reinterpret_cast<EDITSTREAM*>(lParam);
        reading = {stream.pfnCallback, stream.dwCookie};
        stream.pfnCallback = ReadAndCrash;
        stream.dwCookie = reinterpret_cast<DWORD_PTR>(&reading);
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
        } else if (const char* atSticker = std::getenv(kChildEndsAtStickerVariable);
                   atSticker && *atSticker && lstrcmpA(className, "Zandrel.TFormMemo") == 0) {
            TerminateProcess(GetCurrentProcess(), kCrashExitCode);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

using HookHandle = UniqueHandle<HHOOK, UnhookWindowsHookEx>;

// Run by StartupCrashTest in a child process: a start over its data folder,
// which the stand-in ends.
TEST(StartupCrashChild, StartsOverTheGivenData) {
    const char* dataFile = std::getenv(kChildDataVariable);
    if (!dataFile || !*dataFile) {
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

// A start over `dataFile` in a child process, ended as the stand-in says:
// its exit code.
UINT EndedStart(const std::string& dataFile, bool atFirstSticker) {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    _putenv_s(kChildDataVariable, dataFile.c_str());
    _putenv_s(kChildEndsAtStickerVariable, atFirstSticker ? "1" : "");
    const int exitCode = _spawnl(_P_WAIT, program, ("\"" + std::string(program) + "\"").c_str(),
                                 "--gtest_filter=StartupCrashChild.*", nullptr);
    _putenv_s(kChildDataVariable, "");
    _putenv_s(kChildEndsAtStickerVariable, "");
    return UINT(exitCode);
}

bool Bold(HWND richEdit) {
    SendMessageA(richEdit, EM_SETSEL, 1, 2);
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    SendMessageA(richEdit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return (format.dwEffects & CFE_BOLD) != 0;
}

// A folder whose first note is bold; the next start over it, after one
// that was ended.
class StartupCrashTest : public ::testing::Test {
protected:
    StartupCrashTest() {
        TestEnvironment().Reset();
        list_.New(TestEnvironment(), "{\\rtf1\\b first\\b0\\par}");
        TestEnvironment().now += 1.0 / 1440;
    }
    std::unique_ptr<TFormMain> StartAgain() {
        auto form =
            std::make_unique<TFormMain>(noMailService_, dataFile_, ScratchSettings::Store());
        PumpMessages();
        return form;
    }

    const ScratchSettings settings_;
    const test::TempFolder folder_;
    const std::string dataFile_ = folder_.File("ZandrelData.dat");
    MessageList list_{dataFile_};
    const MapiLibrary noMailService_;
};

TEST_F(StartupCrashTest, TheNoteThatEndedAStartShowsAsPlainTextFromTheNextStartOn) {
    list_.New(TestEnvironment(), kCrashingNote);
    TestEnvironment().now += 1.0 / 1440;
    const std::string stored = test::ReadFile(dataFile_) + test::ReadFile(list_.MemoFileName());

    // The first start ends while the crashing note's sticker loads it.
    ASSERT_EQ(EndedStart(dataFile_, false), kCrashExitCode);

    const std::unique_ptr<TFormMain> second = StartAgain();
    ASSERT_EQ(TestEnvironment().boxes.size(), 1u);
    EXPECT_EQ(TestEnvironment().boxes[0].Kind, ShownBox::Error);
    EXPECT_EQ(TestEnvironment().boxes[0].Text,
              "Zandrel ended while it was loading the note \"Dentist on Tuesday\". The note "
              "shows as plain text from now on, until you replace it.");
    const TFormMemo* sticker = second->Stickers().Find("Memo_1");
    ASSERT_NE(sticker, nullptr);
    EXPECT_EQ(PlainText(sticker->RichEdit1()), "Dentist on Tuesday");
    EXPECT_FALSE(Bold(sticker->RichEdit1()));
    EXPECT_TRUE(Bold(second->Stickers().Find("Memo_0")->RichEdit1()));
    PressToolButton(*second, form_main::ToolButton4);
    EXPECT_FALSE(Bold(second->Find(form_main::RichEditText).Handle()));
    EXPECT_EQ(test::ReadFile(dataFile_) + test::ReadFile(list_.MemoFileName()), stored);
}

// Ended as the placeholder sticker is made: the editor's text went in
// before, and no text goes in now.
TEST_F(StartupCrashTest, AStartEndedWhileNoTextLoadsBlamesNoNote) {
    ASSERT_EQ(EndedStart(dataFile_, true), kCrashExitCode);

    const std::unique_ptr<TFormMain> second = StartAgain();
    EXPECT_TRUE(TestEnvironment().boxes.empty());
    EXPECT_TRUE(Bold(second->Find(form_main::RichEditText).Handle()));
    EXPECT_TRUE(Bold(second->Stickers().Find("Memo_0")->RichEdit1()));
}

} // namespace
} // namespace zandrel::testing
