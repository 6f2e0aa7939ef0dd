// The framework with real windows: forms built from their tables, handlers
// reached by real messages, the error report, hints, menus and timers.
#include "framework/application.h"
#include "framework/form.h"
#include "framework/message_boxes.h"
#include "framework/system_error.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string_view>

namespace zandrel::testing {
namespace {

bool HasComponent(const Form& form, std::string_view name) {
    try {
        form.Find(name);
        return true;
    } catch (const std::logic_error&) {
        return false;
    }
}

FormDescription TestFormDescription() {
    FormDescription form;
    form.ClassName = "Zandrel.TestForm";
    form.Caption = "Test";
    form.Width = 400;
    form.Height = 300;
    form.Menu = "MainMenu";
    form.OnClose = "FormClose";
    form.Components = {
        Component("Top", ComponentKind::Panel, {0, 0, 10, 40})
            .Dock(Align::Top)
            .MouseMove("TopMouseMove"),
        Component("Status", ComponentKind::StatusBar, {0, 0, 10, 20})
            .Dock(Align::Bottom)
            .Panels({70, 50, 50}),
        Component("Body", ComponentKind::Panel, {0, 0, 10, 10}).Dock(Align::Client),
        Component("Ok", ComponentKind::Button, {4, 4, 60, 24})
            .In("Top")
            .Titled("OK")
            .Hinted("OK|Press to count")
            .Click("OkClick"),
        Component("Fail", ComponentKind::Button, {70, 4, 60, 24})
            .In("Top")
            .Titled("Fail")
            .Click("FailClick"),
        Component("Box", ComponentKind::GroupBox, {8, 8, 200, 60}).In("Body").Titled("Group"),
        Component("Check", ComponentKind::CheckBox, {10, 20, 100, 17})
            .In("Box")
            .Titled("Check")
            .Click("OkClick"),
    };
    form.Menus = {{"MainMenu",
                   false,
                   {Submenu("File", "File",
                            {Item("Count", "Count", "OkClick").Hinted("Counts once"),
                             Separator("Sep"), Item("Quit", "Quit", "FailClick")})}}};
    form.Timers = {{"Ticker", 10, false, "OkClick"}};
    return form;
}

class TestForm : public Form {
public:
    explicit TestForm(FormDescription description = TestFormDescription())
        : Form(std::move(description)) {
        Bind("OkClick", WhileModal::Runs, [this](Event& event) {
            ++clicks;
            lastSender = event.Sender;
        });
        Bind("FailClick", WhileModal::Runs, [this](Event&) {
            ++failures;
            throw std::runtime_error("Something broke");
        });
        Bind("TopMouseMove", WhileModal::Runs, [this](Event& event) {
            lastMouse = {event.X, event.Y};
        });
        Bind("FormClose", WhileModal::Runs, [this](Event& event) { event.Action = closeAction; });
        Create(false);
    }

