#include "details/history_recording.h"

#include "bar/battery.h"
#include "details/details_window.h"
#include "history/history_file.h"
#include "settings/settings.h"

namespace {

// The values of the last line written, for telling a change.
struct LastLine {
    bool written;
    uint8_t percent;
    bool ac;
    bool charging;
    HistoryEvent event;
};
LastLine g_last;
bool g_ended;
// A wake waits for the bar's next reading, which follows at once (or, while
// an auto-shutdown owns the bar, when it ends): the charge it woke with.
bool g_resumePending;
int64_t g_resumeTime;

// The record of a reading, or false when it has no percentage.
bool RecordOf(BatteryDetails const& details, HistoryEvent event, int64_t time, HistoryRecord* record)
{
    if (!details.readSucceeded || details.reading.batteryLifePercent > 100)
        return false;
    BatteryMode const mode = BatteryModeOf(details);
    int32_t rate = HISTORY_RATE_UNKNOWN;
    if (details.haveState && details.rate != RATE_UNKNOWN) {
        // Drivers differ in the rate's sign: written negative while it discharges.
        int32_t const raw = static_cast<int32_t>(details.rate);
        int32_t const magnitude = raw < 0 ? -raw : raw;
        rate = mode == BatteryMode::OnBattery ? -magnitude : mode == BatteryMode::Charging ? magnitude : raw;
    }
    *record = HistoryRecord{time, details.reading.batteryLifePercent, details.reading.acLineStatus == 1,
                            mode == BatteryMode::Charging, rate, event};
    return true;
}

void Write(BatteryDetails const& details, HistoryEvent event, int64_t time)
{
    HistoryRecord record;
    if (!RecordOf(details, event, time, &record))
        return;
    if (event == HistoryEvent::Sample && g_last.written && g_last.percent == record.percent &&
        g_last.ac == record.ac && g_last.charging == record.charging)
        return;
    if (!AppendHistory(record))
        return;
    g_last = LastLine{true, record.percent, record.ac, record.charging, event};
    DetailsHistoryGrew(record);
}

void Write(BatteryDetails const& details, HistoryEvent event)
{
    Write(details, event, HistoryNow());
}

void WritePendingResume()
{
    if (!g_resumePending)
        return;
    g_resumePending = false;
    Write(LastBatteryDetails(), HistoryEvent::Resume, g_resumeTime);
}

}  // namespace

void StartBatteryHistory(bool enabled)
{
    WCHAR path[MAX_PATH];
    if (!ModuleDirectory(path, MAX_PATH, HISTORY_FILE_NAME))
        path[0] = L'\0';
    g_last = LastLine{};
    g_ended = false;
    g_resumePending = false;
    OpenHistory(path, enabled, HistoryNow());
    Write(LastBatteryDetails(), HistoryEvent::Start);
    // The start's values are those of a program that knew none before: the
    // first reading is a sample of its own.
    g_last.written = false;
    Write(LastBatteryDetails(), HistoryEvent::Sample);
}

void RecordBatteryHistory()
{
    WritePendingResume();
    Write(LastBatteryDetails(), HistoryEvent::Sample);
}

void RecordPowerEventInHistory(WPARAM event)
{
    if (event == PBT_APMSUSPEND) {
        WritePendingResume();
        Write(LastBatteryDetails(), HistoryEvent::Suspend);
    } else if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) {
        // Windows sends PBT_APMRESUMEAUTOMATIC and, when someone is there,
        // PBT_APMRESUMESUSPEND: one wake.
        bool const awake = g_resumePending || (g_last.written && g_last.event == HistoryEvent::Resume);
        if (!awake) {
            g_resumePending = true;
            g_resumeTime = HistoryNow();
        }
    }
}

void EndBatteryHistory()
{
    if (g_ended)
        return;
    g_ended = true;
    WritePendingResume();
    Write(LastBatteryDetails(), HistoryEvent::Exit);
}
