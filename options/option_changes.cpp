#include "options/option_changes.h"

OptionChanges PlanOptionChanges(OptionValues const& current, OptionValues const& chosen, bool shutdownActive,
                                bool captionActive)
{
    OptionChanges changes{};
    changes.storeInterval = chosen.interval != current.interval;
    changes.restartRefreshTimer = changes.storeInterval && !shutdownActive;

    // Flags are compared as on/off: a stored 7 and a chosen 1 are both "on".
    bool const adhereWas = current.adhere != 0;
    bool const adhereNow = chosen.adhere != 0;
    if (adhereNow != adhereWas)
        changes.adhere = adhereNow ? AdhereSwitch::On : AdhereSwitch::Off;
    changes.repaintFrameActive = changes.adhere == AdhereSwitch::Off && !captionActive;

    changes.updateAutostart = (chosen.autoRun != 0) != (current.autoRun != 0);
    changes.applyAlpha = chosen.alpha != current.alpha;
    return changes;
}
