#!/usr/bin/env bash
# Runs the Windows and end-to-end tests of build/win under Wine, on the
# current display. Arguments go to ctest.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$root/build/win/wineprefix" WINEDEBUG=-all
# One Wine server for the whole run saves seconds per test.
wineserver -p 2>/dev/null || true
status=0
ctest --test-dir "$root/build/win" --output-on-failure "$@" || status=$?
wineserver -k 2>/dev/null || true
exit $status
