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

// A low reminder the shell dropped unseen is held 15 minutes from its
// hand-over; the charger plugged and pulled, or the clock set back past it,
// lets it come at once.
TEST(BatteryAlerts, DroppedUnseenIsHeldFromItsHandOver)
{
    struct {
        int64_t later;
        bool replugged;
        BatteryAlert due;
    } const cases[] = {{899, false, NONE}, {900, false, LOW}, {-60, false, LOW}, {10, true, LOW}};
    for (auto const& c : cases) {
        AlertArming arming;
        ASSERT_EQ(LOW, DueAlert(arming, {20, 0}, BAT, 19, 1000));
        AlertHandedOver(arming, LOW, 1000);
        AlertBalloonGone(arming);
        if (c.replugged)
            DueAlert(arming, {20, 0}, CHG, 19, 1000 + c.later);
        EXPECT_EQ(c.due, DueAlert(arming, {20, 0}, BAT, 19, 1000 + c.later)) << c.later << " s later";
    }
}

}  // namespace
