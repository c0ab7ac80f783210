// Between the program's own values and Win32's: Rect and RECT, and a window
// handle as the 32-bit number the shared sections carry.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/rect.h"

inline RECT ToRECT(Rect const& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

inline Rect ToRect(RECT const& r)
{
    return Rect{r.left, r.top, r.right, r.bottom};
}

// Window handles are 32-bit values on every Windows, so the number is the
// handle; a 64-bit process sign-extends it, as the system does for handles
// shared between 32-bit and 64-bit processes.
inline HWND WindowOfHandle(uint32_t handle)
{
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<int32_t>(handle)));
}

inline uint32_t HandleOfWindow(HWND window)
{
    return static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(window));
}
