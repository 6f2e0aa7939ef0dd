// Modal loops in the framework with real windows: forms shown modally and
// their owners, Shutdown closing the open ones, work that waits for the loops
// to end, forms destroyed while active, and the warning box's own button.
#include "framework/application.h"
#include "framework/form.h"
#include "framework/message_boxes.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace zandrel::testing {
namespace {

FormDescription ModalFormDescription(const std::string& className) {
    FormDescription form;
    form.ClassName = className;
    form.Caption = className;
    form.Width = 300;
    form.Height = 200;
    form.OnDeactivate = "FormDeactivate";
    form.CloseOnEscape = true;
    form.Components = {Component("Ok", ComponentKind::Button, {10, 10, 80, 24}).Titled("OK")};
    return form;
}

class ModalForm : public Form {
public:
    explicit ModalForm(const std::string& className = "Zandrel.ModalTestForm",
                       bool mainForm = false)
        : Form(ModalFormDescription(className)) {
        Bind("FormDeactivate", WhileModal::Runs, [this](Event&) { ++deactivations; });
        Create(mainForm);
    }
    int deactivations = 0;
};

class ModalTest : public ::testing::Test {
protected:
    void SetUp() override { TestEnvironment().Reset(); }
};

// Never the active window (a sticker the user clicked last): the main window,
// hidden or not, or the modal window open before.
TEST_F(ModalTest, AModalFormIsModalToTheMainWindowOrToTheModalWindowUnderIt) {
    const ModalForm main("Zandrel.ModalMain", true); // hidden, as in the tray
    const ModalForm sticker("Zandrel.ModalSticker");
    ShowWindow(sticker.Handle(), SW_SHOW);
    SetForegroundWindow(sticker.Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == sticker.Handle(); }));

    ModalForm outer("Zandrel.ModalOuter");
    ModalForm inner("Zandrel.ModalInner");
    std::vector<bool> enabled; // main, sticker and outer, while each is open
    int step = 0;
    const InsideLoop driver([&] {
        const auto record = [&] {
            for (const HWND window : {main.Handle(), sticker.Handle(), outer.Handle()}) {
                enabled.push_back(IsWindowEnabled(window));
            }
        };
        if (step == 0 && outer.Visible()) {
            ++step;
            record();
            inner.ShowModal();
        } else if (step == 1 && inner.Visible()) {
            ++step;
            record();
            PostMessageA(inner.Handle(), WM_CLOSE, 0, 0);
            PostMessageA(outer.Handle(), WM_CLOSE, 0, 0);
        }
        return false;
    });
    outer.ShowModal();

    EXPECT_EQ(GetWindow(outer.Handle(), GW_OWNER), main.Handle());
    EXPECT_EQ(GetWindow(inner.Handle(), GW_OWNER), outer.Handle());
    EXPECT_EQ(enabled, (std::vector<bool>{false, true, true, false, true, false}));
    EXPECT_FALSE(App().InModalLoop());
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));
    EXPECT_FALSE(outer.Visible()) << "hidden, and freed by its caller";
    EXPECT_NE(outer.Handle(), nullptr);
}

// Shutdown inside a box inside a modal form: the box answers No, the form
// closes, each caller goes on as for that answer, innermost first; then no
// box or modal window opens any more.
TEST_F(ModalTest, ShutdownClosesTheOpenBoxAndWindowsInnermostFirst) {
    Application app(TestEnvironment(), GetModuleHandleA(nullptr)); // the shutdown stays with it
    const ModalForm main("Zandrel.ModalMain", true);
    ModalForm window;
    std::vector<std::string> finished;
    bool yes = true;
    int step = 0;
    const InsideLoop driver([&] {
        const HWND box = FindWindowA("#32770", "Confirm");
        if (step == 0 && window.Visible()) {
            ++step;
            app.RunBox([&] { yes = ShowConfirmBox("Delete?"); });
            finished.push_back("box");
        } else if (step == 1 && box) {
            ++step;
            app.EndModalLoops();
        } else if (step == 2 && box) {
            PostMessageA(box, WM_COMMAND, IDYES, 0); // not closed: the test fails, not hangs
        }
        return false;
    });
    window.ShowModal();
    finished.push_back("window");

    EXPECT_FALSE(yes);
    EXPECT_EQ(finished, (std::vector<std::string>{"box", "window"}));
    EXPECT_FALSE(window.Visible());
    EXPECT_TRUE(IsWindowEnabled(main.Handle()));

    EXPECT_FALSE(app.Env().Confirm("Delete again?"));
    ModalForm later("Zandrel.ModalLater");
    later.ShowModal();
    EXPECT_TRUE(TestEnvironment().boxes.empty()) << "no box opened";
    EXPECT_FALSE(later.Visible());
}

