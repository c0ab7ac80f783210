#!/usr/bin/env bash
# Prints what riding on captions costs, under Wine in a virtual desktop with
# the window event source (harness/events) standing in for the events Windows
# raises:
#  - lag: during a 2-s drag of the carrier (a notepad) with the real mouse,
#    the bar's largest distance from its place on the caption, sampled every
#    50 ms, and how long after the drag it is in place again;
#  - wake-ups: the program's CPU time while the mouse moves over another
#    program's window for 10 s, against 10 s idle;
#  - the release: its files and bytes, against an earlier release zip when
#    one is given.
# Usage: tools/bench_riding.sh [EARLIER_RELEASE.zip]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/harness/wine.sh"
. "$root/harness/drive.sh"
drive_build Brisvane CBT e2e_driver e2e_test_window event_sources
if [ -z "${WINE_RUN:-}" ]; then
    cmake --build "$WIN_RELEASE" --target package >/dev/null
    set -- ${1:+"$(readlink -f "$1")"}
fi
bin=$WIN_BUILD/bin
drive_enter bench_riding "$root/build/bench_riding" "$bin/Brisvane.exe" "$bin/CBT.dll" "$bin/e2e_driver.exe" \
    -- "$0" "$@"

drive_desktop shell 1280x1024
wine $WINE_DESKTOP notepad &
driver window class:Notepad 20000 >/dev/null
driver setpos class:Notepad 60 60 500 300
wine $WINE_DESKTOP "$bin/e2e_test_window.exe" caption Other 560 380 400 200 &
driver window Other 20000 >/dev/null
driver activate class:Notepad
start_bar
sleep 2

# Lag: the tracker samples from its own process while the mouse drags (its
# output unfiltered, so that each line arrives as it is written).
track=$E2E_DIR/track.txt
wine $WINE_DESKTOP "$E2E_DRIVER" track class:Notepad 4500 >"$track" &
tracker=$!
for _ in $(seq 1 100); do grep -q tracking "$track" 2>/dev/null && break; sleep 0.1; done
w=$(driver window class:Notepad)
x=$(($(value captionleft "$w") + 40)) y=$((($(value captiontop "$w") + $(value captionbottom "$w")) / 2))
start=$(date +%s%N)
xdotool mousemove $x $y
sleep 0.2
start=$(date +%s%N)
xdotool mousedown 1
for i in $(seq 1 40); do  # 2 s, a step each 50 ms, out and most of the way back
    step=$((i <= 20 ? i : 40 - i + 5))
    xdotool mousemove $((x + step * 8)) $((y + step * 4))
    sleep 0.05
done
xdotool mouseup 1
drag_ms=$((($(date +%s%N) - start) / 1000000))
wait $tracker
# The first sample after the drag from which the bar stays in place.
lag=$(tr -d '\r' <"$track" | awk -v end="$drag_ms" 'NF == 3 {
        if ($1 <= end && $2 > worst) worst = $2
        if ($1 <= end && $3 > moved) moved = $3
        if ($1 > end && $2 > 0) settled = ""
        if ($1 > end && $2 == 0 && settled == "") settled = $1 - end
    } END { printf "%d %d %s", worst, moved, settled == "" ? "never" : settled }')
read -r worst moved settled <<<"$lag"

# Wake-ups: the mouse over the other program's window, over the carrier
# (whose process the bar hears from), then nothing.
# The Linux process's time on the CPU in milliseconds, to the nanosecond
# (Wine's own counters and the kernel's ticks read 0 for so little).
pid=
for p in $(pgrep -f 'Brisvane\.exe'); do
    tr '\0' '\n' 2>/dev/null <"/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && pid=$p
done
[ -n "$pid" ] || fail "no process of the program"
cpu() { awk '{printf "%.3f", $1 / 1e6}' "/proc/$pid/schedstat"; }
wiggle() {  # wiggle X Y: the mouse to and fro there for 10 s
    local end=$((SECONDS + 10)) dx
    while [ $SECONDS -lt $end ]; do
        for dx in 0 40 80 120 80 40; do xdotool mousemove $(($1 + dx)) "$2"; sleep 0.02; done
    done
}
c0=$(cpu)
wiggle 600 480
c1=$(cpu)
w=$(driver window class:Notepad)
wiggle $(($(value x "$w") + 100)) $(($(value y "$w") + 150))
c2=$(cpu)
xdotool mousemove 1200 20
sleep 10
c3=$(cpu)

release=$WIN_RELEASE/Brisvane-1.0.zip
files() { unzip -Z1 "$1" | wc -l; }
bytes() { unzip -l "$1" | tail -n 1 | awk '{print $1}'; }
echo "drag of the carrier with the mouse:     $drag_ms ms"
echo "carrier's largest distance from start: $moved px"
echo "bar's largest distance from its place:  $worst px (sampled every 50 ms)"
echo "in place again after the drag:          $settled ms (to the next 50-ms sample)"
echo "program CPU, mouse over another window: $(awk "BEGIN{print $c1 - $c0}") ms in 10 s"
echo "program CPU, mouse over the carrier:    $(awk "BEGIN{print $c2 - $c1}") ms in 10 s"
echo "program CPU, idle:                      $(awk "BEGIN{print $c3 - $c2}") ms in 10 s"
describe() {  # describe ZIP: files, bytes unpacked and packed, names
    echo "$(files "$1") files, $(bytes "$1") bytes ($(stat -c %s "$1") zipped): $(unzip -Z1 "$1" | tr '\n' ' ')"
}
echo "release:                                $(describe "$release")"
[ -z "${1:-}" ] || echo "earlier release:                        $(describe "$1")"
