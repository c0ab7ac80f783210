#include "app/settings.h"

#include "app/settings_table.h"
#include "app/state.h"

void LoadSettings()
{
    g_settings.autoRun = DEFAULT_AUTORUN;
    g_settings.adhere = DEFAULT_ADHERE;
    g_settings.ignoreDUI = DEFAULT_IGNOREDUI;
    g_settings.barWidth = DEFAULT_BARWIDTH;
    g_settings.interval = DEFAULT_INTERVAL;
    g_settings.alpha = static_cast<BYTE>(DEFAULT_ALPHA);
    g_settings.positionX = DefaultPositionX(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYCAPTION),
                                            g_settings.barWidth);
    g_settings.positionY = DEFAULT_POSITION_Y;
    g_settings.shutdownActive = 0;
}
