#!/usr/bin/env bash
# Prints what riding on captions costs, under Wine in a virtual desktop with
# the window event source (tests/events) standing in for the events Windows
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
. "$root/tools/wine.sh"
if [ -z "${WINE_RUN:-}" ]; then
    cd "$root"
    wine_install_deps
    win_build -- package Brisvane CBT e2e_driver e2e_test_window event_sources >/dev/null
    earlier=${1:+$(readlink -f "$1")}
    exec bash tools/wine.sh run bench_riding bash "$0" "$earlier"
fi
. "$root/tools/drive.sh"
bin=$WIN_BUILD/bin
drive_setup "$root/build/bench_riding" "$bin/Brisvane.exe" "$bin/CBT.dll" "$bin/e2e_driver.exe"
trap cleanup EXIT

drive_desktop shell 1024x700
wine $WINE_DESKTOP notepad &
driver window class:Notepad 20000 >/dev/null
driver setpos class:Notepad 60 60 500 300
wine $WINE_DESKTOP "$bin/e2e_test_window.exe" caption Other 560 380 400 200 &
driver window Other 20000 >/dev/null
driver activate class:Notepad
start_bar
sleep 2

# Lag: the tracker samples from its own process while the mouse drags.
track=$E2E_DIR/track.txt
driver_once track class:Notepad 4500 >"$track" &
tracker=$!
for _ in $(seq 1 100); do grep -q tracking "$track" 2>/dev/null && break; sleep 0.1; done
start=$(date +%s%N)
cap=$(value caption "$(driver metrics)")
xdotool mousemove 200 $((60 + cap / 2 + 4)) mousedown 1
for i in $(seq 1 40); do  # 2 s, a step each 50 ms, to and fro
    xdotool mousemove $((200 + (i <= 20 ? i : 40 - i) * 8)) $((60 + cap / 2 + 4 + (i <= 20 ? i : 40 - i) * 4))
    sleep 0.05
done
xdotool mouseup 1
drag_ms=$((($(date +%s%N) - start) / 1000000))
wait $tracker
lag=$(awk -v end="$drag_ms" '/^[0-9]+ [0-9]+$/ {
        if ($1 <= end && $2 > worst) worst = $2
        if ($1 > end && $2 > 0) settled = -1
        if ($1 > end && $2 == 0 && settled < 0) settled = $1 - end
        if ($1 > end && $2 == 0 && settled == "") settled = $1 - end
    } END { printf "%d %s", worst, (settled == "" || settled < 0) ? "not settled" : settled }' "$track")

# Wake-ups: the mouse over the other program's window, then nothing.
cpu() { value cpu_ms "$(driver cpu class:BRISVANE)"; }
c0=$(cpu)
end=$((SECONDS + 10))
while [ $SECONDS -lt $end ]; do
    for x in 600 700 800 900 800 700; do xdotool mousemove $x 480; sleep 0.02; done
done
c1=$(cpu)
xdotool mousemove 1000 20
sleep 10
c2=$(cpu)

release=$WIN_RELEASE/Brisvane-1.0.zip
files() { unzip -Z1 "$1" | wc -l; }
bytes() { unzip -l "$1" | tail -n 1 | awk '{print $1}'; }
echo "drag of the carrier with the mouse:     $drag_ms ms"
echo "largest distance during the drag:       ${lag%% *} px (sampled every 50 ms)"
echo "in place again after the drag:          ${lag#* } ms (to the 50-ms sample)"
echo "program CPU, mouse over another window: $(awk "BEGIN{print $c1 - $c0}") ms in 10 s"
echo "program CPU, idle:                      $(awk "BEGIN{print $c2 - $c1}") ms in 10 s"
echo "release:                                $(files "$release") files, $(bytes "$release") bytes ($(unzip -Z1 "$release" | tr '\n' ' '))"
if [ -n "${1:-}" ]; then
    echo "earlier release:                        $(files "$1") files, $(bytes "$1") bytes ($(unzip -Z1 "$1" | tr '\n' ' '))"
fi
