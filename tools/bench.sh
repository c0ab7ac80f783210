#!/usr/bin/env bash
# Footprint of Brisvane next to a bare Win32 program with one window and a
# tray icon, built by the same toolchain with the same flags in this run.
# Prints sizes, imports, start-up time, memory, GDI/USER objects, repainted
# pixels and CPU time, each with its ratio to the baseline where one exists.
# A few minutes on either kind of machine; a step that fails ends it with
# FAIL and the step, and no driver call waits more than two minutes.
# Usage: tools/bench.sh     (as root: the battery is simulated)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/harness/wine.sh"
. "$root/harness/drive.sh"
drive_build Brisvane CBT bench_baseline bench_probe e2e_driver
bin=$WIN_BUILD/bin
drive_enter bench "$root/build/bench/measure" "$bin/Brisvane.exe" "$bin/CBT.dll" "$bin/e2e_driver.exe" -- "$0" "$@"
trap 'echo "FAIL: the step at line $LINENO of tools/bench.sh failed" >&2' ERR
trap 'exit 1' TERM
DRIVER_TIMEOUT=120
BENCH_PID=$$
# A failed step ends the bench with FAIL, also from inside a command
# substitution, where exit alone would end only that.
fail() {
    echo "FAIL: $*" >&2
    kill -TERM "$BENCH_PID"
    exit 1
}
# ask COMMAND ARG…: a driver call's output, or FAIL.
ask() {
    local out
    out=$(driver "$@") || fail "driver $*: $out"
    printf '%s\n' "$out"
}
BASELINE=$bin/bench_baseline.exe
PROBE=$bin/bench_probe.exe
cp "$BASELINE" "$PROBE" "$E2E_DIR/app/"
STARTS=${BENCH_STARTS:-5}
CPU_SECONDS=${BENCH_CPU_SECONDS:-30}
DIALOG_OPENINGS=${BENCH_DIALOG_OPENINGS:-50}
CONFIRM_OPENINGS=${BENCH_CONFIRM_OPENINGS:-1}  # a real minute each
TICKS=${BENCH_TICKS:-2000}
TICKS_BUDGET_MS=${BENCH_TICKS_BUDGET_MS:-40000}  # the ticks stop there, counted
PAINTS=${BENCH_PAINTS:-1000}

ratio() {  # ratio VALUE BASELINE
    if [ "${2:-0}" = 0 ]; then echo "-"; else awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / b }'; fi
}
row() {  # row NAME VALUE BASELINE [UNIT]
    printf '  %-50s %12s %12s %8s\n' "$1" "$2${4:+ $4}" "${3:+$3${4:+ $4}}" "$( [ -n "${3:-}" ] && ratio "$2" "$3")"
}
header() { printf '\n%s (at %d s)\n  %-50s %12s %12s %8s\n' "$1" "$SECONDS" "" "Brisvane" "baseline" "ratio"; }
note() { printf '  note: %s\n' "$*"; }

# Size of the code section, and of all sections but the resources and .bss.
sections() {  # sections FILE -> "text without_rsrc"
    local headers
    headers=$(i686-w64-mingw32-objdump -h "$1") || fail "cannot read the sections of $1"
    printf '%s\n' "$headers" | awk '
        $1 ~ /^[0-9]+$/ { size = 0; hex = toupper($3)
            for (i = 1; i <= length(hex); i++) size = size * 16 + index("0123456789ABCDEF", substr(hex, i, 1)) - 1
            if ($2 == ".text") text += size
            if ($2 != ".rsrc" && $2 != ".bss") other += size }
        END { printf "%d %d\n", text, other }'
}
# The file as it would be without its resources.
size_without_resources() {
    i686-w64-mingw32-objcopy -R .rsrc "$1" "$E2E_DIR/norsrc.tmp" || fail "cannot strip the resources of $1"
    stat -c %s "$E2E_DIR/norsrc.tmp"
    rm -f "$E2E_DIR/norsrc.tmp"
}
imports() {
    local headers
    headers=$(i686-w64-mingw32-objdump -p "$1") || fail "cannot read the imports of $1"
    printf '%s\n' "$headers" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' '
}
. "$root/harness/system_libraries.sh"
SYSTEM_DLLS=" $(for library in $SYSTEM_LIBRARIES; do printf '%s.DLL ' "$library"; done | tr a-z A-Z)"
foreign_imports() {  # the imports that are neither system DLLs nor our CBT.dll
    local dll
    for dll in $(imports "$1"); do
        dll=$(echo "$dll" | tr a-z A-Z)
        case "$SYSTEM_DLLS CBT.DLL " in *" $dll "*) ;; *) printf '%s ' "$dll" ;; esac
    done
}

