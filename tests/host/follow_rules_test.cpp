#include "cbt/follow_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using A = FollowAction;
using E = WindowEvent;

// Facts by letter, so a table row reads at a glance: R riding, C the window
// can carry, F it is the foreground window, S the carrier is shown, B the
// foreground is the bar itself or no window, U the window is full screen on
// the bar's monitor, H the bar is hidden for a full-screen window, A the
// window is the one in front the bar waits for.
FollowFacts Facts(char const* letters)
{
    FollowFacts facts{false, false, false, false, false, false, false, false, false};
    for (char const* c = letters; *c != '\0'; ++c) {
        switch (*c) {
        case 'R': facts.riding = true; break;
        case 'C': facts.canCarry = true; break;
        case 'F': facts.foreground = true; break;
        case 'S': facts.carrierShown = true; break;
        case 'B': facts.barOrNone = true; break;
        case 'U': facts.fullScreen = true; break;
        case 'H': facts.hidden = true; break;
        case 'A': facts.awaited = true; break;
        case 'L': facts.floating = true; break;
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
        {E::Foreground, "RSF", A::Await},     // a tool window, or a window not able yet, in front
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

// The window in front that could not carry when it came (shown cloaked,
// activated while minimised or too narrow) is watched beside the carrier:
// it takes the bar once it can while still in front.
TEST(FollowRules, TheWindowWaitedForTakesTheBarOnceItCan)
{
    Case const cases[] = {
        {E::LocationChange, "ARSCF", A::Ride},  // widened
        {E::MinimizeEnd, "ARSCF", A::Ride},     // restored
        {E::Uncloaked, "ARSCF", A::Ride},       // uncloaked
        {E::Show, "ACF", A::Ride},              // the carrier parked meanwhile
        {E::LocationChange, "ARSF", A::None},   // still too narrow: the bar stays on its carrier
        {E::LocationChange, "ARSC", A::None},   // able, but no longer in front
        {E::LocationChange, "ARSUF", A::Hide},  // went full screen in front
        {E::MinimizeStart, "ARSF", A::None},
        {E::Hide, "ARS", A::None},
        {E::Cloaked, "ARS", A::None},
        {E::Destroy, "ARS", A::StopWaiting},
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.action, DecideFollowAction(c.event, Facts(c.facts)))
            << "event " << static_cast<int>(c.event) << " facts " << c.facts;
}

// In front on the bar's monitor, a full-screen window hides the bar until
// it leaves full screen, goes or loses the foreground.
TEST(FollowRules, FullScreenInFrontHidesTheBar)
{
    Case const cases[] = {
        {E::Foreground, "RSUF", A::Hide},      // a video started over the carrier
        {E::Foreground, "UF", A::Hide},        // parked
        {E::LocationChange, "RSCUF", A::Hide}, // the carrier itself went full screen
        {E::LocationChange, "HUF", A::Hide},   // still full screen: stays hidden
        {E::LocationChange, "RSU", A::Park},   // full screen behind another window: not in the way
        // Back from hiding: the window left full screen, went, or another came in front.
        {E::LocationChange, "HCF", A::Ride},
        {E::LocationChange, "HF", A::Park},
        {E::LocationChange, "HC", A::Park},
        {E::MinimizeStart, "H", A::Park},
        {E::Hide, "H", A::Park},
        {E::Cloaked, "H", A::Park},
        {E::Destroy, "H", A::Forget},
        {E::Foreground, "HCF", A::Ride},
        {E::Foreground, "HF", A::Wait},
        {E::Foreground, "HB", A::Park},        // the bar's own menu from the tray
        {E::Foreground, "HUF", A::Hide},       // another full-screen window
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.action, DecideFollowAction(c.event, Facts(c.facts)))
            << "event " << static_cast<int>(c.event) << " facts " << c.facts;
}

// Floating, the bar moves for a full-screen window in front on its monitor
// only: it never rides, parks or waits (the sequences are follow_state's).
TEST(FollowRules, FloatingOnlyAFullScreenWindowInFrontHidesTheBar)
{
    Case const cases[] = {
        {E::Foreground, "LCF", A::None},     // a window that could carry
        {E::Foreground, "LU", A::Hide},      // came in front, as the event says, whatever is in front by now
        {E::Show, "LHUF", A::Hide},          // still full screen
        {E::Uncloaked, "LU", A::None},       // full screen, not in front
        {E::Hide, "LH", A::Float},
        {E::Cloaked, "LH", A::Float},
        {E::LocationChange, "LCF", A::None},
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
        bool fullScreenMatters = false;
        for (char const* state : states) {
            std::string with = std::string(state) + "UF";
            std::string without = std::string(state) + "F";
            fullScreenMatters = fullScreenMatters || DecideFollowAction(event, Facts(with.c_str())) !=
                                                         DecideFollowAction(event, Facts(without.c_str()));
        }
        EXPECT_EQ(fullScreenMatters, NeedsCanCarry(event)) << "full screen, event " << static_cast<int>(event);
    }
}

}  // namespace
