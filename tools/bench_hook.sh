#!/usr/bin/env bash
# Prints what the hook libraries cost, under Wine in a virtual desktop, once
# for 32-bit programs (CBT.dll, a 32-bit prefix) and once for 64-bit ones
# (CBT64.dll held by CBT64Host.exe, a 64-bit prefix and the 64-bit notepad):
#  - one hook call for a message the library ignores (the driver, built for
#    that kind of program, sends itself messages, timed without and with the
#    hooks installed);
#  - the program's and the carrier's CPU time while another process drags the
#    carrier (a notepad) to and fro for 10 s, without and with the bar on it.
# Usage: tools/bench_hook.sh [MESSAGES]   (default 200000)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
messages=${1:-200000}
cd "$root"
tools/install-deps.sh
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j 2 --target Brisvane CBT twin64 e2e_driver >/dev/null

# bench 32|64: the figures for carriers of that kind, in a prefix of its own.
bench() {
    set -eu
    local bits=$1 bin=$root/build/win/bin app=$root/build/bench-app$1
    export WINEARCH=win$bits WINEPREFIX=$root/build/bench-wineprefix$bits WINEDEBUG=-all
    export WINEDLLOVERRIDES=mscoree,mshtml=
    "$root/tools/prepare-wineprefix.sh"
    mkdir -p "$app" && cp "$bin/Brisvane.exe" "$bin/CBT.dll" "$bin/CBT64.dll" "$bin/CBT64Host.exe" "$app/"
    rm -f "$app/Brisvane.ini"
    local desktop="explorer /desktop=shell,1024x700" loader=wine hookcost=$bin/e2e_driver.exe
    if [ "$bits" = 64 ]; then loader=/usr/lib/wine/wine64; hookcost=$bin/e2e_driver64.exe; fi
    d() { wine $desktop "$bin/e2e_driver.exe" "$@" | tr -d '\r'; }
    h() { $loader $desktop "$hookcost" "$@" | tr -d '\r'; }
    v() { printf '%s\n' "$2" | sed -n "s/^$1=//p" | head -n 1; }
    wineserver -p 2>/dev/null || true
    $loader $desktop notepad &
    d window class:Notepad 20000 >/dev/null
    d setpos class:Notepad 60 60 500 300

    local without with
    without=$(v ns_per_message "$(h hookcost "$messages")")
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
    out=$(h hookcost "$messages")
    with=$(v ns_per_message "$out")
    local b0 b1
    n0=$(v cpu_ms "$(d cpu class:Notepad)")
    b0=$(v cpu_ms "$(d cpu class:BRISVANE)")
    d drag class:Notepad 10 >/dev/null
    n1=$(v cpu_ms "$(d cpu class:Notepad)")
    b1=$(v cpu_ms "$(d cpu class:BRISVANE)")

    local library=CBT.dll
    [ "$bits" = 64 ] && library=CBT64.dll
    echo "== $bits-bit carrier and driver, $WINEARCH prefix"
    echo "messages timed:                         $messages"
    echo "send to own window, no hooks:           $without ns"
    echo "send to own window, hooks on:           $with ns ($library loaded: $(v cbt_loaded "$out"))"
    echo "one ignored hook call (difference):     $((with - without)) ns"
    echo "carrier CPU, 10 s drag, no bar:         $carrier_alone ms"
    echo "carrier CPU, 10 s drag, bar riding:     $(awk "BEGIN{print $n1 - $n0}") ms"
    echo "program CPU, 10 s drag, bar riding:     $(awk "BEGIN{print $b1 - $b0}") ms"
    d close >/dev/null || true
    d closewin class:Notepad >/dev/null || true
    sleep 1
    wineserver -k 2>/dev/null || true
}
run() {
    bench 32
    if [ -x /usr/lib/wine/wine64 ]; then bench 64; else echo "== 64-bit: no 64-bit Wine loader (package wine64)"; fi
}
export -f bench run
export root messages
if [ -n "${DISPLAY:-}" ]; then
    run
else
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$(declare -f bench run); run"
fi
