// What taking the Options dialog's result back into the running bar must do.
// Pure logic: the decision as plain data, carried out by ApplyOptions.
#pragma once

#include <cstdint>

#include "base/ui_language_rule.h"

// The values the dialog edits.
struct OptionValues {
    int32_t interval;  // milliseconds
    uint8_t alpha;
    bool adhere;
    bool ignoreDUI;
    bool autoRun;
    bool barShowsTime;  // BarText 1
    int32_t alertLow;   // percent, 0 = off
    int32_t alertHigh;
    LanguageChoice language;
};

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
