// The GUI tests run with the fake outside world and one application object,
// on a thread with COM initialised, with the program's hint window.
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

} // namespace zandrel::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const zandrel::ComApartment com;
    zandrel::Application application(zandrel::testing::TestEnvironment(),
                                     GetModuleHandleA(nullptr));
    zandrel::InstallCoolHint(application);
    return RUN_ALL_TESTS();
}
