#!/usr/bin/env bash
# Footprint of Brisvane next to a bare Win32 program with one window and a
# tray icon, built by the same toolchain with the same flags in this run.
# Prints sizes, imports, start-up time, memory, GDI/USER objects, repainted
# pixels and CPU time, each with its ratio to the baseline where one exists.
# Usage: tools/bench.sh     (as root: the battery is simulated)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/wine.sh
wine_install_deps
win_build -- Brisvane CBT bench_baseline bench_probe e2e_driver >/dev/null
bin=$WIN_BUILD/bin
export E2E_WORK=$root/build/bench
exec bash tools/wine.sh run bench bash tools/bench/measure.sh "$bin/Brisvane.exe" "$bin/CBT.dll" \
    "$bin/e2e_driver.exe" "$bin/bench_baseline.exe" "$bin/bench_probe.exe"
