// Modal loops in the framework with real windows: forms shown modally, work
// that waits for the loops to end, forms destroyed while active, and the
// warning box's own button.
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
    explicit ModalForm(const std::string& className = "Zandrel.ModalTestForm")
        : Form(ModalFormDescription(className)) {
        Bind("FormDeactivate", [this](Event&) { ++deactivations; });
        Create(false);
    }
    int deactivations = 0;
};

// Runs an action from a thread timer, which fires inside whatever message
// loop runs at the time: the loop of a modal form or of a box.
class InsideLoop {
public:
    explicit InsideLoop(std::function<bool()> action) : action_(std::move(action)) {
        current = this;
        timer_ = SetTimer(nullptr, 0, 20, Tick);
    }
    ~InsideLoop() {
        KillTimer(nullptr, timer_);
        current = nullptr;
    }
    InsideLoop(const InsideLoop&) = delete;
    InsideLoop& operator=(const InsideLoop&) = delete;

private:
    // The action says when it is done; until then it runs at every tick.
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (InsideLoop* self = current; self && !self->done_) {
            self->done_ = self->action_();
        }
    }
    static inline InsideLoop* current = nullptr;
    std::function<bool()> action_;
    UINT_PTR timer_ = 0;
    bool done_ = false;
};

class ModalTest : public ::testing::Test {
protected:
    void SetUp() override { TestEnvironment().Reset(); }
};

TEST_F(ModalTest, AModalFormDisablesTheActiveWindowUntilItCloses) {
    ModalForm owner("Zandrel.ModalOwner");
    ShowWindow(owner.Handle(), SW_SHOW);
    SetForegroundWindow(owner.Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == owner.Handle(); }));

    ModalForm dialog;
    bool ownerDisabled = false;
    bool insideLoop = false;
    const InsideLoop closer([&] {
        if (!dialog.Visible()) {
            return false;
        }
        ownerDisabled = !IsWindowEnabled(owner.Handle());
        insideLoop = App().InModalLoop();
        PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
        return true;
    });
    dialog.ShowModal();

    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(insideLoop);
    EXPECT_FALSE(App().InModalLoop());
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), owner.Handle());
    EXPECT_FALSE(dialog.Visible()) << "hidden, and freed by its caller";
    EXPECT_NE(dialog.Handle(), nullptr);
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
