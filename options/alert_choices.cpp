#include "options/alert_choices.h"

int32_t AlertNumberShown(int32_t level, int32_t suggestion)
{
    return level > 0 && level <= 100 ? level : suggestion;
}

int32_t AlertLevelChosen(bool checked, bool converted, uint32_t typed, int32_t shown)
{
    if (!checked)
        return 0;
    if (!converted || typed == 0)
        return shown;
    return typed > 100 ? 100 : static_cast<int32_t>(typed);
}
