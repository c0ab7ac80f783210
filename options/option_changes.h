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
    bool applyLanguage;
};

OptionChanges PlanOptionChanges(OptionValues const& current, OptionValues const& chosen, bool countdownRunning,
                                bool captionActive);
