#include "cbt/follow_state.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

uintptr_t const A = 0xA0, B = 0xB0, VIDEO = 0xF0, BAR = 0x10;

// Facts as the library reads them: whether the window can carry, is in
// front, whether the carrier is shown, the bar or no window, full screen.
WindowFacts const CARRIES{true, true, true, false, false};
WindowFacts const CARRIES_BEHIND{true, false, true, false, false};
WindowFacts const CANNOT{false, true, true, false, false};
WindowFacts const CANNOT_NOTHING_SHOWN{false, true, false, false, false};
WindowFacts const BAR_MENU{false, true, true, true, false};
WindowFacts const FULL_SCREEN{false, true, true, false, true};
WindowFacts const HIDDEN_CARRIER{false, false, false, false, false};
WindowFacts const FULL_SCREEN_BEHIND{false, false, false, false, true};

struct Step {
    WindowEvent event;
    uintptr_t window;
    WindowFacts facts;
    BarPlace place;
    // The state after: carrier, awaited, riding, hidden.
    uintptr_t carrier, awaited;
    bool riding, hidden;
};

FollowState const PARKED{0, 0, false, false, false};
FollowState const FLOATING{0, 0, false, false, true};

// Feeds the steps in order from start (a parked, unwatched bar unless
// told), checking each; riding or floating never changes on its own.
void Feed(char const* name, std::vector<Step> const& steps, FollowState const& start = PARKED)
{
    FollowState state = start;
    int n = 0;
    for (Step const& s : steps) {
        ++n;
        FollowStep const step = StepFollower(state, s.event, s.window, s.facts);
        SCOPED_TRACE(std::string(name) + " step " + std::to_string(n));
        EXPECT_EQ(static_cast<int>(s.place), static_cast<int>(step.place));
        EXPECT_EQ(s.carrier, step.next.carrier);
        EXPECT_EQ(s.awaited, step.next.awaited);
        EXPECT_EQ(s.riding, step.next.riding);
        EXPECT_EQ(s.hidden, step.next.hidden);
        EXPECT_EQ(start.floating, step.next.floating);
        state = step.next;
    }
}

using E = WindowEvent;
using P = BarPlace;

TEST(FollowState, ParkingAndComingBack)
{
    Feed("minimised and restored",
        {
            {E::Foreground, A, CARRIES, P::OnCaption, A, 0, true, false},
            {E::LocationChange, A, CARRIES, P::Moved, A, 0, true, false},
            {E::MinimizeStart, A, HIDDEN_CARRIER, P::Parked, A, 0, false, false},
            {E::LocationChange, A, HIDDEN_CARRIER, P::Unchanged, A, 0, false, false},
            {E::MinimizeEnd, A, CARRIES, P::OnCaption, A, 0, true, false},
        });
    Feed("restored behind another window waits for its activation",
        {
            {E::Foreground, A, CARRIES, P::OnCaption, A, 0, true, false},
            {E::Hide, A, HIDDEN_CARRIER, P::Parked, A, 0, false, false},
            {E::Show, A, CARRIES_BEHIND, P::Unchanged, A, 0, false, false},
            {E::Foreground, A, CARRIES, P::OnCaption, A, 0, true, false},
        });
    Feed("the carrier goes",
        {
            {E::Foreground, A, CARRIES, P::OnCaption, A, 0, true, false},
            {E::Destroy, A, HIDDEN_CARRIER, P::Parked, 0, 0, false, false},
            {E::LocationChange, A, CARRIES, P::Unchanged, 0, 0, false, false},
        });
    Feed("the bar's own menu parks it",
        {
            {E::Foreground, A, CARRIES, P::OnCaption, A, 0, true, false},
            {E::Hide, A, HIDDEN_CARRIER, P::Parked, A, 0, false, false},
            {E::Foreground, BAR, BAR_MENU, P::Unchanged, A, 0, false, false},
        });
}

TEST(FollowState, ALateWindowTakesTheBarOnceItCanCarry)
{
    Feed("parked, a window in front that cannot carry yet",
        {
            {E::Foreground, B, CANNOT_NOTHING_SHOWN, P::Unchanged, B, 0, false, false},
            {E::Show, B, CARRIES, P::OnCaption, B, 0, true, false},
        });
    Feed("riding, a window in front too small yet",
        {
            {E::Foreground, A, CARRIES, P::OnCaption, A, 0, true, false},
            {E::Foreground, B, CANNOT, P::Inactive, A, B, true, false},
            {E::LocationChange, A, CARRIES_BEHIND, P::Moved, A, B, true, false},
            {E::LocationChange, B, CARRIES, P::OnCaption, B, 0, true, false},
        });
    Feed("the window waited for goes",
        {
            {E::Foreground, A, CARRIES, P::OnCaption, A, 0, true, false},
            {E::Foreground, B, CANNOT, P::Inactive, A, B, true, false},
            {E::Destroy, B, HIDDEN_CARRIER, P::Unchanged, A, 0, true, false},
        });
    Feed("another window comes to the front before it can carry",
        {
            {E::Foreground, A, CARRIES, P::OnCaption, A, 0, true, false},
            {E::Foreground, B, CANNOT, P::Inactive, A, B, true, false},
            {E::Foreground, BAR, BAR_MENU, P::Inactive, A, 0, true, false},
            {E::Show, B, CARRIES, P::Unchanged, A, 0, true, false},
        });
}

