#!/usr/bin/env bash
# Prints what the hook library costs, under Wine in a virtual desktop:
#  - one hook call for a message the library ignores (the driver sends itself
#    messages, timed without and with the hooks installed);
#  - the program's and the carrier's CPU time while another process drags the
#    carrier (a notepad) to and fro for 10 s, without and with the bar on it.
# Usage: tools/bench_hook.sh [MESSAGES]   (default 200000)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine.sh"
if [ -z "${WINE_RUN:-}" ]; then
    cd "$root"
    wine_install_deps
    win_build -- Brisvane CBT e2e_driver >/dev/null
    exec bash tools/wine.sh run bench_hook bash "$0" "$@"
fi
. "$root/tools/drive.sh"
messages=${1:-200000}
bin=$WIN_BUILD/bin
drive_setup "$root/build/bench_hook" "$bin/Brisvane.exe" "$bin/CBT.dll" "$bin/e2e_driver.exe"
trap cleanup EXIT

drive_desktop shell 1024x700
wine $WINE_DESKTOP notepad &
driver window class:Notepad 20000 >/dev/null
driver setpos class:Notepad 60 60 500 300

without=$(value ns_per_message "$(driver_once hookcost "$messages")")
n0=$(value cpu_ms "$(driver cpu class:Notepad)")
driver drag class:Notepad 10 >/dev/null
n1=$(value cpu_ms "$(driver cpu class:Notepad)")
carrier_alone=$(awk "BEGIN{print $n1 - $n0}")

driver activate class:Notepad
start_bar
sleep 2
out=$(driver_once hookcost "$messages")
with=$(value ns_per_message "$out")
n0=$(value cpu_ms "$(driver cpu class:Notepad)")
b0=$(value cpu_ms "$(driver cpu class:BRISVANE)")
driver drag class:Notepad 10 >/dev/null
n1=$(value cpu_ms "$(driver cpu class:Notepad)")
b1=$(value cpu_ms "$(driver cpu class:BRISVANE)")

echo "messages timed:                         $messages"
echo "send to own window, no hooks:           $without ns"
echo "send to own window, hooks on:           $with ns (CBT.dll loaded: $(value cbt_loaded "$out"))"
echo "one ignored hook call (difference):     $((with - without)) ns"
echo "carrier CPU, 10 s drag, no bar:         $carrier_alone ms"
echo "carrier CPU, 10 s drag, bar riding:     $(awk "BEGIN{print $n1 - $n0}") ms"
echo "program CPU, 10 s drag, bar riding:     $(awk "BEGIN{print $b1 - $b0}") ms"
