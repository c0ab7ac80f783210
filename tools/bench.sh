#!/usr/bin/env bash
# Footprint of Brisvane next to a bare Win32 program with one window and a
# tray icon, built by the same toolchain with the same flags in this run.
# Prints sizes, imports, start-up time, memory, GDI/USER objects, repainted
# pixels and CPU time, each with its ratio to the baseline where one exists.
# Usage: tools/bench.sh     (as root: the battery is simulated)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j 2 --target Brisvane CBT bench_baseline bench_probe e2e_driver >/dev/null

export WINEPREFIX="$root/build/bench/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
export E2E_WORK="$root/build/bench"
tools/prepare-wineprefix.sh
bin=build/win/bin
args=("$bin/Brisvane.exe" "$bin/CBT.dll" "$bin/e2e_driver.exe" "$bin/bench_baseline.exe" "$bin/bench_probe.exe")
# Wine's background services keep the output of the program that starts
# them: started here, apart, they cannot hold a measurement's pipe.
wineserver -p 2>/dev/null || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
status=0
if [ -n "${DISPLAY:-}" ]; then
    bash tools/bench/measure.sh "${args[@]}" || status=$?
else
    xvfb-run -a -s "-screen 0 1280x1024x24" bash tools/bench/measure.sh "${args[@]}" || status=$?
fi
wineserver -k 2>/dev/null || true
exit $status
