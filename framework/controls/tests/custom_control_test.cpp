// The program's own controls: built from a form's table through their
// registered class, they hear paint, timer, mouse and double-click messages.
#include "framework/application.h"
#include "framework/form.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace zandrel::testing {
namespace {

constexpr UINT_PTR probeTimer = 7;

// Writes down what reaches it; its timer stops itself after three ticks.
class ProbeControl : public CustomControl {
public:
    ProbeControl(const ComponentDescription& description, HWND parent, int id)
        : CustomControl(description, parent, id) {
        StartTimer(probeTimer, 10);
    }

    int paints = 0;
    int ticks = 0;
    std::vector<std::string> mouse;

protected:
    void Paint(HDC dc) override {
        ++paints;
        CustomControl::Paint(dc);
    }
    void Tick(UINT_PTR id) override {
        if (id == probeTimer && ++ticks == 3) {
            StopTimer(probeTimer);
        }
    }
    void MouseDown(const MouseEvent& event) override { Note("down", event); }
    void MouseUp(const MouseEvent& event) override { Note("up", event); }
    void MouseMove(const MouseEvent& event) override {
        Note("move", event);
        CustomControl::MouseMove(event);
    }

private:
    void Note(const char* what, const MouseEvent& event) {
        const char* button = event.Button == MouseButton::Left    ? "left"
                             : event.Button == MouseButton::Right ? "right"
                                                                  : "middle";
        mouse.push_back(std::string(what) + " " + button + " " + std::to_string(event.X) + "," +
                        std::to_string(event.Y));
    }
};

FormDescription ProbeFormDescription(const std::string& controlClass) {
    FormDescription form;
    form.ClassName = "Zandrel.CustomControlTestForm";
    form.Caption = "Probe";
    form.Width = 300;
    form.Height = 200;
    form.Components = {
        CustomComponent("Probe", controlClass, {10, 10, 120, 40})
            .DblClick("ProbeDblClick")
            .MouseMove("ProbeMouseMove"),
    };
    return form;
}

class ProbeForm : public Form {
public:
    explicit ProbeForm(const std::string& controlClass = "Zandrel.Probe")
        : Form(ProbeFormDescription(controlClass)) {
        Bind("ProbeDblClick", WhileModal::Runs, [this](Event& event) {
            ++doubleClicks;
            sender = event.Sender;
        });
        Bind("ProbeMouseMove", WhileModal::Runs, [this](Event& event) {
            lastMove = {event.X, event.Y};
        });
        Create(false);
    }

    int doubleClicks = 0;
    Control* sender = nullptr;
    POINT lastMove{-1, -1};
};

class CustomControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestEnvironment().Reset();
        RegisterControlClass("Zandrel.Probe",
                             [](const ComponentDescription& description, HWND parent, int id) {
                                 return std::make_unique<ProbeControl>(description, parent, id);
                             });
    }

    Application app_{TestEnvironment(), GetModuleHandleA(nullptr)};
};

TEST_F(CustomControlTest, PaintTimerMouseAndDoubleClickReachTheControl) {
    ProbeForm form;
    auto& probe = form.Find<ProbeControl>("Probe");
    char className[64] = {};
    GetClassNameA(probe.Handle(), className, sizeof className);
    EXPECT_STREQ(className, "Zandrel.Probe");

    ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
    RedrawWindow(probe.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(probe.paints, 0);

    EXPECT_TRUE(PumpUntil([&] { return probe.ticks >= 3; }));

    const HWND window = probe.Handle();
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6));
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(20, 30));
    PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4));
    PumpMessages();
    EXPECT_EQ(probe.mouse, (std::vector<std::string>{"down left 3,4", "up left 3,4",
                                                     "down right 5,6", "move left 20,30"}));
    EXPECT_EQ(form.lastMove.x, 20);
    EXPECT_EQ(form.lastMove.y, 30);
    EXPECT_EQ(form.doubleClicks, 1);
    EXPECT_EQ(form.sender, &probe);
    EXPECT_EQ(probe.ticks, 3); // stopped
}

TEST_F(CustomControlTest, AnUnknownControlClassIsAnError) {
    EXPECT_THROW(ProbeForm("Zandrel.NoSuchControl"), std::logic_error);
}

} // namespace
} // namespace zandrel::testing
