#include "cbt/follow_rules.h"

namespace {

FollowAction OnForeground(FollowFacts const& facts)
{
    if (facts.canCarry)
        return FollowAction::Ride;
    if (facts.riding && facts.carrierShown)
        return FollowAction::ShowInactive;
    // The bar's own menu, or no window: nothing to wait for.
    if (facts.barOrNone)
        return facts.riding ? FollowAction::Park : FollowAction::None;
    // A window that may carry once it is shown or moved is waited for.
    return FollowAction::Wait;
}

// Shown, moved, restored or uncloaked: the carrier may carry (again) or not.
FollowAction OnCarrierChanged(FollowFacts const& facts)
{
    if (facts.canCarry) {
        if (facts.riding)
            return FollowAction::Follow;
        // Back on screen but not in front: the bar waits for its activation.
        return facts.foreground ? FollowAction::Ride : FollowAction::None;
    }
    return facts.riding ? FollowAction::Park : FollowAction::None;
}

}  // namespace

bool NeedsCanCarry(WindowEvent event)
{
    switch (event) {
    case WindowEvent::Foreground:
    case WindowEvent::LocationChange:
    case WindowEvent::MinimizeEnd:
    case WindowEvent::Show:
    case WindowEvent::Uncloaked:
        return true;
    case WindowEvent::MinimizeStart:
    case WindowEvent::Hide:
    case WindowEvent::Destroy:
    case WindowEvent::Cloaked:
        break;
    }
    return false;
}

FollowAction DecideFollowAction(WindowEvent event, FollowFacts const& facts)
{
    switch (event) {
    case WindowEvent::Foreground:
        return OnForeground(facts);
    case WindowEvent::LocationChange:
    case WindowEvent::MinimizeEnd:
    case WindowEvent::Show:
    case WindowEvent::Uncloaked:
        return OnCarrierChanged(facts);
    case WindowEvent::MinimizeStart:
    case WindowEvent::Hide:
    case WindowEvent::Cloaked:
        return facts.riding ? FollowAction::Park : FollowAction::None;
    case WindowEvent::Destroy:
        return FollowAction::Forget;
    }
    return FollowAction::None;
}
