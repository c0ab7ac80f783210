#!/usr/bin/env bash
# Two monitors side by side (an X server of their own, see tools/two-monitors.sh):
# the bar parks at the bottom-right of the monitor its last carrier was on,
# Options opens on the bar's monitor, and a floating bar saved on a monitor
# that is gone starts at the primary monitor's default position.
. "$(dirname "$0")/lib.sh"
: "${E2E_TEST_WINDOW:?E2E_TEST_WINDOW must name the carrier window program}"
[ "$(id -u)" = 0 ] || { echo "SKIP: the two-monitor X server needs root"; exit 77; }
[ -f /usr/lib/xorg/modules/drivers/dummy_drv.so ] || { echo "SKIP: needs xserver-xorg-video-dummy"; exit 77; }
IDM_OPTIONS=32774

# This prefix's Wine again, on the two-monitor server: Wine takes the
# monitors it finds when its display driver starts. XF86VidMode's mode list
# crashed Wine's display enumeration after the first monitor; with no window
# manager Wine draws the captions itself.
wineserver -k 2>/dev/null || true
DISPLAY=$("$WINE_ROOT/tools/two-monitors.sh" "$E2E_DIR/x") || fail "no two-monitor X server"
export DISPLAY
trap 'cleanup; wineserver -k 2>/dev/null || true; kill "$(cat "$E2E_DIR/x/xorg.pid")" 2>/dev/null || true' EXIT
wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXVidMode /t REG_SZ /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wine_start
drive_serve
events_start

monitors=$(driver monitors)
check_eq "monitors" 2 "$(value monitors "$monitors")"
read -r M2_LEFT M2_TOP M2_RIGHT M2_BOTTOM <<< "$(value work1 "$monitors")"
check_eq "second monitor's work area" "1280 0 2304 768" "$M2_LEFT $M2_TOP $M2_RIGHT $M2_BOTTOM"
CAP=$(value caption "$(driver metrics)")

wine "$E2E_TEST_WINDOW" caption Carrier 1500 200 600 300 &
driver window Carrier 20000 >/dev/null || fail "no carrier window"
driver activate Carrier
printf '[Brisvane]\r\nAdhere=1\r\nBarWidth=50\r\n' > "$E2E_DIR/app/Brisvane.ini"
fake_battery 57 0 Discharging
start_bar
bar_at() {  # bar_at X Y
    bar=$(driver bar)
    BX=$(value x "$bar") BY=$(value y "$bar")
    [ "$BX $BY" = "$1 $2" ]
}
riding() {
    bar=$(driver bar)
    BX=$(value x "$bar") BY=$(value y "$bar")
    [ "$BX" -gt 1500 ] && [ "$BY" -ge 200 ] && [ "$BY" -lt $((200 + CAP + 8)) ]
}
eventually riding || fail "the bar is not on the carrier's caption on the second monitor (at $BX,$BY)"
echo "ok: rides the carrier on the second monitor at $BX,$BY"

driver show Carrier minimize
PARK_X=$((M2_RIGHT - 75 - CAP - 3)) PARK_Y=$((M2_BOTTOM - (CAP - 8) - CAP - 3))
eventually bar_at $PARK_X $PARK_Y || fail "bar at $BX,$BY, not parked at the second monitor's $PARK_X,$PARK_Y"
echo "ok: parked at the second monitor's bottom-right: $BX,$BY"

driver post 0x111 $IDM_OPTIONS 0
dlg=$(driver options 10000) || fail "no Options dialog: $dlg"
check_eq "Options right edge" $((M2_RIGHT - CAP - 3)) $(($(value x "$dlg") + $(value width "$dlg")))
check_eq "Options bottom edge" $((M2_BOTTOM - CAP - 3)) $(($(value y "$dlg") + $(value height "$dlg")))
driver options-click 2
driver options-gone >/dev/null || fail "Cancel did not close Options"
driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"

# Saved on a monitor that is no longer there: the primary's default place.
printf '[Brisvane]\r\nAdhere=0\r\nBarWidth=50\r\n[Position]\r\nX=3000\r\nY=900\r\n' > "$E2E_DIR/app/Brisvane.ini"
start_bar
eventually bar_at $((1280 - 4 * CAP - 24 - 50)) 4 || fail "a bar saved off every monitor starts at $BX,$BY"
echo "ok: a position on no monitor starts at the primary's default $BX,$BY"
driver close
wait_bar_exit
driver closewin Carrier >/dev/null 2>&1 || true
