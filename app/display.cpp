#include "app/display.h"

#include "bar/bar_colours.h"
#include "bar/bar_state.h"
#include "bar/follower.h"
#include "base/messages.h"
#include "base/monitors.h"
#include "base/place_window.h"
#include "base/win32_values.h"
#include "cbt/named_section.h"
#include "cbt/shared_window_record.h"
#include "settings/settings.h"
#include "settings/settings_table.h"

namespace {

bool g_displayChangePending;
bool g_suggestedKnown;
RECT g_suggested;

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

void DeferDisplayChange(HWND bar, RECT const* suggested)
{
    if (suggested != nullptr) {
        g_suggested = *suggested;
        g_suggestedKnown = true;
    }
    if (!g_displayChangePending)
        g_displayChangePending = PostMessageW(bar, WM_DISPLAYCHANGED, 0, 0) != FALSE;
}

UINT BarDpi(HWND bar, bool adhering)
{
    UINT const windowDpi = DpiOfWindow(bar);
    RECT rect;
    if (!adhering || !GetWindowRect(bar, &rect))
        return windowDpi;
    MonitorScale monitors[16];
    int const count = ReadMonitorScales(monitors, 16);
    Point const anchor{rect.right, rect.top + (rect.bottom - rect.top) / 2};
    return static_cast<UINT>(DpiAtPoint(anchor, monitors, count, static_cast<int32_t>(windowDpi)));
}

void OnDisplayChange(HWND bar)
{
    g_displayChangePending = false;
    bool const suggested = g_suggestedKnown && !g_settings.adhere;
    g_suggestedKnown = false;
    RECT before;
    GetWindowRect(bar, &before);
    ReadCaptionColours();
    LayOutBarForDisplay(bar, g_settings.barWidth, BarDpi(bar, g_settings.adhere));
    BarGeometry const& geometry = g_barLayout.geometry;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    int x = before.right - geometry.windowWidth, y = before.top;
    if (suggested) {
        x = g_suggested.left;
        y = g_suggested.top;
    } else if (!g_settings.adhere) {
        flags |= SWP_NOMOVE;
    }
    SetWindowPos(bar, nullptr, x, y, geometry.windowWidth, geometry.windowHeight, flags);
    PublishBarRecord(bar);
    if (g_settings.adhere)
        PlaceOnForegroundCaption(bar);
    else
        KeepFloatingBarOnScreen(bar);
    InvalidateRect(bar, nullptr, FALSE);
}

void OnBarMoved(HWND bar)
{
    if (g_settings.adhere && static_cast<int32_t>(BarDpi(bar, true)) != g_barLayout.dpi)
        DeferDisplayChange(bar, nullptr);
}
