#include "cbt/follow_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using A = FollowAction;
using E = WindowEvent;

// Facts by letter, so a table row reads at a glance: R riding, C the window
// can carry, F it is the foreground window, S the carrier is shown, B the
// foreground is the bar itself or no window.
FollowFacts Facts(char const* letters)
{
    FollowFacts facts{false, false, false, false, false};
    for (char const* c = letters; *c != '\0'; ++c) {
        switch (*c) {
        case 'R': facts.riding = true; break;
        case 'C': facts.canCarry = true; break;
        case 'F': facts.foreground = true; break;
        case 'S': facts.carrierShown = true; break;
        case 'B': facts.barOrNone = true; break;
        default: ADD_FAILURE() << "unknown fact " << *c;
        }
    }
    return facts;
}

struct Case {
    E event;
    char const* facts;
    A action;
};

TEST(FollowRules, ForegroundChanges)
{
    Case const cases[] = {
        {E::Foreground, "CF", A::Ride},       // parked: a window that can carry takes the bar
        {E::Foreground, "RSCF", A::Ride},     // another carrier, or a captioned dialog of this one
        {E::Foreground, "RSF", A::ShowInactive},   // a tool window or the taskbar in front
        {E::Foreground, "RSB", A::ShowInactive},   // the bar's own menu in front
        {E::Foreground, "RF", A::Wait},       // the carrier went while a window not yet shown came
        {E::Foreground, "RB", A::Park},       // the carrier went and nothing else is in front
        {E::Foreground, "F", A::Wait},        // parked: watch the new window until it can carry
        {E::Foreground, "SF", A::Wait},
        {E::Foreground, "B", A::None},        // parked, the bar's menu: keep watching what was watched
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.action, DecideFollowAction(c.event, Facts(c.facts))) << "facts " << c.facts;
}

TEST(FollowRules, CarrierChanges)
{
    Case const cases[] = {
        // Moved, resized, restored, shown, uncloaked: follow while it carries.
        {E::LocationChange, "RSC", A::Follow},
        {E::LocationChange, "RSCF", A::Follow},
        {E::LocationChange, "RS", A::Park},    // maximised to full screen, or too narrow now
        {E::LocationChange, "CF", A::Ride},    // the waited-for foreground window can carry now
        {E::LocationChange, "C", A::None},     // can carry but is not in front: wait for its activation
        {E::LocationChange, "F", A::None},
        {E::MinimizeEnd, "CF", A::Ride},
        {E::MinimizeEnd, "C", A::None},
        {E::Show, "CF", A::Ride},
        {E::Show, "RSC", A::Follow},
        {E::Uncloaked, "CF", A::Ride},
        {E::Uncloaked, "", A::None},
        // Off the screen: park, and come back when it does.
        {E::MinimizeStart, "RSCF", A::Park},
        {E::MinimizeStart, "F", A::None},
        {E::Hide, "RS", A::Park},
        {E::Hide, "", A::None},
        {E::Cloaked, "RSC", A::Park},
        {E::Cloaked, "C", A::None},
        // Gone for good, riding or waited for.
        {E::Destroy, "RS", A::Forget},
        {E::Destroy, "", A::Forget},
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.action, DecideFollowAction(c.event, Facts(c.facts)))
            << "event " << static_cast<int>(c.event) << " facts " << c.facts;
}

// Whether the window must be read (which may mean a message to another
// program) for the event: only where the answer changes the action.
TEST(FollowRules, CanCarryIsReadOnlyWhereItMatters)
{
    E const all[] = {E::Foreground, E::LocationChange, E::MinimizeStart, E::MinimizeEnd, E::Hide,
                     E::Show,       E::Destroy,        E::Cloaked,       E::Uncloaked};
    char const* const states[] = {"", "R", "RS", "F", "RSF", "B", "RSB", "RF"};
    for (E event : all) {
        bool matters = false;
        for (char const* state : states) {
            std::string with = std::string(state) + "C";
            matters = matters || DecideFollowAction(event, Facts(state)) != DecideFollowAction(event, Facts(with.c_str()));
        }
        EXPECT_EQ(matters, NeedsCanCarry(event)) << "event " << static_cast<int>(event);
    }
}

}  // namespace
