#include "cbt/full_screen.h"

bool IsFullScreenWindow(Rect const& window, Rect const& monitor, bool captionShown)
{
    if (captionShown || monitor.right <= monitor.left || monitor.bottom <= monitor.top)
        return false;
    return window.left <= monitor.left && window.top <= monitor.top && window.right >= monitor.right &&
           window.bottom >= monitor.bottom;
}
