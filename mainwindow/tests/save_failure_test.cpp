// A save that fails under the main window (a file another program holds):
// the note shows at once, the user is told once, the status bar says so,
// and a tick saves it once it can.
#include "framework/tests/fake_environment.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_main.h"

#include <gtest/gtest.h>


namespace zandrel::testing {
namespace {

class SaveFailureTest : public MainWindowFixture {
protected:
    std::size_t Stored() const {
        MessageList list(dataFile_);
        list.LoadMessages(TestEnvironment());
        return list.Count();
    }
    std::string Panel(int index) const {
        return form_->Find<StatusBar>(form_main::StatusBar1).PanelText(index);
    }
    void Press(const char* button) {
        const HWND toolBar = form_->Find(form_main::ToolBar1).Handle();
        SendMessageA(GetParent(toolBar), WM_COMMAND,
                     MAKEWPARAM(form_->FindToolButton(button).Id(), BN_CLICKED),
                     reinterpret_cast<LPARAM>(toolBar));
        PumpMessages();
    }
    void Tick() {
        SendMessageA(form_->Handle(), WM_TIMER, form_->FindTimer(form_main::Timer1).Id(), 0);
        PumpMessages();
    }
    static void PumpMessages() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }
};

TEST_F(SaveFailureTest, TheNoteShowsTheUserIsToldOnceAndATickSavesIt) {
    Start();
    Press(form_main::ToolButton_newMsg);
    ASSERT_EQ(Stored(), 1u);
    TestEnvironment().boxes.clear();
    // Another program (an antivirus, a sync client) holds the data file.
    const HANDLE held =
        CreateFileA(dataFile_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Press(form_main::ToolButton_newMsg);
    EXPECT_EQ(form_->Messages().Count(), 2u);
    EXPECT_EQ(Panel(0), "rec 2/2");
    EXPECT_EQ(Panel(3), "Changes not saved yet");
    Tick();
    Tick();
    ASSERT_EQ(TestEnvironment().boxes.size(), 1u) << "told once, not at every try";
    EXPECT_NE(TestEnvironment().boxes[0].Text.find("ZandrelData.dat"), std::string::npos);
    CloseHandle(held);
    Tick();
    EXPECT_EQ(Panel(3), "");
    EXPECT_EQ(Stored(), 2u);
    EXPECT_EQ(TestEnvironment().boxes.size(), 1u);
}

} // namespace
} // namespace zandrel::testing
