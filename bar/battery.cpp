#include "bar/battery.h"

#include "bar/bar_state.h"
#include "bar/power_status.h"
#include "base/messages.h"
#include "base/system_calls.h"
#include "base/win32_values.h"

namespace {

uint32_t g_refreshPeriod;

}  // namespace

void StartRefresh(HWND bar, int32_t interval)
{
    g_refreshPeriod = RefreshPeriod(interval);
    SetTimer(bar, IDT_REFRESH, g_refreshPeriod, nullptr);
}

void StopRefresh(HWND bar)
{
    KillTimer(bar, IDT_REFRESH);
    g_refreshPeriod = 0;
}

// For the tests, which declare it: the period the refresh runs at.
uint32_t RefreshPeriodInUse()
{
    return g_refreshPeriod;
}

void ShowBattery(HWND bar)
{
    SampleBattery();
    InvalidateRect(bar, nullptr, FALSE);
}

int SampleBattery()
{
    SYSTEM_POWER_STATUS status;
    ZeroMemory(&status, sizeof status);
    BOOL const ok = g_system.GetSystemPowerStatus(&status);

    PowerReading const reading{status.ACLineStatus, status.BatteryFlag, status.BatteryLifePercent};
    BatteryView const view = MapPowerReading(reading, ok != FALSE);
    g_barView.percent = view.percent;
    g_barView.powerState = view.powerState;
    FormatBatteryText(view, g_barView.text, ARRAYSIZE(g_barView.text));
    return view.hasPercent ? 1 : 0;
}

// The icon when PowerState changed, the fill (and so the text) when the
// percent changed.
void OnRefreshTick(HWND bar)
{
    int32_t const oldPercent = g_barView.percent;
    int32_t const oldPowerState = g_barView.powerState;
    if (SampleBattery() == 0)
        StopRefresh(bar);

    RECT dirty;
    SetRectEmpty(&dirty);
    if (g_barView.powerState != oldPowerState) {
        RECT const icon = ToRECT(g_barLayout.geometry.icon);
        UnionRect(&dirty, &dirty, &icon);
    }
    if (g_barView.percent != oldPercent) {
        RECT const fill = ToRECT(g_barLayout.geometry.fill);
        UnionRect(&dirty, &dirty, &fill);
    }
    if (IsRectEmpty(&dirty))
        return;
    dirty.right += 1;
    dirty.bottom += 1;
    InvalidateRect(bar, &dirty, FALSE);
}
