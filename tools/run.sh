#!/usr/bin/env bash
# Builds Brisvane and runs it under Wine the way it is meant to be seen: in
# a Windows-like desktop (a Wine virtual desktop with a taskbar), riding on
# the caption of a notepad, with the test event source raising the window
# events Windows raises and Wine does not. With no display it makes a
# virtual one, takes a screenshot after a few seconds and stops everything.
# Usage: tools/run.sh [--percent N] [--charger on|off] [--seconds S]
#   --percent/--charger simulate a battery (needs root: a private mount
#   namespace puts a fake /sys/class/power_supply in place of the real one).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/harness/wine.sh"
. "$root/harness/drive.sh"
percent= charger=off seconds=8 args=("$@")
while [ $# -gt 0 ]; do
    case $1 in
        --percent) percent=$2; shift 2 ;;
        --charger) charger=$2; shift 2 ;;
        --seconds) seconds=$2; shift 2 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
if [ -n "$percent" ]; then
    [ "$(id -u)" = 0 ] || { echo "--percent needs root (a private mount namespace)" >&2; exit 2; }
    wine_namespace "$0" "${args[@]}"
fi

cd "$root"
drive_build Brisvane CBT e2e_driver e2e_test_window event_sources
wine_fetch_marlett
bin=$WIN_BUILD/bin
wine_prefix run reuse
# The caption buttons' symbol font, as in the README's pictures.
wine_use_marlett
drive_setup "$root/build/run" "$bin/Brisvane.exe" "$bin/CBT.dll" "$bin/e2e_driver.exe"
if [ "$charger" = on ]; then charging="1 Charging"; else charging="0 Discharging"; fi
# shellcheck disable=SC2086
[ -z "$percent" ] || fake_battery "$percent" $charging

shot=$root/build/run-screenshot.png
if [ -n "${DISPLAY:-}" ]; then
    echo "Running Brisvane on $DISPLAY in a Wine desktop (exit from its tray menu, or Ctrl+C)."
else
    echo "No display: running Brisvane on a virtual display for $seconds s."
    wine_display
fi
trap 'drive_unserve; wine_stop' EXIT
wine_start
drive_desktop shell 1024x700
wine $WINE_DESKTOP notepad </dev/null >/dev/null 2>&1 &
driver window class:Notepad 20000 >/dev/null || fail "notepad did not start"
driver setpos class:Notepad 160 120 600 360
# Wine draws a window that has been in front since it was made as inactive
# until the foreground changes once: to a small window of another program
# (the taskbar does not take it) and back, and that window goes again.
wine $WINE_DESKTOP "$bin/e2e_test_window.exe" tool Tool 700 60 220 150 </dev/null >/dev/null 2>&1 &
driver window Tool 20000 >/dev/null || fail "the helper window did not start"
driver activate Tool
driver activate class:Notepad
driver closewin Tool
start_bar
if [ -z "$WINE_XVFB_PID" ]; then
    wait "$BAR_PID" || true
    exit 0
fi
sleep "$seconds"
import -window root -crop 1024x700+0+0 +repage "$shot"
echo "Screenshot saved: $shot"
