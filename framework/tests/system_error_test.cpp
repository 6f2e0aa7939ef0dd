// What a failed system call tells the user: what could not be done, the
// call, its error number and the system's own text.
#include "framework/system_error.h"
#include "framework/window.h"

#include <gtest/gtest.h>

namespace zandrel::testing {
namespace {

TEST(SystemErrorTest, TheSystemsTextOnOneLine) {
    const struct {
        DWORD Code;
        const char* Part;
    } cases[] = {
        {ERROR_SUCCESS, "the system gave no reason."},
        {ERROR_ACCESS_DENIED, "denied"},
        {0x2FFFFFFF, "the system has no text for it."},
    };
    for (const auto& each : cases) {
        const std::string text = SystemErrorText(each.Code);
        EXPECT_NE(text.find(each.Part), std::string::npos) << each.Code << ": " << text;
        EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    }
}

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

TEST(SystemErrorTest, AWindowTheSystemRefusesSaysWhy) {
    const HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr,
                                      nullptr, nullptr);
    DestroyWindow(gone);
    try {
        Orphan window(gone);
        FAIL() << "the window was made";
    } catch (const SystemError& error) {
        EXPECT_EQ(error.Call(), "CreateWindowExA");
        EXPECT_EQ(error.Code(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create the window Zandrel.Orphan\nCreateWindowExA failed with error "
                  "1400: " + SystemErrorText(ERROR_INVALID_WINDOW_HANDLE));
    }
}

} // namespace
} // namespace zandrel::testing
