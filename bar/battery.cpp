#include "bar/battery.h"

#include "app/state.h"
#include "bar/power_status.h"

BOOL(WINAPI* g_getSystemPowerStatus)(LPSYSTEM_POWER_STATUS) = GetSystemPowerStatus;

int SampleBattery()
{
    SYSTEM_POWER_STATUS status;
    ZeroMemory(&status, sizeof status);
    BOOL const ok = g_getSystemPowerStatus(&status);

    PowerReading const reading{status.ACLineStatus, status.BatteryFlag, status.BatteryLifePercent};
    BatteryView const view = MapPowerReading(reading, ok != FALSE);
    g_settings.percent = view.percent;
    g_settings.powerState = view.powerState;
    FormatBatteryText(view, g_settings.barText, ARRAYSIZE(g_settings.barText));
    return view.hasPercent ? 1 : 0;
}
