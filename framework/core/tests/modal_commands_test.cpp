#include "framework/core/modal_commands.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

TEST(AdmitCommandTest, EachRuleInsideAndOutsideAModalLoop) {
    using enum WhileModal;
    using enum CommandAdmission;
    struct Case {
        WhileModal rule;
        bool inModalLoop;
        bool alreadyRunning;
        CommandAdmission expected;
    };
    const Case cases[] = {
        {Runs, false, false, Run},
        {Runs, true, true, Run},
        {Refused, false, false, Run},
        {Refused, true, false, Refuse},
        {Refused, true, true, Refuse},
        {RunsOnce, true, false, Run},
        {RunsOnce, true, true, BringOpenWindowUp},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AdmitCommand(c.rule, c.inModalLoop, c.alreadyRunning), c.expected)
            << int(c.rule) << " in loop " << c.inModalLoop << " running " << c.alreadyRunning;
    }
}

} // namespace
} // namespace zandrel
