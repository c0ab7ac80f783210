// The two named sections as seen from the current process, opened once.
#pragma once

#include <windows.h>

#include "cbt/follow_state.h"
#include "cbt/shared_window_record.h"

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
