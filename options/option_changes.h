// What taking the Options dialog's result back into the running bar must do.
// Pure logic: the decision as plain data, carried out by ApplyOptions.
#pragma once

#include <cstdint>

#include "settings/settings_table.h"

// The values the dialog edits: a copy of the settings, of which it edits
// the keys the table shows in it (EditedInOptions).
using OptionValues = Settings;

enum class AdhereSwitch { Unchanged, On, Off };

struct OptionChanges {
    bool storeInterval;
    bool restartRefreshTimer;  // never while an auto-shutdown owns the timers
    AdhereSwitch adhere;
    bool repaintFrameActive;   // adhering ended while the caption looked inactive
    bool updateAutostart;
    bool applyAlpha;
    bool showBarText;  // the bar's text again, read now; not while a countdown owns the bar
    bool rearmAlerts;  // a new level may remind at once
    bool applyLanguage;
};

OptionChanges PlanOptionChanges(OptionValues const& current, OptionValues const& chosen, bool countdownRunning,
                                bool captionActive);