TEST(FollowState, AFullScreenWindowInFrontWhileRiding)
{
    Feed("hidden, then back on the next window",
        {
            {E::Foreground, A, CARRIES, P::OnCaption, A, 0, true, false},
            {E::Foreground, VIDEO, FULL_SCREEN, P::Hidden, VIDEO, 0, false, true},
            {E::LocationChange, VIDEO, FULL_SCREEN, P::Unchanged, VIDEO, 0, false, true},
            {E::Foreground, A, CARRIES, P::OnCaption, A, 0, true, false},
        });
    Feed("it leaves full screen: parked and shown",
        {
            {E::Foreground, VIDEO, FULL_SCREEN, P::Hidden, VIDEO, 0, false, true},
            {E::LocationChange, VIDEO, CANNOT, P::Parked, VIDEO, 0, false, false},
        });
    Feed("it goes: parked and shown",
        {
            {E::Foreground, VIDEO, FULL_SCREEN, P::Hidden, VIDEO, 0, false, true},
            {E::Destroy, VIDEO, HIDDEN_CARRIER, P::Parked, 0, 0, false, false},
        });
}

// Floating, the bar stays where the user put it: only a full-screen window
// in front on its monitor hides it, until it leaves full screen, goes or
// another window comes in front.
TEST(FollowState, AFullScreenWindowInFrontWhileFloating)
{
    Feed("hidden, then back when another window comes in front",
        {
            {E::Foreground, A, CARRIES, P::Unchanged, 0, 0, false, false},
            {E::Foreground, VIDEO, FULL_SCREEN, P::Hidden, VIDEO, 0, false, true},
            {E::LocationChange, VIDEO, FULL_SCREEN, P::Unchanged, VIDEO, 0, false, true},
            {E::Foreground, A, CARRIES, P::Floating, 0, 0, false, false},
            {E::LocationChange, A, CARRIES, P::Unchanged, 0, 0, false, false},
        },
        FLOATING);
    Feed("it leaves full screen, is minimised or goes",
        {
            {E::Foreground, VIDEO, FULL_SCREEN, P::Hidden, VIDEO, 0, false, true},
            {E::LocationChange, VIDEO, CANNOT, P::Floating, 0, 0, false, false},
            {E::Foreground, VIDEO, FULL_SCREEN, P::Hidden, VIDEO, 0, false, true},
            {E::MinimizeStart, VIDEO, HIDDEN_CARRIER, P::Floating, 0, 0, false, false},
            {E::Foreground, VIDEO, FULL_SCREEN, P::Hidden, VIDEO, 0, false, true},
            {E::Foreground, B, FULL_SCREEN, P::Unchanged, B, 0, false, true},
            {E::Destroy, VIDEO, HIDDEN_CARRIER, P::Unchanged, B, 0, false, true},
            {E::Destroy, B, HIDDEN_CARRIER, P::Floating, 0, 0, false, false},
        },
        FLOATING);
    Feed("the bar's own menu in front, or full screen behind another window",
        {
            {E::Foreground, VIDEO, FULL_SCREEN, P::Hidden, VIDEO, 0, false, true},
            {E::Foreground, BAR, BAR_MENU, P::Floating, 0, 0, false, false},
            {E::Foreground, VIDEO, FULL_SCREEN, P::Hidden, VIDEO, 0, false, true},
            {E::LocationChange, VIDEO, FULL_SCREEN_BEHIND, P::Floating, 0, 0, false, false},
        },
        FLOATING);
}

// Two monitors at 100 % and 150 %: each window's facts are read at its own
// scale (CanCarry), and "full screen" means covering the bar's monitor, the
// one of the window it last rode on. The steps are the same on either.
TEST(FollowState, TwoScales)
{
    uintptr_t const ON_150 = 0xC0, VIDEO_ON_100 = 0xD0;
    Feed("from a window at 100 % to one at 150 % and back",
        {
            {E::Foreground, A, CARRIES, P::OnCaption, A, 0, true, false},
            {E::Foreground, ON_150, CARRIES, P::OnCaption, ON_150, 0, true, false},
            {E::LocationChange, ON_150, CARRIES, P::Moved, ON_150, 0, true, false},
            {E::LocationChange, A, CARRIES_BEHIND, P::Unchanged, ON_150, 0, true, false},
            {E::Foreground, A, CARRIES, P::OnCaption, A, 0, true, false},
        });
    Feed("a window dragged to the other monitor is followed there",
        {
            {E::Foreground, A, CARRIES, P::OnCaption, A, 0, true, false},
            {E::LocationChange, A, CARRIES, P::Moved, A, 0, true, false},
            {E::LocationChange, A, CANNOT, P::Parked, A, 0, false, false},  // too narrow at the new scale
            {E::LocationChange, A, CARRIES, P::OnCaption, A, 0, true, false},
        });
    Feed("riding at 150 %, a full-screen video on the 100 % monitor is not in the way",
        {
            {E::Foreground, ON_150, CARRIES, P::OnCaption, ON_150, 0, true, false},
            {E::Foreground, VIDEO_ON_100, CANNOT, P::Inactive, ON_150, VIDEO_ON_100, true, false},
            {E::Foreground, ON_150, CARRIES, P::OnCaption, ON_150, 0, true, false},
        });
}

// Events of a window no longer followed, still queued, change nothing.
TEST(FollowState, EventsOfWindowsNoLongerFollowedAreIgnored)
{
    FollowState const riding{A, 0, true, false, false};
    for (E event : {E::LocationChange, E::Hide, E::Show, E::Destroy, E::MinimizeStart, E::Cloaked}) {
        FollowStep const step = StepFollower(riding, event, B, CARRIES);
        EXPECT_EQ(static_cast<int>(FollowAction::None), static_cast<int>(step.action));
        EXPECT_EQ(static_cast<int>(P::Unchanged), static_cast<int>(step.place));
        EXPECT_EQ(A, step.next.carrier);
        EXPECT_TRUE(step.next.riding);
    }
}

}  // namespace
