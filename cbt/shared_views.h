// The two named sections as seen from the current process, opened once.
#pragma once

#include <windows.h>

#include "cbt/follow_state.h"
#include "hook/shared_window_record.h"

struct SharedViews {
    SharedWindowRecord volatile* record;
    FollowState volatile* follow;
};

// Opens the views on first use and keeps them for the process's life; the
// program's process (create) makes the follow section, other processes only
// open what exists. A restarted program writes into the same sections while
// any view of them is open, so the views never go stale. Null members while
// a section is missing.
SharedViews OpenSharedViews(bool create);

HWND BarWindowOf(SharedViews const& views);

// Window handles travel through the sections as 32-bit values, which 64-bit
// processes sign-extend, as the system does for handles it shares between
// 32-bit and 64-bit processes.
inline HWND ToWindow(uint32_t handle)
{
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<int32_t>(handle)));
}

inline uint32_t ToHandle(HWND window)
{
    return static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(window));
}
