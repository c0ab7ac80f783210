#!/usr/bin/env bash
# Creates the Wine prefix the tests share (WINEPREFIX), once. Caption height
# is set to 25 pixels, the size the bar's geometry examples use.
set -eu
: "${WINEPREFIX:?WINEPREFIX must be set}"
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
marker="$WINEPREFIX/.brisvane-ready"
[ -f "$marker" ] && exit 0
mkdir -p "$WINEPREFIX"
wineboot --init >/dev/null 2>&1 || true
wineserver -w
wine reg add "HKCU\\Control Panel\\Desktop\\WindowMetrics" /v CaptionHeight /t REG_SZ /d 24 /f >/dev/null 2>&1
wineserver -w
touch "$marker"
