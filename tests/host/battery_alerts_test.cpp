#include "bar/battery_alerts.h"

#include <gtest/gtest.h>

namespace {

BatteryAlert const NONE = BatteryAlert::None, LOW = BatteryAlert::Low, HIGH = BatteryAlert::High;
BatteryMode const BAT = BatteryMode::OnBattery, CHG = BatteryMode::Charging, AC = BatteryMode::OnMains,
                  NOBAT = BatteryMode::NoBattery;

struct Step {
    BatteryMode mode;
    int32_t percent;
    BatteryAlert shown;  // what the user sees after this reading
};

// Runs readings through the machine, every due alert shown unless quiet.
void Readings(AlertLevels levels, std::initializer_list<Step> steps, bool quiet = false)
{
    AlertArming arming;
    int i = 0;
    for (Step const& step : steps) {
        BatteryAlert const due = DueAlert(arming, levels, step.mode, step.percent);
        if (!quiet)
            AlertShown(arming, due);
        EXPECT_EQ(step.shown, quiet ? NONE : due) << "reading " << i << " at " << step.percent << "%";
        ++i;
    }
}

TEST(BatteryAlerts, LowFiresOncePerCrossing)
{
    // Wavering around the level repeats nothing; 3 points above re-arms it.
    Readings({20, 0}, {{BAT, 21, NONE}, {BAT, 19, LOW}, {BAT, 20, NONE}, {BAT, 19, NONE}, {BAT, 22, NONE},
                  {BAT, 20, NONE}, {BAT, 23, NONE}, {BAT, 20, LOW}, {BAT, 5, NONE}});
    // Reaching the level itself counts; starting below it reminds at once.
    Readings({20, 0}, {{BAT, 20, LOW}, {BAT, 18, NONE}});
}

TEST(BatteryAlerts, ChargerChangeRearms)
{
    Readings({20, 0}, {{BAT, 19, LOW}, {CHG, 19, NONE}, {BAT, 19, LOW}, {AC, 19, NONE}, {BAT, 18, LOW}});
    Readings({0, 80}, {{CHG, 79, NONE}, {CHG, 80, HIGH}, {CHG, 81, NONE}, {AC, 80, NONE}, {BAT, 80, NONE},
                  {CHG, 80, HIGH}});
}

TEST(BatteryAlerts, HighFiresOnceOnTheCharger)
{
    Readings({20, 80}, {{CHG, 78, NONE}, {CHG, 80, HIGH}, {CHG, 79, NONE}, {CHG, 80, NONE}, {CHG, 78, NONE},
                   {CHG, 77, NONE}, {CHG, 80, HIGH}, {AC, 100, NONE}});
    // 100 is a level too; on battery the high level says nothing.
    Readings({0, 100}, {{BAT, 100, NONE}, {AC, 100, HIGH}});
}

TEST(BatteryAlerts, OffOrNoBatterySaysNothing)
{
    Readings({0, 0}, {{BAT, 1, NONE}, {CHG, 100, NONE}, {AC, 0, NONE}});
    Readings({20, 80}, {{NOBAT, 10, NONE}, {BatteryMode::Unknown, 90, NONE}});
}

TEST(BatteryAlerts, AnAlertNotShownStaysDue)
{
    Readings({20, 0}, {{BAT, 19, NONE}, {BAT, 18, NONE}}, true);
    AlertArming arming;
    EXPECT_EQ(LOW, DueAlert(arming, {20, 0}, BAT, 19));
    EXPECT_EQ(LOW, DueAlert(arming, {20, 0}, BAT, 18)) << "quiet hours: still due";
    AlertShown(arming, LOW);
    EXPECT_EQ(NONE, DueAlert(arming, {20, 0}, BAT, 17));
}

}  // namespace

namespace {

// A reminder the shell dropped unseen is held 15 minutes from its hand-over,
// at the high level as at the low one; a charger plugged or pulled, or a
// clock set back past the hand-over, lets it come at once.
TEST(BatteryAlerts, DroppedUnseenIsHeldFromItsHandOver)
{
    struct Case {
        char const* what;
        BatteryMode mode;
        int32_t percent;
        BatteryAlert alert;
        BatteryMode laterMode;
        int64_t later;  // seconds after the hand-over of the next reading
        BatteryAlert due;
    } const cases[] = {
        {"low, 899 s", BAT, 19, LOW, BAT, 899, NONE},
        {"low, 900 s", BAT, 19, LOW, BAT, 900, LOW},
        {"high, 899 s", CHG, 81, HIGH, CHG, 899, NONE},
        {"high, 900 s", AC, 81, HIGH, AC, 900, HIGH},
        {"clock set back", BAT, 19, LOW, BAT, -60, LOW},
        {"charger plugged and pulled", BAT, 19, LOW, CHG, 10, LOW},
    };
    int64_t const handedAt = 1800000000;
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        AlertArming arming;
        AlertLevels const levels{20, 80};
        ASSERT_EQ(c.alert, DueAlert(arming, levels, c.mode, c.percent, handedAt));
        AlertHandedOver(arming, c.alert, handedAt);
        EXPECT_EQ(NONE, DueAlert(arming, levels, c.mode, c.percent, handedAt + 1)) << "handed over: shown for now";
        AlertBalloonGone(arming);
        EXPECT_EQ(NONE, DueAlert(arming, levels, c.mode, c.percent, handedAt + 2));
        if (c.laterMode != c.mode)  // and back: a new crossing
            DueAlert(arming, levels, c.laterMode, c.percent, handedAt + c.later);
        EXPECT_EQ(c.due, DueAlert(arming, levels, c.mode, c.percent, handedAt + c.later));
    }
}

// Shown, or not spoken of, it is not repeated; a word with nothing handed
// over changes nothing.
TEST(BatteryAlerts, ShownOrSilentIsNotRepeated)
{
    for (bool shown : {true, false}) {
        AlertArming arming;
        AlertLevels const levels{20, 0};
        AlertBalloonGone(arming);
        ASSERT_EQ(LOW, DueAlert(arming, levels, BAT, 19, 100));
        AlertHandedOver(arming, LOW, 100);
        if (shown) {
            AlertBalloonShown(arming);
            AlertBalloonGone(arming);
        }
        EXPECT_EQ(NONE, DueAlert(arming, levels, BAT, 19, 100 + 3600));
        EXPECT_EQ(NONE, DueAlert(arming, levels, BAT, 18, 100 + 7200));
    }
}

}  // namespace
