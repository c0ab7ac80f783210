#include "options/interval_choices.h"

int32_t const INTERVAL_CHOICES[INTERVAL_CHOICE_COUNT] = {2, 5, 10, 20, 30, 40, 60};

int IntervalChoiceIndex(int32_t intervalMs)
{
    for (int i = 0; i < INTERVAL_CHOICE_COUNT; ++i) {
        if (INTERVAL_CHOICES[i] * 1000 == intervalMs)
            return i;
    }
    return -1;
}

int32_t IntervalForSelection(int selection, int32_t openedWithMs)
{
    if (selection < 0 || selection >= INTERVAL_CHOICE_COUNT)
        return openedWithMs;
    return INTERVAL_CHOICES[selection] * 1000;
}
