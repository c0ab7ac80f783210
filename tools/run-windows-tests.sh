#!/usr/bin/env bash
# Runs the Windows and end-to-end tests of build/win under Wine, on the
# current display. Arguments go to ctest.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$root/build/win/wineprefix" WINEDEBUG=-all
# One Wine server for the whole run saves seconds per test.
wineserver -p 2>/dev/null || true
# Wine's background services start with the first program and keep its
# output open; started here, they cannot hold a test's pipe (and CTest).
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
status=0
ctest --test-dir "$root/build/win" --output-on-failure "$@" || status=$?
wineserver -k 2>/dev/null || true
exit $status
