#include "options/option_changes.h"

OptionChanges PlanOptionChanges(OptionValues const& current, OptionValues const& chosen, bool countdownRunning,
                                bool captionActive)
{
    OptionChanges changes{};
    changes.storeInterval = chosen.interval != current.interval;
    changes.restartRefreshTimer = changes.storeInterval && !countdownRunning;

    if (chosen.adhere != current.adhere)
        changes.adhere = chosen.adhere ? AdhereSwitch::On : AdhereSwitch::Off;
    changes.repaintFrameActive = changes.adhere == AdhereSwitch::Off && !captionActive;

    changes.updateAutostart = chosen.autoRun != current.autoRun;
    changes.applyAlpha = chosen.alpha != current.alpha;
    changes.showBarText = chosen.barText != current.barText && !countdownRunning;
    changes.rearmAlerts = chosen.alertLow != current.alertLow || chosen.alertHigh != current.alertHigh;
    changes.applyLanguage = chosen.language != current.language;
    return changes;
}
