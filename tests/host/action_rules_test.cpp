#include <gtest/gtest.h>

#include "shutdown/action_rules.h"

namespace {

// Shutting down and restarting are always offered; sleep with any sleep
// state, Modern Standby included; hibernation with S4 and its file.
TEST(ActionRules, WhatTheMachineCanDo)
{
    struct {
        SleepStates states;
        bool sleep, hibernate;
    } const cases[] = {
        {{false, false, false, false, false, false}, false, false},
        {{true, false, false, true, true, false}, true, true},  // Wine 8
        {{false, false, true, true, false, false}, true, false},  // hibernation off
        {{false, false, false, true, true, true}, true, true},  // Modern Standby
        {{false, true, false, false, true, false}, true, false},
    };
    for (auto const& c : cases) {
        EXPECT_TRUE(ActionAvailable(ACTION_SHUTDOWN, c.states));
        EXPECT_TRUE(ActionAvailable(ACTION_RESTART, c.states));
        EXPECT_EQ(c.sleep, ActionAvailable(ACTION_SLEEP, c.states));
        EXPECT_EQ(c.hibernate, ActionAvailable(ACTION_HIBERNATE, c.states));
    }
}

}  // namespace
