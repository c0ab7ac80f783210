// What the library's hook procedures share across processes: whether the
// hooks are on and which window the bar rides on. Lives in the library's own
// named section, created by the program's process; no window system.
#pragma once

#include <cstdint>

#define FOLLOW_STATE_NAME L"SM_Brisvane_follow_2012"

struct FollowState {
    int32_t installed;  // nonzero between InstallCBTHook and UninstallCBTHook
    uint32_t carrier;   // handle of the window the bar rides on, 0 while parked
};
