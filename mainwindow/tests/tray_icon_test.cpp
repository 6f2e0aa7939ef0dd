// The tray icon against a shell that refuses it at first, as one not yet
// ready at the start or busy does.
#include "mainwindow/tray_icon.h"

#include <gtest/gtest.h>

#include <string>

namespace zandrel::testing {
namespace {

TEST(TrayIconTest, ARefusedIconIsOfferedAgainUntilTheShellTakesItAndNotOnceRemoved) {
    int refusals = 2;
    bool held = false; // the shell holds one icon at most
    std::string calls;
    TrayIcon tray([&](DWORD message, NOTIFYICONDATAA&) {
        calls += message == NIM_ADD ? "add " : message == NIM_MODIFY ? "modify " : "delete ";
        if (message == NIM_MODIFY) {
            return held;
        }
        if (message == NIM_DELETE) {
            return !std::exchange(held, false);
        }
        return refusals-- <= 0 && !std::exchange(held, true);
    });
    tray.Add();
    for (int tick = 0; tick < 3; ++tick) {
        tray.AddIfRefused();
    }
    EXPECT_TRUE(tray.Added() && held);
    EXPECT_EQ(calls, "add modify add modify add ");

    calls.clear();
    tray.AddAgain(); // "TaskbarCreated" from a shell that kept the icon
    held = false;
    tray.AddAgain(); // from one that lost it: taken, as the delete shows
    tray.Remove();
    tray.AddIfRefused();
    tray.AddAgain();
    EXPECT_EQ(calls, "add modify add delete ");
}

} // namespace
} // namespace zandrel::testing
