// The preview opened from the main window's toolbar and from the tray menu,
// paged through with the keys and closed.
#include "catalog/report.h"
#include "catalog/tests/catalog_messages.h"
#include "framework/application.h"
#include "framework/report/report_preview.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_main.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace zandrel::testing {
namespace {

ReportPreview* OpenPreview() {
    return dynamic_cast<ReportPreview*>(
        Window::FromHandle(FindWindowA("Zandrel.ReportPreview", nullptr)));
}

// Runs `action` from a timer inside the preview's modal loop.
class InsidePreview {
public:
    explicit InsidePreview(std::function<void(ReportPreview&)> action)
        : action_(std::move(action)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, Tick);
    }
    ~InsidePreview() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Ran() const { return ran_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        InsidePreview* self = current_;
        ReportPreview* preview = OpenPreview();
        if (!self || self->ran_ || !preview || !preview->Visible()) {
            return;
        }
        self->ran_ = true;
        KillTimer(nullptr, self->timer_);
        self->action_(*preview);
    }
    static inline InsidePreview* current_ = nullptr;
    std::function<void(ReportPreview&)> action_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};

class ReportWindowTest : public MainWindowFixture {
protected:
    void Store(int messages) {
        MessageList list(dataFile_);
        AddCatalogMessages(list, TestEnvironment(), messages);
    }

    // Pages with the keys, then closes with Esc.
    static void PageAndClose(ReportPreview& preview, bool& mainHidden, std::size_t& pages,
                             std::size_t& lastPage, HWND main) {
        mainHidden = !IsWindowVisible(main);
        PumpUntil([&] { return !preview.Producing(); });
        pages = preview.PageCount();
        SendMessageA(preview.View(), WM_KEYDOWN, VK_NEXT, 0);
        SendMessageA(preview.View(), WM_KEYDOWN, VK_END, 0);
        lastPage = preview.CurrentPage();
        SendMessageA(preview.View(), WM_KEYDOWN, VK_HOME, 0);
        if (preview.CurrentPage() != 0) {
            lastPage = 9999;
        }
        PostMessageA(preview.Handle(), WM_COMMAND, IDCANCEL, 0); // Esc
    }
};

TEST_F(ReportWindowTest, ThePrintButtonShowsThePreviewModallyAndTheWindowAfterwards) {
    Store(12);
    ScratchSettings::Set("SoundEnabled", "true");
    TFormMain& form = Start();
    form.ShowMainWindow();
    bool hidden = false;
    std::size_t pages = 0, last = 0;
    const InsidePreview inside(
        [&](ReportPreview& preview) { PageAndClose(preview, hidden, pages, last, form.Handle()); });
    const HWND bar = form.Find(form_main::ToolBar1).Handle();
    SendMessageA(GetParent(bar), WM_COMMAND,
                 MAKEWPARAM(form.FindToolButton(form_main::ToolButton_print).Id(), BN_CLICKED),
                 reinterpret_cast<LPARAM>(bar));
    EXPECT_TRUE(inside.Ran());
    EXPECT_TRUE(hidden);
    EXPECT_GE(pages, 2u);
    EXPECT_EQ(last, pages - 1);
    EXPECT_EQ(OpenPreview(), nullptr);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_NE(std::find(TestEnvironment().sounds.begin(), TestEnvironment().sounds.end(), "Laser"),
              TestEnvironment().sounds.end());
}

TEST_F(ReportWindowTest, TheTrayMenusReportShowsTheHiddenMainWindowAfterwards) {
    Store(3);
    TFormMain& form = Start();
    ShowWindow(form.Handle(), SW_HIDE);
    bool hidden = false;
    std::size_t pages = 0, last = 0;
    const InsidePreview inside(
        [&](ReportPreview& preview) { PageAndClose(preview, hidden, pages, last, form.Handle()); });
    SendMessageA(form.Handle(), WM_COMMAND, form.FindMenuItem(form_main::Report1).Id(), 0);
    EXPECT_TRUE(inside.Ran());
    EXPECT_TRUE(hidden);
    EXPECT_EQ(pages, 1u);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    // And from the main menu.
    const InsidePreview again([&](ReportPreview& preview) { preview.Close(); });
    SendMessageA(form.Handle(), WM_COMMAND, form.FindMenuItem(form_main::Report2).Id(), 0);
    EXPECT_TRUE(again.Ran());
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

} // namespace
} // namespace zandrel::testing
