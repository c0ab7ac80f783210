#!/usr/bin/env bash
# The measurements of tools/bench.sh: measure.sh Brisvane.exe CBT.dll
# e2e_driver.exe bench_baseline.exe bench_probe.exe, on a display, with the
# e2e helpers (fake battery, driver).
. "$(dirname "$0")/../../tests/e2e/lib.sh"
BASELINE=$4
PROBE=$5
cp "$BASELINE" "$PROBE" "$E2E_DIR/app/"
STARTS=${BENCH_STARTS:-7}
CPU_SECONDS=${BENCH_CPU_SECONDS:-120}
DIALOG_OPENINGS=${BENCH_DIALOG_OPENINGS:-500}
TICKS=${BENCH_TICKS:-10000}
PAINTS=${BENCH_PAINTS:-10000}

ratio() {  # ratio VALUE BASELINE
    if [ "${2:-0}" = 0 ]; then echo "-"; else awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / b }'; fi
}
row() {  # row NAME VALUE BASELINE [UNIT]
    printf '  %-44s %14s %14s %9s\n' "$1" "$2${4:+ $4}" "${3:+$3${4:+ $4}}" "$( [ -n "${3:-}" ] && ratio "$2" "$3")"
}
header() { printf '\n%s\n  %-44s %14s %14s %9s\n' "$1" "" "Brisvane" "baseline" "ratio"; }
note() { printf '  note: %s\n' "$*"; }

# Size of the sections that are in the file, without and with .rsrc.
sections() {  # sections FILE -> "code_without_rsrc rsrc"
    i686-w64-mingw32-objdump -h "$1" | awk '
        $1 ~ /^[0-9]+$/ { size = 0; hex = toupper($3)
            for (i = 1; i <= length(hex); i++) size = size * 16 + index("0123456789ABCDEF", substr(hex, i, 1)) - 1
            name = $2 }
        $1 ~ /^[0-9]+$/ && name == ".rsrc" { rsrc += size; next }
        $1 ~ /^[0-9]+$/ && name != ".bss" { other += size }
        END { printf "%d %d\n", other, rsrc }'
}
imports() { i686-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' '; }

