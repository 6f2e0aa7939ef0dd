// A save that fails under the main window (a file another program holds, a
// full disk, a folder that takes no file): the note shows at once, the user
// is told once, the status bar says so, and a tick saves it once it can.
#include "framework/system_error.h"
#include "framework/tests/fake_environment.h"
#include "framework/tests/gui_test_support.h"
#include "mainwindow/main.h"
#include "mainwindow/tests/main_window_fixture.h"
#include "resources/form_main.h"
#include "storage/core/file_ops.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace zandrel::testing {
namespace {

// The disk fails every write as `fault` says while this lives.
class FailingDisk {
public:
    explicit FailingDisk(file_ops::WriteFault fault) {
        file_ops::SetWriteFaults([fault](const std::string&) { return fault; });
    }
    ~FailingDisk() { file_ops::SetWriteFaults(nullptr); }
    FailingDisk(const FailingDisk&) = delete;
    FailingDisk& operator=(const FailingDisk&) = delete;
};

// Another program (an antivirus, a sync client) holds the file.
std::shared_ptr<void> Held(const std::string& path) {
    const HANDLE held =
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(held, INVALID_HANDLE_VALUE);
    return std::shared_ptr<void>(held, CloseHandle);
}

struct SaveFault {
    const char* what;
    std::function<std::shared_ptr<void>(const std::string& dataFile)> begin;
    std::string told; // in the box
};

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
        PressToolButton(*form_, button);
        PumpMessages();
    }
    void Tick() {
        SendTimerTick(*form_);
        PumpMessages();
    }
};

TEST_F(SaveFailureTest, TheNoteShowsTheUserIsToldOnceAndATickSavesIt) {
    const std::vector<SaveFault> faults = {
        {"a locked data file", Held, "ZandrelData.dat"},
        {"a full disk",
         [](const std::string&) {
             return std::make_shared<FailingDisk>(file_ops::WriteFault{false, ERROR_DISK_FULL});
         },
         SystemErrorText(ERROR_DISK_FULL)},
    };
    Start();
    for (const SaveFault& fault : faults) {
        SCOPED_TRACE(fault.what);
        Press(form_main::ToolButton_newMsg);
        const std::size_t count = form_->Messages().Count();
        ASSERT_EQ(Stored(), count);
        TestEnvironment().boxes.clear();
        const std::string memo = test::ReadFile(form_->Messages().MemoFileName());
        std::shared_ptr<void> failing = fault.begin(dataFile_);
        Press(form_main::ToolButton_newMsg);
        EXPECT_EQ(test::ReadFile(form_->Messages().MemoFileName()), memo) << "the pair as it was";
        EXPECT_EQ(form_->Messages().Count(), count + 1);
        EXPECT_EQ(Panel(0), "rec " + std::to_string(count + 1) + "/" + std::to_string(count + 1));
        EXPECT_EQ(Panel(3), "Changes not saved yet");
        Tick();
        Tick();
        ASSERT_EQ(TestEnvironment().boxes.size(), 1u) << "told once, not at every try";
        EXPECT_NE(TestEnvironment().boxes[0].Text.find(fault.told), std::string::npos)
            << TestEnvironment().boxes[0].Text;
        failing.reset();
        Tick();
        EXPECT_EQ(Panel(3), "");
        EXPECT_EQ(Stored(), count + 1);
        EXPECT_EQ(TestEnvironment().boxes.size(), 1u);
    }
}

TEST_F(SaveFailureTest, AFolderThatTakesNoFileIsToldAtStartInOneBox) {
    auto readOnly = std::make_unique<FailingDisk>(file_ops::WriteFault{true, ERROR_ACCESS_DENIED});
    Start();
    ASSERT_EQ(TestEnvironment().boxes.size(), 1u);
    const std::string& told = TestEnvironment().boxes[0].Text;
    EXPECT_NE(told.find(folder_.Path().string()), std::string::npos) << told;
    EXPECT_NE(told.find("such as Documents"), std::string::npos) << told;
    Press(form_main::ToolButton_newMsg);
    Tick();
    EXPECT_EQ(form_->Messages().Count(), 1u);
    EXPECT_EQ(Panel(3), "Changes not saved yet");
    EXPECT_EQ(TestEnvironment().boxes.size(), 1u) << "the failing save is the same news";
    readOnly.reset();
    Tick();
    EXPECT_EQ(Stored(), 1u);
}

} // namespace
} // namespace zandrel::testing
