#!/usr/bin/env bash
# Runs the Windows and end-to-end tests of build/win under Wine, several at
# once: each makes its own Wine prefix and X display (tools/wine.sh), so no
# display is needed. Arguments go to ctest (e.g. -R NAME, -j N).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
exec ctest --test-dir "$root/build/win" --output-on-failure -j 3 "$@"
