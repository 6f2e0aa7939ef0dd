#include "framework/core/callback_errors.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zandrel {
namespace {

// The first exception thrown inside the callbacks reaches the caller once,
// after the system call; later ones and normal returns change nothing.
TEST(CallbackErrorsTest, TheFirstErrorIsRethrownOnceAfterTheCall) {
    CallbackErrors errors;
    int calls = 0;
    EXPECT_TRUE(errors.Run([&] { ++calls; }));
    EXPECT_FALSE(errors.Run([] { throw std::runtime_error("first"); }));
    EXPECT_FALSE(errors.Run([] { throw std::logic_error("second"); }));
    EXPECT_EQ(calls, 1);
    try {
        errors.Rethrow();
        FAIL() << "nothing rethrown";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "first");
    }
    EXPECT_NO_THROW(errors.Rethrow());
}

} // namespace
} // namespace zandrel
