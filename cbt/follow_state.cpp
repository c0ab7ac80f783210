#include "cbt/follow_state.h"

namespace {

// Follows window's events from now on, as the carrier's.
void Watch(FollowState& state, uintptr_t window)
{
    state.carrier = window;
    if (state.awaited == window)
        state.awaited = 0;
}

// Leaves the caption (or its hiding place) for the bottom-right corner.
BarPlace Park(FollowState& state)
{
    bool const away = state.riding || state.hidden;
    state.riding = false;
    state.hidden = false;
    return away ? BarPlace::Parked : BarPlace::Unchanged;
}

}  // namespace

FollowStep StepFollower(FollowState const& state, WindowEvent event, uintptr_t window, WindowFacts const& facts)
{
    FollowStep step{state, FollowAction::None, BarPlace::Unchanged, false};
    bool const foregroundChange = event == WindowEvent::Foreground;
    if (!foregroundChange && window != state.carrier && window != state.awaited)
        return step;

    FollowFacts const decided{state.riding,  facts.canCarry,   facts.foreground,
                              facts.carrierShown, facts.barOrNone, facts.fullScreen,
                              state.hidden,  !foregroundChange && window == state.awaited && window != state.carrier,
                              state.floating};
    step.action = DecideFollowAction(event, decided);
    FollowState& next = step.next;
    // A new window in front ends any wait for the one before it.
    if (foregroundChange && step.action != FollowAction::Await && step.action != FollowAction::Ride)
        next.awaited = 0;

    switch (step.action) {
    case FollowAction::None:
        break;
    case FollowAction::Ride:
        next.awaited = 0;
        Watch(next, window);
        next.riding = true;
        next.hidden = false;
        step.place = BarPlace::OnCaption;
        break;
    case FollowAction::Follow:
        step.place = BarPlace::Moved;
        break;
    case FollowAction::ShowInactive:
        step.place = BarPlace::Inactive;
        break;
    case FollowAction::Await:
        next.awaited = window != next.carrier ? window : 0;
        step.place = BarPlace::Inactive;
        break;
    case FollowAction::StopWaiting:
        next.awaited = 0;
        break;
    case FollowAction::Park:
        // Parked even when it was already parked: the work area may have changed.
        next.riding = false;
        next.hidden = false;
        step.place = BarPlace::Parked;
        break;
    case FollowAction::Wait:
        step.place = Park(next);
        Watch(next, window);
        break;
    case FollowAction::Forget:
        step.place = Park(next);
        Watch(next, 0);
        step.forgetProbes = true;
        break;
    case FollowAction::Hide:
        next.riding = false;
        next.awaited = 0;
        Watch(next, window);
        step.place = state.hidden ? BarPlace::Unchanged : BarPlace::Hidden;
        next.hidden = true;
        break;
    case FollowAction::Float:
        next.hidden = false;
        Watch(next, 0);
        step.place = BarPlace::Floating;
        break;
    }
    return step;
}
