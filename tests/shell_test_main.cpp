// The GUI tests run with the fake outside world and one application object,
// on a thread with COM initialised, with the program's hint window. Each
// test starts as the first one does, whatever ran before it.
#include "extras/CoolHint.h"
#include "framework/application.h"
#include "framework/tests/fake_environment.h"
#include "mainwindow/comune.h"

#include <gtest/gtest.h>

namespace zandrel::testing {

FakeEnvironment& TestEnvironment() {
    static FakeEnvironment environment;
    return environment;
}

namespace {

// What a test may leave behind that the next one would find: the fake
// world's clock, sounds and answers; the sound switch of the application
// object the tests share; the mouse captured; the pointer where the test
// put it (over a sticker, Wine's hit tests on a window moved under it act
// as a press while a test holds the button).
class FreshStart : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        TestEnvironment().Reset();
        App().Sounds().SetEnabled(true);
        ReleaseCapture();
        SetCursorPos(0, 0);
    }
};

} // namespace
} // namespace zandrel::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const zandrel::ComApartment com;
    zandrel::Application application(zandrel::testing::TestEnvironment(),
                                     GetModuleHandleA(nullptr));
    zandrel::InstallCoolHint(application);
    ::testing::UnitTest::GetInstance()->listeners().Append(new zandrel::testing::FreshStart);
    return RUN_ALL_TESTS();
}
