#include "framework/hints/core/hint_text.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

TEST(HintText, SplitsAtTheFirstBarAndKeepsAHintWithoutOneWhole) {
    EXPECT_EQ(GetShortHint("Copy|Copy selected item to clipboard"), "Copy");
    EXPECT_EQ(GetLongHint("Copy|Copy selected item to clipboard"),
              "Copy selected item to clipboard");
    EXPECT_EQ(GetShortHint("Bold"), "Bold");
    EXPECT_EQ(GetLongHint("Bold"), "Bold");
    EXPECT_EQ(GetLongHint("a|b|c"), "b|c");
    EXPECT_EQ(GetShortHint("|long only"), "");
    EXPECT_EQ(GetLongHint(""), "");
}

} // namespace
} // namespace zandrel