wait_no_bar() {
    for _ in $(seq 1 100); do
        [ "$(value count "$(driver count)")" = 0 ] && return 0
        sleep 0.1
    done
    fail "a bar window stays after closing"
}
# launch EXE: starts it, prints the milliseconds to a visible window.
launch() {
    local out
    out=$(driver launch "$(winepath -w "$1" 2>/dev/null)") || fail "cannot start $1: $out"
    value startms "$out"
}
stop() { driver close >/dev/null; wait_no_bar; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
figure() { value "$1" "$(driver "${@:2}")"; }

app="$E2E_DIR/app"
exe="$app/Brisvane.exe"
base="$app/$(basename "$BASELINE")"
probe="$app/$(basename "$PROBE")"
charge_file=$(winepath -w "$E2E_DIR/power/BAT0/charge_now" 2>/dev/null)
fake_battery 57 0 Discharging

echo "Brisvane footprint under $(wine --version) on Xvfb, $(date -u '+%Y-%m-%d %H:%M UTC')"

header "Files (bytes)"
read -r exe_code exe_rsrc < <(sections "$exe")
read -r base_code base_rsrc < <(sections "$base")
row "Brisvane.exe / baseline.exe" "$(stat -c %s "$exe")" "$(stat -c %s "$base")"
row "  sections without resources" "$exe_code" "$base_code"
row "  resources (.rsrc)" "$exe_rsrc" "$base_rsrc"
row "CBT.dll" "$(stat -c %s "$app/CBT.dll")" ""
[ "$exe_code" -lt 65536 ] && note "code without resources is under 64 KiB" || note "code without resources is 64 KiB or more"
echo "  imports Brisvane.exe: $(imports "$exe")"
echo "  imports CBT.dll:      $(imports "$app/CBT.dll")"
echo "  imports baseline.exe: $(imports "$base")"

header "Start-up to a visible window (ms, median of $STARTS starts)"
exe_starts=() base_starts=()
for _ in $(seq 1 "$STARTS"); do
    exe_starts+=("$(launch "$exe")"); stop
    base_starts+=("$(launch "$base")"); stop
done
exe_start=$(printf '%s\n' "${exe_starts[@]}" | median)
base_start=$(printf '%s\n' "${base_starts[@]}" | median)
row "start-up" "$exe_start" "$base_start" ms
note "each start: ${exe_starts[*]} ms (baseline ${base_starts[*]} ms)"

header "Memory (KiB)"
launch "$base" >/dev/null; sleep 2
base_ws=$(( $(figure workingset process) / 1024 )); base_private=$(( $(figure private process) / 1024 ))
stop
launch "$exe" >/dev/null; sleep 2
exe_ws=$(( $(figure workingset process) / 1024 )); exe_private=$(( $(figure private process) / 1024 ))
driver ticks "$TICKS" "$charge_file" >/dev/null || fail "ticks failed"
sleep 1
exe_ws_ticks=$(( $(figure workingset process) / 1024 )); exe_private_ticks=$(( $(figure private process) / 1024 ))
stop
fake_battery 57 0 Discharging
row "working set after start" "$exe_ws" "$base_ws" KiB
row "working set after $TICKS ticks" "$exe_ws_ticks" "$base_ws" KiB
row "working set above the baseline, after start" "$((exe_ws - base_ws))" "" KiB
row "working set growth over $TICKS ticks" "$((exe_ws_ticks - exe_ws))" "" KiB
row "private bytes after start" "$exe_private" "$base_private" KiB
row "private bytes after $TICKS ticks" "$exe_private_ticks" "$base_private" KiB
[ "$exe_private" = 0 ] && note "PrivateUsage reads 0 under Wine; the working set includes about 19 MB of Wine's own" \
    "libraries, so compare the difference to the baseline, measured in this run"
note "the ticks are WM_TIMER refresh ticks sent by the driver; the fake battery's charge alternates 40/41 % each tick"

header "GDI and USER objects (counted inside the process)"
note "GetGuiResources reads $(figure gdi process 2>/dev/null || echo 0) under Wine: the probe (the program's own code with a"
note "hidden counting window, tools/bench/probe.cpp) counts live GDI handles, and its windows, menus and icons"
launch "$probe" >/dev/null; sleep 1
gdi_start=$(figure result probe 0); user_start=$(figure result probe 1)
row "GDI objects after start" "$gdi_start" ""
row "USER objects after start" "$user_start" ""
driver paints "$PAINTS" >/dev/null
row "GDI objects after $PAINTS paints" "$(figure result probe 0)" ""
row "USER objects after $PAINTS paints" "$(figure result probe 1)" ""
for dialog in "104 About" "32774 Options" "32777 Auto-shutdown"; do
    set -- $dialog
    out=$(driver cycle "$1" "$DIALOG_OPENINGS") || true
    opened=$(value opened "$out")
    if [ "$opened" = "$DIALOG_OPENINGS" ]; then
        row "GDI objects after $opened x $2" "$(figure result probe 0)" ""
        row "USER objects after $opened x $2" "$(figure result probe 1)" ""
    else
        note "$2 skipped: $(value error "$out") after ${opened:-0} openings (not built yet?)"
    fi
done
note "the confirmation dialog opens only at the end of a countdown: not cycled here"

header "Pixels invalidated by one refresh tick"
row "unchanged reading" "$(figure result probe 2)" ""
fake_battery 58 0 Discharging
row "changed percent" "$(figure result probe 2)" ""
fake_battery 58 1 Charging
row "charger plugged in" "$(figure result probe 2)" ""
fake_battery 57 0 Discharging
driver send 275 1 0 >/dev/null
stop

header "CPU time at the default interval (${CPU_SECONDS} s run, battery changing every 5 s)"
cpu_run() {  # cpu_run EXE -> CPU ms over CPU_SECONDS
    launch "$1" >/dev/null; sleep 3
    local before after percent=57
    before=$(figure cpums process)
    for _ in $(seq 1 $((CPU_SECONDS / 5))); do
        percent=$((percent == 57 ? 56 : 57))
        fake_battery "$percent" 0 Discharging
        sleep 5
    done
    after=$(figure cpums process)
    stop
    echo $((after - before))
}
exe_cpu=$(cpu_run "$exe")
base_cpu=$(cpu_run "$base")
row "CPU time per hour" "$((exe_cpu * 3600 / CPU_SECONDS))" "$((base_cpu * 3600 / CPU_SECONDS))" ms
note "GetProcessTimes of the running program, user + kernel, scaled from $CPU_SECONDS s"
