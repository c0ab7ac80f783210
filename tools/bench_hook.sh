#!/usr/bin/env bash
# Prints what the hook library costs, under Wine in a virtual desktop:
#  - one hook call for a message the library ignores (the driver sends itself
#    messages, timed without and with the hooks installed);
#  - the program's and the carrier's CPU time while another process drags the
#    carrier (a notepad) to and fro for 10 s, without and with the bar on it.
# Usage: tools/bench_hook.sh [MESSAGES]   (default 200000)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
messages=${1:-200000}
cd "$root"
tools/install-deps.sh
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j 2 --target Brisvane CBT e2e_driver >/dev/null
export WINEPREFIX="$root/build/bench-wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
tools/prepare-wineprefix.sh

bench() {
    set -eu
    local bin=$root/build/win/bin app=$root/build/bench-app
    mkdir -p "$app" && cp "$bin/Brisvane.exe" "$bin/CBT.dll" "$app/"
    rm -f "$app/Brisvane.ini"
    local desktop="explorer /desktop=shell,1024x700"
    d() { wine $desktop "$bin/e2e_driver.exe" "$@" | tr -d '\r'; }
    v() { printf '%s\n' "$2" | sed -n "s/^$1=//p" | head -n 1; }
    wineserver -p 2>/dev/null || true
    wine $desktop notepad &
    d window class:Notepad 20000 >/dev/null
    d setpos class:Notepad 60 60 500 300

    local without with
    without=$(v ns_per_message "$(d hookcost "$messages")")
    local n0 n1
    n0=$(v cpu_ms "$(d cpu class:Notepad)")
    d drag class:Notepad 10 >/dev/null
    n1=$(v cpu_ms "$(d cpu class:Notepad)")
    local carrier_alone
    carrier_alone=$(awk "BEGIN{print $n1 - $n0}")

    d activate class:Notepad
    (cd "$app" && exec wine $desktop ./Brisvane.exe) &
    d bar 20000 >/dev/null
    sleep 2
    local out
    out=$(d hookcost "$messages")
    with=$(v ns_per_message "$out")
    local b0 b1
    n0=$(v cpu_ms "$(d cpu class:Notepad)")
    b0=$(v cpu_ms "$(d cpu class:BRISVANE)")
    d drag class:Notepad 10 >/dev/null
    n1=$(v cpu_ms "$(d cpu class:Notepad)")
    b1=$(v cpu_ms "$(d cpu class:BRISVANE)")

    echo "messages timed:                         $messages"
    echo "send to own window, no hooks:           $without ns"
    echo "send to own window, hooks on:           $with ns (CBT.dll loaded: $(v cbt_loaded "$out"))"
    echo "one ignored hook call (difference):     $((with - without)) ns"
    echo "carrier CPU, 10 s drag, no bar:         $carrier_alone ms"
    echo "carrier CPU, 10 s drag, bar riding:     $(awk "BEGIN{print $n1 - $n0}") ms"
    echo "program CPU, 10 s drag, bar riding:     $(awk "BEGIN{print $b1 - $b0}") ms"
    d close >/dev/null || true
    d closewin class:Notepad >/dev/null || true
    sleep 1
    wineserver -k 2>/dev/null || true
}
export -f bench
export root messages
if [ -n "${DISPLAY:-}" ]; then
    bench
else
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$(declare -f bench); bench"
fi