wait_no_bar() {
    for _ in $(seq 1 100); do
        [ "$(value count "$(driver count)")" = 0 ] && return 0
        sleep 0.1
    done
    fail "a bar window stays after closing"
}
# launch EXE: starts it in the desktop, prints the milliseconds to a visible window.
launch() {
    local out
    out=$(ask launch "$(winepath -w "$1" 2>/dev/null)")
    value startms "$out"
}
stop() { ask close >/dev/null; wait_no_bar; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
kib() { echo $(( $1 / 1024 )); }

app="$E2E_DIR/app"
exe="$app/Brisvane.exe"
base="$app/$(basename "$BASELINE")"
probe="$app/$(basename "$PROBE")"
charge_file=$(winepath -w "$E2E_DIR/power/BAT0/charge_now" 2>/dev/null)
fake_battery 57 0 Discharging
drive_desktop bench 1280x1024

echo "Brisvane footprint under $(wine --version) on Xvfb (a Wine virtual desktop), $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "baseline: tools/bench/baseline.cpp, one popup window and a tray icon, same compiler and flags"

# The files as released: the 32-bit build's, also where the tests run the
# x86-64 one.
header "Files (bytes)"
exe=$WIN_RELEASE/bin/Brisvane.exe base=$WIN_RELEASE/bin/bench_baseline.exe dll=$WIN_RELEASE/bin/CBT.dll
exe_sizes=$(sections "$exe")
base_sizes=$(sections "$base")
read -r exe_text exe_sections <<<"$exe_sizes"
read -r base_text base_sections <<<"$base_sizes"
row "Brisvane.exe (file)" "$(stat -c %s "$exe")" "$(stat -c %s "$base")"
row "  file without its resources (objcopy -R .rsrc)" "$(size_without_resources "$exe")" "$(size_without_resources "$base")"
row "  code (.text)" "$exe_text" "$base_text"
row "  all sections but .rsrc and .bss" "$exe_sections" "$base_sections"
row "CBT.dll (file)" "$(stat -c %s "$dll")" ""
if [ "$exe_text" -lt 65536 ]; then note "code is under 64 KiB (target met)"; else note "code is 64 KiB or more (target missed)"; fi
echo "  imports Brisvane.exe: $(imports "$exe")"
echo "  imports CBT.dll:      $(imports "$dll")"
echo "  imports baseline.exe: $(imports "$base")"
foreign="$(foreign_imports "$exe")$(foreign_imports "$dll")"
if [ -z "$foreign" ]; then note "only system DLLs, and the companion CBT.dll (target met)"; else note "non-system imports: $foreign(target missed)"; fi
exe="$app/Brisvane.exe"
base="$app/$(basename "$BASELINE")"

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
note "CreateProcess to a visible window of the bar's class, timed inside the driver"

header "Memory (KiB)"
# memory EXE: "workingset committed rssanon" after start and after the ticks.
memory() {
    launch "$1" >/dev/null; sleep 2
    local before after
    before=$(ask process)
    ticks=$(ask ticks "$TICKS" "$charge_file" "$TICKS_BUDGET_MS")
    sleep 1
    after=$(ask process)
    echo "$(kib "$(value workingset "$before")") $(kib "$(value committed "$before")")" \
         "$(kib "$(value workingset "$after")") $(kib "$(value committed "$after")") $(value private "$after")" \
         "$(value ticks "$ticks")"
    stop
}
base_memory=$(memory "$base")
exe_memory=$(memory "$exe")
read -r base_ws base_priv base_ws_t base_priv_t base_pu base_ticks <<<"$base_memory"
read -r exe_ws exe_priv exe_ws_t exe_priv_t exe_pu exe_ticks <<<"$exe_memory"
fake_battery 57 0 Discharging
row "private bytes after start" "$exe_priv" "$base_priv" KiB
row "private bytes after the ticks" "$exe_priv_t" "$base_priv_t" KiB
row "working set after start" "$exe_ws" "$base_ws" KiB
row "working set after the ticks" "$exe_ws_t" "$base_ws_t" KiB
row "private bytes above the baseline, after the ticks" "$((exe_priv_t - base_priv_t))" "" KiB
row "working set above the baseline, after the ticks" "$((exe_ws_t - base_ws_t))" "" KiB
awk -v a="$exe_priv_t" -v b="$base_priv_t" 'BEGIN { exit !(a <= 1.5 * b) }' &&
    note "private bytes within 1.5x the baseline (target met)" || note "private bytes above 1.5x the baseline (target missed)"
note "private bytes: committed MEM_PRIVATE pages summed with VirtualQueryEx (PrivateUsage reads $exe_pu under Wine);"
note "the working set includes Wine's own libraries (about 19 MB)"
note "ticks: $exe_ticks (baseline $base_ticks) WM_TIMER refresh ticks sent one by one, at most $TICKS or"
note "$((TICKS_BUDGET_MS / 1000)) s, the fake battery's charge alternating 40/41 % (each one repaints)"

header "GDI and USER objects"
gui=$(launch "$base" >/dev/null; driver process); stop
base_kernel=$(value kernelhandles "$gui"); base_windows=$(value windows "$gui")
launch "$probe" >/dev/null; sleep 1
gui=$(ask process)
row "GetGuiResources GDI / USER (Wine: always 0)" "$(value gdi "$gui") / $(value user "$gui")" ""
note "so the probe (tools/bench/probe.cpp: the program's own code plus a hidden counting window) counts inside"
note "the process: GDI = live handles in Wine's GDI table; USER = its windows, menus and icons;"
note "paint objects = the brushes, regions and memory DCs made and not deleted, counted by the GDI stand-ins (harness/stand_ins). Kernel handles are copied one by one"
note "(DuplicateHandle) and windows enumerated (with children, and message-only ones) from outside."
note "The counts include the probe's own hidden window. The baseline has no dialogs."
objects() {  # objects LABEL [BASELINE_KERNEL BASELINE_WINDOWS]
    local p
    p=$(ask process)
    row "$1: GDI objects" "$(value result "$(ask probe 0)")" ""
    row "$1: USER objects" "$(value result "$(ask probe 1)")" ""
    row "$1: paint objects alive" "$(value result "$(ask probe 3)")" ""
    row "$1: kernel handles" "$(value kernelhandles "$p")" "${2:-}"
    row "$1: windows" "$(value windows "$p")" "${3:-}"
}
objects "after start" "$base_kernel" "$base_windows"
ask paints "$PAINTS" >/dev/null
objects "after $PAINTS paints"
for dialog in "104 About" "32774 Options" "32777 Auto-shutdown" "confirm Confirmation"; do
    set -- $dialog
    # A dialog's first openings load what it needs once: the counts from
    # after them. The confirmation takes a real minute each, so it follows
    # the Auto-shutdown dialog's openings without its own.
    [ "$1" = confirm ] || ask cycle "$1" 10 >/dev/null
    before_gdi=$(value result "$(ask probe 0)"); before_user=$(value result "$(ask probe 1)")
    before_kernel=$(value kernelhandles "$(ask process)")
    if [ "$1" = confirm ]; then
        out=$(DRIVER_TIMEOUT=$((90 * CONFIRM_OPENINGS + 60)) ask cycle-confirm "$CONFIRM_OPENINGS")
    else
        out=$(ask cycle "$1" "$DIALOG_OPENINGS")
    fi
    objects "after $(value opened "$out") x $2"
    note "before these $(value opened "$out"): GDI $before_gdi, USER $before_user, kernel $before_kernel"
done
note "the confirmation: $CONFIRM_OPENINGS one-minute auto-shutdowns (a real minute each), each with its Auto-shutdown"
note "dialog, run to the confirmation and declined; power-offs asked for: $(value result "$(ask probe 4)")"
note "(shutdown_test opens the confirmation 100 times on a test clock and counts what is left)"

header "Pixels invalidated by one refresh tick (update region after the tick)"
bar=$(ask bar)
row "the whole bar ($(value width "$bar") x $(value height "$bar"))" "$(( $(value width "$bar") * $(value height "$bar") ))" ""
row "unchanged reading" "$(value result "$(ask probe 2)")" ""
fake_battery 58 0 Discharging
row "percent 57 -> 58" "$(value result "$(ask probe 2)")" ""
row "unchanged again" "$(value result "$(ask probe 2)")" ""
fake_battery 58 1 Charging
row "charger plugged in" "$(value result "$(ask probe 2)")" ""
fake_battery 57 0 Discharging
stop

header "CPU time at the default interval (5 s), from a ${CPU_SECONDS} s run, battery changing every 5 s"
# Both programs run side by side for the same time; the kernel's count of
# the Wine process's time on a CPU, summed over its threads, in ns.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { printf "%.0f\n", sum }'; }
launch "$exe" >/dev/null
launch "$base" >/dev/null
sleep 3
exe_pid=$(unix_pid "$exe"); base_pid=$(unix_pid "$base")
[ -n "$exe_pid" ] && [ -n "$base_pid" ] || fail "cannot find the Wine processes"
exe_before=$(cpu_ns "$exe_pid"); base_before=$(cpu_ns "$base_pid")
percent=57
for _ in $(seq 1 $((CPU_SECONDS / 5))); do
    percent=$((percent == 57 ? 56 : 57))
    fake_battery "$percent" 0 Discharging
    sleep 5
done
exe_us=$(( ($(cpu_ns "$exe_pid") - exe_before) / 1000 ))
base_us=$(( ($(cpu_ns "$base_pid") - base_before) / 1000 ))
row "CPU time per hour" "$((exe_us * 3600 / CPU_SECONDS / 1000))" "$((base_us * 3600 / CPU_SECONDS / 1000))" ms
note "measured: $exe_us us (baseline $base_us us) in $CPU_SECONDS s: /proc/PID/task/*/schedstat, all threads"
note "of the Wine process (Wine's own threads included)"
close_all_bars
echo
echo "done"
