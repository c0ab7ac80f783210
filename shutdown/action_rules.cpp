#include "shutdown/action_rules.h"

bool ActionAvailable(ShutdownAction action, SleepStates const& states)
{
    switch (action) {
    case ACTION_SLEEP:
        return states.s1 || states.s2 || states.s3 || states.modernStandby;
    case ACTION_HIBERNATE:
        return states.s4 && states.hiberFile;
    case ACTION_SHUTDOWN:
    case ACTION_RESTART:
        break;
    }
    return true;
}