TEST_F(ModalTest, WorkForAfterTheModalLoopsRunsOnceTheOutermostHasEnded) {
    ModalForm form;
    std::vector<std::string> done;
    form.WhenNotModal([&] { done.push_back("at once"); });
    EXPECT_EQ(done, std::vector<std::string>{"at once"});

    App().RunModal([&] {
        App().RunModal([&] { form.WhenNotModal([&] { done.push_back("after"); }); });
        PumpMessages();
        EXPECT_EQ(done.size(), 1u) << "the outer loop still runs";
    });
    EXPECT_EQ(done.size(), 1u) << "run from the message loop, not inside the caller";
    PumpMessages();
    EXPECT_EQ(done, (std::vector<std::string>{"at once", "after"}));

    // A form that goes first takes its waiting work with it.
    auto gone = std::make_unique<ModalForm>("Zandrel.ModalGone");
    App().RunModal([&] { gone->WhenNotModal([&] { done.push_back("never"); }); });
    gone.reset();
    PumpMessages();
    EXPECT_EQ(done.size(), 2u);
}

TEST_F(ModalTest, AnActiveFormIsDestroyedWithoutAnErrorBox) {
    auto form = std::make_unique<ModalForm>();
    ShowWindow(form->Handle(), SW_SHOW);
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == form->Handle(); }));
    form.reset();
    PumpMessages();
    EXPECT_TRUE(TestEnvironment().boxes.empty());
}

std::string OkButtonText(HWND box) {
    char text[32] = {};
    GetDlgItemTextA(box, IDOK, text, sizeof text);
    return text;
}

// An error box that opens over a warning keeps its OK; a warning opened
// over a warning gets its own "Retry"; neither leaves a hook behind.
TEST_F(ModalTest, OnlyTheWarningBoxItselfIsRenamed) {
    std::vector<std::string> buttons;
    HWND firstWarning = nullptr;
    int step = 0;
    const InsideLoop driver([&] {
        const HWND error = FindWindowA("#32770", App().Title().c_str());
        const HWND warning = FindWindowA("#32770", "Warning");
        switch (step) {
        case 0: // the first warning is up: an error report opens over it
            if (!warning) {
                return false;
            }
            firstWarning = warning;
            buttons.push_back(OkButtonText(warning));
            ++step;
            ShowErrorBox("A timer error");
            return false;
        case 1: // inside the error box's loop
            if (!error) {
                return false;
            }
            buttons.push_back(OkButtonText(error));
            ++step;
            PostMessageA(error, WM_COMMAND, IDOK, 0);
            return false;
        case 2: // a second warning opens over the first
            ++step;
            ShowWarningBox("Another warning");
            return false;
        case 3: { // inside the second warning's loop: it is the active box
            const HWND second = GetActiveWindow();
            if (!second || second == firstWarning) {
                return false;
            }
            buttons.push_back(OkButtonText(second));
            ++step;
            PostMessageA(second, WM_COMMAND, IDOK, 0);
            return false;
        }
        default:
            if (warning) {
                PostMessageA(warning, WM_COMMAND, IDOK, 0);
            }
            return true;
        }
    });
    App().SetTitle("Zandrel modal test");
    ShowWarningBox("Registry path not found");
    EXPECT_EQ(buttons, (std::vector<std::string>{"Retry", "OK", "Retry"}));
}

} // namespace
} // namespace zandrel::testing