    int clicks = 0;
    int failures = 0;
    Control* lastSender = nullptr;
    POINT lastMouse{-1, -1};
    CloseAction closeAction = CloseAction::Hide;
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override { TestEnvironment().Reset(); }
    void TearDown() override { App().OnHint = {}; }
};

TEST_F(FormTest, BuildsTheTableAndDocksTopBottomAndClientPanels) {
    TestForm form;
    RECT client{};
    GetClientRect(form.Handle(), &client);
    const Bounds top = form.Find("Top").Place();
    const Bounds status = form.Find("Status").Place();
    const Bounds body = form.Find("Body").Place();
    EXPECT_EQ(top.Top, 0);
    EXPECT_EQ(top.Height, 40);
    EXPECT_EQ(top.Width, client.right);
    EXPECT_EQ(status.Top + status.Height, client.bottom);
    EXPECT_EQ(body.Top, 40);
    EXPECT_EQ(body.Top + body.Height, status.Top);
    EXPECT_EQ(form.Find("Box").Place().Left, 8);
    EXPECT_EQ(GetParent(form.Find("Check").Handle()), form.Find("Box").Handle());
    EXPECT_EQ(form.Find("Ok").Text(), "OK");
    EXPECT_FALSE(HasComponent(form, "Missing"));
    EXPECT_THROW(form.Find("Missing"), std::logic_error);

    form.Find<StatusBar>("Status").SetPanelText(0, "rec 0/0");
    EXPECT_EQ(form.Find<StatusBar>("Status").PanelText(0), "rec 0/0");
    EXPECT_EQ(SendMessageA(form.Find("Status").Handle(), SB_GETPARTS, 0, 0), 3);
}

TEST_F(FormTest, AnUnknownHandlerNameFailsTheCreation) {
    FormDescription description = TestFormDescription();
    description.ClassName = "Zandrel.TestFormBroken";
    description.Components[3].OnClick = "NoSuchHandler";
    EXPECT_THROW(TestForm{description}, std::logic_error);
}

TEST_F(FormTest, RealClicksReachTheHandlersAlsoInsideGroupBoxes) {
    TestForm form;
    SendMessageA(form.Find("Ok").Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.clicks, 1);
    EXPECT_EQ(form.lastSender, &form.Find("Ok"));
    SendMessageA(form.Find("Check").Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.clicks, 2);
    EXPECT_EQ(form.lastSender, &form.Find("Check"));
    EXPECT_EQ(SendMessageA(form.Find("Check").Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(FormTest, AnErrorLeavingAHandlerIsReportedAndTheProgramGoesOn) {
    TestForm form;
    SendMessageA(form.Find("Fail").Handle(), BM_CLICK, 0, 0);
    SendMessageA(form.Handle(), WM_COMMAND, form.FindMenuItem("Quit").Id(), 0);
    EXPECT_EQ(form.failures, 2);
    ASSERT_EQ(TestEnvironment().boxes.size(), 2u);
    EXPECT_EQ(TestEnvironment().boxes[0].Kind, ShownBox::Error);
    EXPECT_EQ(TestEnvironment().boxes[0].Text, "Something broke");
    SendMessageA(form.Find("Ok").Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form.clicks, 1);
}

TEST_F(FormTest, MenuCommandsAndHintsComeFromTheMenuTable) {
    TestForm form;
    const MenuItem& count = form.FindMenuItem("Count");
    SendMessageA(form.Handle(), WM_COMMAND, count.Id(), 0);
    EXPECT_EQ(form.clicks, 1);
    EXPECT_EQ(form.lastSender, nullptr);

    int hints = 0;
    App().OnHint = [&] { ++hints; };
    SendMessageA(form.Handle(), WM_MENUSELECT, MAKEWPARAM(count.Id(), MF_STRING),
                 reinterpret_cast<LPARAM>(GetSubMenu(GetMenu(form.Handle()), 0)));
    EXPECT_EQ(App().Hint(), "Counts once");
    SendMessageA(form.Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(App().Hint(), "");
    EXPECT_EQ(hints, 2);

    form.FindMenuItem("Count").SetCaption("Count again");
    char caption[32] = {};
    GetMenuStringA(GetMenu(form.Handle()), count.Id(), caption, sizeof caption, MF_BYCOMMAND);
    EXPECT_STREQ(caption, "Count again");
}

TEST_F(FormTest, TheHintUnderTheMouseReachesTheHintEvent) {
    TestForm form;
    std::string seen;
    App().OnHint = [&] { seen = App().Hint(); };
    const HWND ok = form.Find("Ok").Handle();
    SendMessageA(ok, WM_SETCURSOR, reinterpret_cast<WPARAM>(ok),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(seen, "OK|Press to count");
    const HWND fail = form.Find("Fail").Handle();
    SendMessageA(fail, WM_SETCURSOR, reinterpret_cast<WPARAM>(fail),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(seen, "");
}

TEST_F(FormTest, PanelsReportMouseMovesToTheirHandler) {
    TestForm form;
    SendMessageA(form.Find("Top").Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 7));
    EXPECT_EQ(form.lastMouse.x, 12);
    EXPECT_EQ(form.lastMouse.y, 7);
}

TEST_F(FormTest, TimersRunTheirHandlerWhileEnabled) {
    TestForm form;
    Timer& ticker = form.FindTimer("Ticker");
    ticker.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return form.clicks >= 2; }));
    ticker.SetEnabled(false);
    EXPECT_FALSE(KillTimer(form.Handle(), ticker.Id())); // no system timer is left
}

TEST_F(FormTest, CloseFollowsTheActionOfTheCloseHandler) {
    TestForm form;
    ShowWindow(form.Handle(), SW_SHOW);
    form.closeAction = CloseAction::None;
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.Visible());
    form.closeAction = CloseAction::Hide;
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.Visible());
    EXPECT_NE(form.Handle(), nullptr);
    form.closeAction = CloseAction::Free;
    form.Close();
    EXPECT_EQ(form.Handle(), nullptr);
    EXPECT_FALSE(App().Terminated());
}

// What the warning box showed, read from inside its own message loop.
struct WarningBoxProbe {
    static inline std::string title;
    static inline std::string button;
    static inline int buttons = 0;

    static BOOL CALLBACK CountButton(HWND child, LPARAM) {
        char name[16] = {};
        GetClassNameA(child, name, sizeof name);
        if (std::string_view(name) == "Button" && IsWindowVisible(child)) {
            ++buttons;
        }
        return TRUE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        const HWND box = FindWindowA("#32770", "Warning");
        if (!box || !title.empty()) {
            return;
        }
        char text[32] = {};
        GetWindowTextA(box, text, sizeof text);
        title = text;
        GetDlgItemTextA(box, IDOK, text, sizeof text);
        button = text;
        EnumChildWindows(box, CountButton, 0);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
};

class Orphan : public Window {
public:
    explicit Orphan(HWND parent) {
        WindowCreation creation;
        creation.ClassName = "Zandrel.Orphan";
        creation.Style = WS_CHILD;
        creation.Parent = parent;
        CreateHandle(creation);
    }
};

TEST_F(FormTest, AWindowTheSystemRefusesSaysWhy) {
    const HWND gone =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    try {
        Orphan window(gone);
        FAIL() << "the window was made";
    } catch (const SystemError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create the window Zandrel.Orphan\nCreateWindowExA failed with error "
                  "1400: " +
                      SystemErrorText(ERROR_INVALID_WINDOW_HANDLE));
    }
}

TEST_F(FormTest, TheWarningBoxHasTheSingleButtonRetry) {
    WarningBoxProbe::title.clear();
    WarningBoxProbe::button.clear();
    WarningBoxProbe::buttons = 0;
    const UINT_PTR probe = SetTimer(nullptr, 0, 20, WarningBoxProbe::Tick);
    ShowWarningBox("Registry path not found");
    KillTimer(nullptr, probe);
    EXPECT_EQ(WarningBoxProbe::title, "Warning");
    EXPECT_EQ(WarningBoxProbe::button, "Retry");
    EXPECT_EQ(WarningBoxProbe::buttons, 1);
}

} // namespace
} // namespace zandrel::testing
