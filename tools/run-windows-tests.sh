#!/usr/bin/env bash
# Runs the Windows and end-to-end tests under Wine (build/win, or build/win64
# on a machine without 32-bit Wine: harness/wine.sh), several at
# once: each makes its own Wine prefix and X display (harness/wine.sh), so no
# display is needed. Arguments go to ctest (e.g. -R NAME, -j N).
set -eu
. "$(dirname "$0")/../harness/wine.sh"
exec ctest --test-dir "$WIN_BUILD" --output-on-failure -j 4 "$@"
