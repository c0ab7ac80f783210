#include <gtest/gtest.h>

#include <climits>

#include "options/alpha_rules.h"
#include "options/interval_choices.h"
#include "options/option_changes.h"

namespace {

TEST(IntervalChoices, SelectionOfAStoredInterval)
{
    struct Case {
        int32_t intervalMs;
        int index;
    } const cases[] = {
        {2000, 0}, {5000, 1}, {10000, 2}, {20000, 3}, {30000, 4}, {40000, 5}, {60000, 6},
        // None of the choices: the box opens without a selection.
        {3000, -1}, {0, -1}, {-5000, -1}, {5, -1}, {5001, -1}, {4999, -1}, {120000, -1},
        {INT32_MAX, -1}, {INT32_MIN, -1},
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.index, IntervalChoiceIndex(c.intervalMs)) << c.intervalMs;
}

TEST(IntervalChoices, OkTakesTheSelectedChoiceOrKeepsTheInterval)
{
    struct Case {
        int selection;
        int32_t openedWith;
        int32_t result;
    } const cases[] = {
        {0, 3000, 2000}, {1, 3000, 5000}, {2, 3000, 10000}, {6, 5000, 60000},
        // No selection (CB_ERR) or an index past the table: keep what came in.
        {-1, 3000, 3000}, {-1, 5000, 5000}, {7, 3000, 3000}, {100, 1234, 1234},
        {INT_MIN, 3000, 3000}, {INT_MAX, 3000, 3000},
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.result, IntervalForSelection(c.selection, c.openedWith)) << c.selection;
}

TEST(IntervalChoices, EveryEntryRoundTrips)
{
    for (int i = 0; i < INTERVAL_CHOICE_COUNT; ++i)
        EXPECT_EQ(i, IntervalChoiceIndex(IntervalForSelection(i, -1)));
}

TEST(AlphaRules, TypedValueOnlyZeroToHundred)
{
    struct Case {
        bool converted;
        uint32_t value;
        int alpha;
    } const cases[] = {
        {true, 0, 0}, {true, 2, 2}, {true, 20, 20}, {true, 100, 100},
        {true, 101, -1}, {true, 200, -1}, {true, 255, -1}, {true, 256, -1}, {true, UINT32_MAX, -1},
        {false, 0, -1}, {false, 50, -1},  // text that is no unsigned number
    };
    for (Case const& c : cases)
        EXPECT_EQ(c.alpha, AlphaFromTypedValue(c.converted, c.value)) << c.value;
}

TEST(AlphaRules, TrackbarPositionClamped)
{
    EXPECT_EQ(0, AlphaFromTrackbarPosition(0));
    EXPECT_EQ(200, AlphaFromTrackbarPosition(200));
    EXPECT_EQ(255, AlphaFromTrackbarPosition(255));
    EXPECT_EQ(255, AlphaFromTrackbarPosition(256));
    EXPECT_EQ(255, AlphaFromTrackbarPosition(65535));
    EXPECT_EQ(0, AlphaFromTrackbarPosition(-1));
    EXPECT_EQ(0, AlphaFromTrackbarPosition(LONG_MIN));
    EXPECT_EQ(255, AlphaFromTrackbarPosition(LONG_MAX));
}

// AutoRun off, Adhere and IgnoreDUI on, 5000 ms, Alpha 240, the percentage,
// AlertLow 20, AlertHigh off, the language as Windows', ForceClose on, shutting down, the history kept.
OptionValues const BASE{false, true, true, 50, 5000, 240, 0, 20, 0, LanguageChoice::AsWindows, true, 0, true, 0, 4};

bool NothingToDo(OptionChanges const& c)
{
    return !c.storeInterval && !c.restartRefreshTimer && c.adhere == AdhereSwitch::Unchanged &&
           !c.repaintFrameActive && !c.updateAutostart && !c.applyAlpha && !c.showBarText && !c.rearmAlerts &&
           !c.applyLanguage;
}

TEST(OptionChanges, UnchangedValuesNeedNoStep)
{
    EXPECT_TRUE(NothingToDo(PlanOptionChanges(BASE, BASE, false, true)));
    EXPECT_TRUE(NothingToDo(PlanOptionChanges(BASE, BASE, true, false)));
    // IgnoreDUI alone never has an effect on the running bar.
    OptionValues chosen = BASE;
    chosen.ignoreDUI = 0;
    EXPECT_TRUE(NothingToDo(PlanOptionChanges(BASE, chosen, false, true)));
    // Flags stored as other nonzero values are still "on".
    OptionValues odd = BASE;
    odd.adhere = 7;
    odd.autoRun = -3;
    OptionValues on = BASE;
    on.autoRun = 1;
    EXPECT_TRUE(NothingToDo(PlanOptionChanges(odd, on, false, false)));
}

TEST(OptionChanges, EachFieldOnlyItsOwnStep)
{
    OptionValues chosen = BASE;
    chosen.interval = 10000;
    OptionChanges c = PlanOptionChanges(BASE, chosen, false, true);
    EXPECT_TRUE(c.storeInterval);
    EXPECT_TRUE(c.restartRefreshTimer);
    EXPECT_EQ(AdhereSwitch::Unchanged, c.adhere);
    EXPECT_FALSE(c.updateAutostart || c.applyAlpha || c.repaintFrameActive);

    chosen = BASE;
    chosen.alpha = 200;
    c = PlanOptionChanges(BASE, chosen, false, true);
    EXPECT_TRUE(c.applyAlpha);
    EXPECT_FALSE(c.storeInterval || c.restartRefreshTimer || c.updateAutostart);
    EXPECT_EQ(AdhereSwitch::Unchanged, c.adhere);

    chosen = BASE;
    chosen.autoRun = 1;
    c = PlanOptionChanges(BASE, chosen, false, true);
    EXPECT_TRUE(c.updateAutostart);
    EXPECT_FALSE(c.storeInterval || c.applyAlpha || c.applyLanguage);
    EXPECT_EQ(AdhereSwitch::Unchanged, c.adhere);

    chosen = BASE;
    chosen.language = LanguageChoice::English;
    c = PlanOptionChanges(BASE, chosen, true, true);
    EXPECT_TRUE(c.applyLanguage);
    EXPECT_FALSE(c.storeInterval || c.applyAlpha || c.updateAutostart);
}

TEST(OptionChanges, BarTextShownAgainUnlessCountingAndNewLevelsRearm)
{
    OptionValues chosen = BASE;
    chosen.barText = 1;
    EXPECT_TRUE(PlanOptionChanges(BASE, chosen, false, true).showBarText);
    EXPECT_FALSE(PlanOptionChanges(BASE, chosen, true, true).showBarText) << "the countdown owns the bar";
    EXPECT_FALSE(PlanOptionChanges(BASE, chosen, false, true).rearmAlerts);
    for (int32_t OptionValues::*level : {&OptionValues::alertLow, &OptionValues::alertHigh}) {
        chosen = BASE;
        chosen.*level = 30;
        OptionChanges const c = PlanOptionChanges(BASE, chosen, true, true);
        EXPECT_TRUE(c.rearmAlerts);
        EXPECT_FALSE(c.showBarText || c.applyAlpha || c.storeInterval);
    }
}

TEST(OptionChanges, IntervalDuringAnAutoShutdownIsStoredWithoutTimer)
{
    OptionValues chosen = BASE;
    chosen.interval = 2000;
    OptionChanges const c = PlanOptionChanges(BASE, chosen, true, true);
    EXPECT_TRUE(c.storeInterval);
    EXPECT_FALSE(c.restartRefreshTimer);
}

TEST(OptionChanges, AdhereSwitchesAndFrameRepaint)
{
    OptionValues floating = BASE;
    floating.adhere = 0;
    EXPECT_EQ(AdhereSwitch::On, PlanOptionChanges(floating, BASE, false, true).adhere);
    EXPECT_FALSE(PlanOptionChanges(floating, BASE, false, false).repaintFrameActive);

    OptionChanges off = PlanOptionChanges(BASE, floating, false, true);
    EXPECT_EQ(AdhereSwitch::Off, off.adhere);
    EXPECT_FALSE(off.repaintFrameActive);  // already in the active colours
    off = PlanOptionChanges(BASE, floating, false, false);
    EXPECT_EQ(AdhereSwitch::Off, off.adhere);
    EXPECT_TRUE(off.repaintFrameActive);
    // Still adhering: the hook keeps reporting the caption state.
    EXPECT_FALSE(PlanOptionChanges(BASE, BASE, false, false).repaintFrameActive);
}

TEST(OptionChanges, AllAtOnce)
{
    OptionValues chosen{true, false, false, 50, 60000, 0, 0, 20, 0, LanguageChoice::AsWindows, true, 0, true, 0, 4};
    OptionChanges const c = PlanOptionChanges(BASE, chosen, false, false);
    EXPECT_TRUE(c.storeInterval && c.restartRefreshTimer && c.repaintFrameActive && c.updateAutostart &&
                c.applyAlpha);
    EXPECT_EQ(AdhereSwitch::Off, c.adhere);
}

}  // namespace
