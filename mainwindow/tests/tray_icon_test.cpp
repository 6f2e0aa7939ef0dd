// The tray icon against a shell that refuses it at first, as one not yet
// ready at the start or busy does.
#include "mainwindow/tray_icon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace zandrel::testing {
namespace {

// Refuses the first `refusals` adds; holds one icon at most, as the shell does.
struct RefusingShell {
    int refusals = 0;
    bool holds = false;
    std::vector<DWORD> calls;

    bool Notify(DWORD message, NOTIFYICONDATAA&) {
        calls.push_back(message);
        switch (message) {
        case NIM_ADD:
            if (refusals > 0) {
                --refusals;
                return false;
            }
            return !std::exchange(holds, true);
        case NIM_MODIFY:
            return holds;
        default:
            holds = false;
            return true;
        }
    }
};

class TrayIconTest : public ::testing::Test {
protected:
    RefusingShell shell_;
    TrayIcon tray_{[this](DWORD message, NOTIFYICONDATAA& record) {
        return shell_.Notify(message, record);
    }};

    long Calls(DWORD message) const {
        return std::count(shell_.calls.begin(), shell_.calls.end(), message);
    }
};

TEST_F(TrayIconTest, ARefusedIconIsOfferedAgainAtEveryTickUntilTheShellTakesIt) {
    shell_.refusals = 2;
    tray_.Add();
    EXPECT_FALSE(tray_.Added());
    tray_.AddIfRefused();
    EXPECT_FALSE(tray_.Added());
    tray_.AddIfRefused();
    EXPECT_TRUE(tray_.Added());
    EXPECT_TRUE(shell_.holds);
    tray_.AddIfRefused();
    EXPECT_EQ(Calls(NIM_ADD), 3);
}

TEST_F(TrayIconTest, TheShellsRestartAddsItAgainAlsoWhenItWasRefused) {
    shell_.refusals = 1;
    tray_.Add();
    tray_.AddAgain();
    EXPECT_TRUE(tray_.Added());
    tray_.AddAgain(); // a shell that kept it refuses a second one
    EXPECT_TRUE(tray_.Added());
    shell_.holds = false;
    tray_.AddAgain();
    EXPECT_TRUE(shell_.holds);
}

TEST_F(TrayIconTest, ARemovedIconIsNotOfferedAgain) {
    shell_.refusals = 1;
    tray_.Add();
    tray_.Remove();
    tray_.AddIfRefused();
    tray_.AddAgain();
    EXPECT_EQ(Calls(NIM_ADD), 1);
    EXPECT_EQ(Calls(NIM_DELETE), 0) << "nothing to delete";
}

} // namespace
} // namespace zandrel::testing
