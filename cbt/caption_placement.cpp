#include "cbt/caption_placement.h"

#include "cbt/full_screen.h"

namespace {

bool IsEmpty(Rect const& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

// The band the bar is centred in; its right end is where the bar ends.
struct CaptionBand {
    int64_t left, top, right, bottom;
};

}  // namespace

int32_t CaptionButtonsLeft(Rect const& titleBar, CaptionButtons const& buttons)
{
    int64_t left = titleBar.right;
    int visibleCount = 0;
    bool reported = false;
    for (int i = 0; i < CAPTION_BUTTON_COUNT; ++i) {
        if (!buttons.visible[i])
            continue;
        ++visibleCount;
        if (!IsEmpty(buttons.rects[i])) {
            reported = true;
            if (buttons.rects[i].left < left)
                left = buttons.rects[i].left;
        }
    }
    if (!reported && buttons.buttonWidth > 0)
        left = static_cast<int64_t>(titleBar.right) - static_cast<int64_t>(visibleCount) * buttons.buttonWidth;
    if (left < titleBar.left)
        left = titleBar.left;
    return static_cast<int32_t>(left);
}

// Buttons and free caption beside them: the window told where its caption is.
bool RowFound(CaptionRowReading const& row)
{
    return row.buttonsFound && row.answersCaption;
}

bool Reported(CaptionButtons const& buttons)
{
    for (int i = 0; i < CAPTION_BUTTON_COUNT; ++i)
        if (buttons.visible[i] && !IsEmpty(buttons.rects[i]))
            return true;
    return false;
}

bool WindowToldButtons(CarrierWindow const& window)
{
    return RowFound(window.row) || Reported(window.buttons);
}

bool CaptionButtonsKnown(CarrierWindow const& window)
{
    return WindowToldButtons(window) || !IsEmpty(window.dwmButtons) || !window.dwmCaption;
}

int32_t CaptionButtonsLeft(CarrierWindow const& window)
{
    int32_t reported = CaptionButtonsLeft(window.titleBar, window.buttons);
    if (!Reported(window.buttons) && !IsEmpty(window.dwmButtons)) {
        reported = window.dwmButtons.left;
        if (reported > window.titleBar.right)
            reported = window.titleBar.right;
        if (reported < window.titleBar.left)
            reported = window.titleBar.left;
    }
    if (!RowFound(window.row))
        return reported;
    int32_t probed = window.row.barRight;
    if (probed > window.titleBar.right)
        probed = window.titleBar.right;
    if (probed < window.titleBar.left)
        probed = window.titleBar.left;
    // A system caption's buttons may answer a few pixels wider than they are
    // drawn (Wine's do): within half a button of the report, the report is
    // what the user sees.
    if (probed <= reported && reported - probed <= window.buttons.buttonWidth / 2)
        return reported;
    return probed;
}

bool IsFullScreen(CarrierWindow const& window)
{
    // A maximised window covers its monitor too, but its caption stays on it;
    // its frame, and with it the caption's top edge, may reach past the
    // monitor, so the caption's middle row tells.
    int64_t const middle =
        window.titleBar.top + (static_cast<int64_t>(window.titleBar.bottom) - window.titleBar.top) / 2;
    bool const captionShown = window.hasCaption ? !IsEmpty(window.titleBar) && middle >= window.monitor.top
                                                : RowFound(window.row);
    return IsFullScreenWindow(window.frame, window.monitor, captionShown);
}

bool PlaceBarOnCaption(CarrierWindow const& window, BarShape const& shape, Rect* bar)
{
    if (shape.width <= 0 || shape.height <= 0 || IsEmpty(window.frame) || IsFullScreen(window))
        return false;

    CaptionBand band;
    if (window.hasCaption) {
        if (IsEmpty(window.titleBar) || !CaptionButtonsKnown(window))
            return false;
        band.left = window.titleBar.left;
        band.top = window.titleBar.top;
        band.bottom = window.titleBar.bottom;
        band.right = static_cast<int64_t>(CaptionButtonsLeft(window)) - BAR_BUTTON_GAP;
    } else {
        if (shape.ignoreSelfDrawn || shape.captionHeight <= 0 || !RowFound(window.row))
            return false;
        band.left = window.frame.left;
        band.top = window.frame.top;
        band.bottom = static_cast<int64_t>(window.frame.top) + shape.captionHeight;
        int64_t const right = window.row.barRight < window.frame.right ? window.row.barRight : window.frame.right;
        band.right = right - BAR_BUTTON_GAP;
        if (band.bottom > window.frame.bottom)
            return false;
    }

    int64_t const left = band.right - shape.width;
    int64_t const top = band.top + (band.bottom - band.top - shape.height) / 2;
    if (left < band.left || band.bottom - band.top < shape.height)
        return false;
    // Everything lies within the frame's 32-bit coordinates by now.
    bar->left = static_cast<int32_t>(left);
    bar->top = static_cast<int32_t>(top);
    bar->right = static_cast<int32_t>(band.right);
    bar->bottom = static_cast<int32_t>(top + shape.height);
    return true;
}
