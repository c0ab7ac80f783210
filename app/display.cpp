#include "app/display.h"

#include "bar/bar_colours.h"
#include "bar/bar_state.h"
#include "base/monitors.h"
#include "base/place_window.h"
#include "base/win32_values.h"
#include "cbt/cbt.h"
#include "cbt/named_section.h"
#include "cbt/shared_window_record.h"
#include "settings/settings.h"
#include "settings/settings_table.h"

namespace {

// Kept open on purpose: the library opens the section by name whenever it
// needs the record; it ends with the process. The first call opens it, and
// later ones (the bar's size changed) rewrite the same record. Failure is
// silent.
NamedSection g_recordSection;

void PublishWindowRecord(SharedWindowRecord const& record)
{
    if (g_recordSection.view == nullptr)
        g_recordSection = OpenNamedSection(SHARED_WINDOW_RECORD_NAME, SHARED_WINDOW_RECORD_SIZE, true);
    if (g_recordSection.view != nullptr)
        CopyMemory(g_recordSection.view, &record, sizeof record);
}

}  // namespace

void PublishBarRecord(HWND bar)
{
    SharedWindowRecord record;
    record.barWindow = HandleOfWindow(bar);
    record.barWidth = g_barLayout.geometry.windowWidth;
    record.barHeight = g_barLayout.geometry.windowHeight;
    record.captionHeight = g_barLayout.captionHeight;
    record.ignoreDUI = g_settings.ignoreDUI ? 1 : 0;
    PublishWindowRecord(record);
}

void PlaceOnForegroundCaption(HWND bar)
{
    HWND foreground = GetForegroundWindow();
    RECT rect;
    if (foreground != nullptr && GetWindowRect(foreground, &rect) && CanAdhere(foreground, &rect))
        MoveOwnerWindow(bar, &rect);
    else
        PlaceAtBottomRight(bar, nullptr);
}

void KeepFloatingBarOnScreen(HWND bar)
{
    RECT rect;
    if (!GetWindowRect(bar, &rect) || IsOnAnyMonitor(rect))
        return;
    // From the width the bar really has: one held to the work area starts at its left.
    int const width = rect.right - rect.left;
    RECT const area = WorkAreaNear(nullptr);
    int x = DefaultPositionX(GetSystemMetrics(SM_CXSCREEN), g_barLayout.captionHeight, width - 25);
    if (x < area.left)
        x = area.left;
    SetWindowPos(bar, nullptr, x, DEFAULT_POSITION_Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnDisplayChange(HWND bar, RECT const* suggested)
{
    ReadCaptionColours();
    LayOutBarForDisplay(bar, g_settings.barWidth);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (suggested == nullptr)
        flags |= SWP_NOMOVE;
    int const x = suggested != nullptr ? suggested->left : 0;
    int const y = suggested != nullptr ? suggested->top : 0;
    BarGeometry const& geometry = g_barLayout.geometry;
    SetWindowPos(bar, nullptr, x, y, geometry.windowWidth, geometry.windowHeight, flags);
    PublishBarRecord(bar);
    if (g_settings.adhere)
        PlaceOnForegroundCaption(bar);
    else
        KeepFloatingBarOnScreen(bar);
    InvalidateRect(bar, nullptr, FALSE);
}
