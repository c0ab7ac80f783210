#!/usr/bin/env bash
# A posted WM_POWERBROADCAST shows a new power state at once and brings back
# the refresh that a missing reading had stopped; what the screen shows of
# the bar is compared before and after.
. "$(dirname "$0")/lib.sh"

WM_POWERBROADCAST=536
PBT_APMPOWERSTATUSCHANGE=10
PBT_APMRESUMEAUTOMATIC=18

pixels() { value hash "$(driver pixels)"; }

# Polls until the bar's pixels differ from $1 (or the time is up); prints them.
pixels_change_from() {
    local before=$1 now
    for _ in $(seq 1 20); do
        now=$(pixels)
        [ "$now" != "$before" ] && break
        sleep 0.1
    done
    echo "$now"
}

fake_no_battery
check_eq "no battery: percentage" 255 "$(value percent "$(driver power)")"
start_bar
refresh_ms=5000
# The first tick finds no percentage and stops the refresh.
sleep $((refresh_ms / 1000 + 2))
stopped=$(pixels)

fake_battery 57 1 Charging
check_eq "fake battery: percentage" 57 "$(value percent "$(driver power)")"
sleep $((refresh_ms / 1000 + 2))
check_eq "bar while the refresh is stopped" "$stopped" "$(pixels)"

driver post $WM_POWERBROADCAST $PBT_APMPOWERSTATUSCHANGE 0
start=$(date +%s%N)
charging=$(pixels_change_from "$stopped")
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
[ "$charging" != "$stopped" ] || fail "the bar did not change after the power broadcast"
[ "$elapsed_ms" -lt 2500 ] || fail "the bar took $elapsed_ms ms to show the charger"
echo "ok: the bar changed $elapsed_ms ms after the broadcast"

# The refresh runs again: a new charge shows without any broadcast.
fake_battery 58 1 Charging
changed=$(pixels_change_from "$charging")
for _ in $(seq 1 $((refresh_ms / 1000 + 2))); do
    [ "$changed" != "$charging" ] && break
    changed=$(pixels_change_from "$charging")
done
[ "$changed" != "$charging" ] || fail "the refresh did not come back after the broadcast"
echo "ok: the refresh runs again"

# Back to the first reading: the bar shows exactly what it showed for it.
fake_battery 57 1 Charging
driver post $WM_POWERBROADCAST $PBT_APMRESUMEAUTOMATIC 0
check_eq "bar after resume with the first reading" "$charging" "$(pixels_change_from "$changed")"

driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"
