// Find in the main window under Wine: the modal Find box, its keys, Ctrl+F
// and F3 through the program's message loop, the selection in the editor.
#include "framework/application.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/find_box.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_find.h"
#include "resources/form_main.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>
#include <richedit.h>

namespace zandrel::testing {
namespace {

// Runs `action` with the Find box from a thread timer, inside the box's
// modal loop, once it shows; the action closes it.
class WhenFindBoxShows {
public:
    explicit WhenFindBoxShows(std::function<void(TFormFind&)> action) : action_(std::move(action)) {
        current = this;
        timer_ = SetTimer(nullptr, 0, 20, Tick);
    }
    ~WhenFindBoxShows() {
        KillTimer(nullptr, timer_);
        current = nullptr;
    }
    WhenFindBoxShows(const WhenFindBoxShows&) = delete;
    WhenFindBoxShows& operator=(const WhenFindBoxShows&) = delete;
    bool Ran() const { return ran_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        const HWND box = FindWindowA(FormFindDescription().ClassName.c_str(), nullptr);
        if (WhenFindBoxShows* self = current; self && !self->ran_ && box && IsWindowVisible(box)) {
            self->ran_ = true;
            self->action_(dynamic_cast<TFormFind&>(*Window::FromHandle(box)));
        }
    }
    static inline WhenFindBoxShows* current = nullptr;
    std::function<void(TFormFind&)> action_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};

class FindTest : public ::testing::Test {
protected:
    // "Buy milk", a Cyrillic "buy milk", "milk for the cafe", a plain text.
    FindTest() {
        FakeEnvironment& env = TestEnvironment();
        env.Reset();
        MessageList list(dataFile_);
        for (const char* text : {
                 "{\\rtf1\\ansi Buy {\\b milk}\\par}",
                 "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 "
                 "\\'ea\\'f3\\'ef\\'e8\\'f2\\'fc "
                 "\\'ec\\'ee\\'eb\\'ee\\'ea\\'ee}",
                 "{\\rtf1\\ansi milk for the caf\\'e9}",
                 "call Anna",
             }) {
            env.now += 0.001;
            list.New(env, text);
        }
        form_ = std::make_unique<TFormMain>(noMailService_, dataFile_, ScratchSettings::Store());
        form_->ShowAtStart();
        form_->ShowMainWindow();
        PumpMessages();
    }

    HWND Editor() const { return form_->Find(form_main::RichEditText).Handle(); }
    std::wstring Selection() const {
        wchar_t text[64] = L"";
        SendMessageW(Editor(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }
    int Current() const { return form_->Messages().CurrentIndex; }

    // A key pressed in `window`, through the program's message loop.
    static void Key(HWND window, unsigned key, bool ctrl = false) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message{window, WM_KEYDOWN, key, 0, 0, {}};
        App().ProcessMessage(message);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    static void Click(const TFormFind& box, const char* button) {
        SendMessageA(box.Find(button).Handle(), BM_CLICK, 0, 0);
    }

    const ScratchSettings settings_;
    Application app_{TestEnvironment(), GetModuleHandleA(nullptr)};
    const test::TempFolder folder_;
    const std::string dataFile_ = folder_.File("ZandrelData.dat");
    const MapiLibrary noMailService_;
    std::unique_ptr<TFormMain> form_;
};

TEST_F(FindTest, TheFindBoxSelectsEachMatchAndStaysOpen) {
    WhenFindBoxShows whileOpen([&](TFormFind& box) {
        EXPECT_EQ(GetWindowTextLengthA(box.Handle()), 4); // "Find"
        EXPECT_TRUE(App().InModalLoop());
        box.Find(form_find::EditFind).SetWideText(L"\u041C\u041E\u041B\u041E\u041A\u041E");
        Click(box, form_find::btnFindNext);
        EXPECT_EQ(Current(), 1);
        EXPECT_EQ(Selection(), L"\u043C\u043E\u043B\u043E\u043A\u043E");

        box.Find(form_find::EditFind).SetWideText(L"bread");
        Click(box, form_find::btnFindNext);
        EXPECT_EQ(Current(), 1);
        EXPECT_EQ(form_->Find<StatusBar>(form_main::StatusBar1).PanelText(2), "Not found: bread");
        EXPECT_EQ(TestEnvironment().beeps, std::vector<unsigned>{MB_OK});
        EXPECT_TRUE(box.Visible());
        Click(box, form_find::btnClose);
    });
    SendMessageA(form_->Handle(), WM_COMMAND, form_->FindMenuItem(form_main::Find1).Id(), 0);
    EXPECT_TRUE(whileOpen.Ran());
    EXPECT_FALSE(App().InModalLoop());
}

TEST_F(FindTest, F3FindsTheLastTextAgainRoundTheListAndCtrlFOpensTheBoxWithIt) {
    {
        // No text yet: F3 opens the box; Enter finds, Esc closes.
        WhenFindBoxShows whileOpen([&](TFormFind& box) {
            const HWND edit = box.Find(form_find::EditFind).Handle();
            SetWindowTextW(edit, L"MILK");
            Key(edit, VK_RETURN);
            EXPECT_EQ(Current(), 2);
            Key(edit, VK_ESCAPE);
        });
        Key(Editor(), VK_F3);
        ASSERT_TRUE(whileOpen.Ran());
    }
    Key(Editor(), VK_F3);
    EXPECT_EQ(Current(), 0);
    EXPECT_EQ(Selection(), L"milk");
    Key(Editor(), VK_F3);
    EXPECT_EQ(Current(), 2);

    std::wstring offered;
    WhenFindBoxShows whileOpen([&](TFormFind& box) {
        offered = box.Text();
        box.Close();
    });
    Key(Editor(), 'F', true);
    EXPECT_TRUE(whileOpen.Ran());
    EXPECT_EQ(offered, L"MILK");
    EXPECT_TRUE(TestEnvironment().beeps.empty());
}

} // namespace
} // namespace zandrel::testing
