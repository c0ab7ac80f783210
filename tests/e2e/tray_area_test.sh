#!/usr/bin/env bash
# The tray icon of the real program in the notification area of a Wine
# virtual desktop: the icon shown there (compared pixel for pixel with the
# program's own icons) and its tooltip read off the screen while the mouse
# rests on it (the charge, the time left and the power of the fake battery); the menu on a right-button release only; About at the
# bottom-right; an auto-shutdown started and cancelled through the menu with
# its icon, tooltip and renamed item; the icon back after "TaskbarCreated";
# Exit from the menu with exit code 0 and the icon gone; Escape and the arrow
# keys reach the menu opened by a real right click.
. "$(dirname "$0")/lib.sh"
# The Chinese texts are asserted: a Chinese Windows.
BAR_LOCALE=zh_CN.UTF-8

command -v xdotool >/dev/null || { echo "SKIP: needs xdotool"; exit 77; }
command -v xwininfo >/dev/null || { echo "SKIP: needs xwininfo"; exit 77; }
WM_TRAYNOTIFY=1025
DRIVER_TIMEOUT=60

fake_battery 57 0 Discharging
drive_desktop shell 1024x700
start_bar 30000
metrics=$(driver metrics)
CAP=$(value caption "$metrics"); SCREEN_W=$(value screenwidth "$metrics"); SCREEN_H=$(value screenheight "$metrics")
check_eq "virtual desktop" 1024x700 "${SCREEN_W}x$SCREEN_H"
APP_WIN=$(winepath -w "$APP_EXE" 2>/dev/null)

TRAY_ICON=
icon_is() {
    local out
    out=$(driver tray "$APP_WIN")
    TRAY_ICON=$(value icon "$out")
    ICON_X=$(value iconx "$out"); ICON_Y=$(value icony "$out")
    [ "$TRAY_ICON" = "$1" ] || { echo "tray icon shows '$TRAY_ICON', not $1" >&2; return 1; }
}
# The tooltip the shell shows when the mouse comes to rest on the icon
# (the desktop window lies at the X screen's origin).
hover_tip() {
    xdotool mousemove 500 300
    sleep 0.5
    xdotool mousemove "$ICON_X" "$ICON_Y"
    value tip "$(driver traytip 4000)"
}
open_menu() {
    driver post $WM_TRAYNOTIFY 1 $((0x205))
    MENU=$(driver menu 5000)
    check_eq "menu open on a right-button release" 1 "$(value open "$MENU")"
}

eventually icon_is normal || fail "the program's icon is not in the tray at start"
echo "ok: the program's icon is in the notification area"
# Wine works the time left and the power out of the fake's 1 A at 12 V.
BATTERY_TIP='电量监视\n电量 57%，剩余 5小时42分钟\n放电功率 12.0 W'
check_eq "tooltip" "$BATTERY_TIP" "$(hover_tip)"

# Real input, as a person uses the menu: a right click on the icon, then the
# keyboard. Escape closes the menu; Down Down Enter opens Options, where the
# riding switch is flipped, so that the next round runs with it the other way.
real_menu_round() {  # real_menu_round ADHERE
    xdotool mousemove "$ICON_X" "$ICON_Y" click 3
    check_eq "menu open on a real right click (Adhere $1)" 1 "$(value open "$(driver menu 5000)")"
    xdotool key Escape
    eventually menu_closed || fail "Escape did not close the menu (Adhere $1)"
    xdotool mousemove "$ICON_X" "$ICON_Y" click 3
    driver menu 5000 >/dev/null
    xdotool key Down Down Return
    driver options 10000 >/dev/null || fail "Down Down Enter did not open Options (Adhere $1)"
    echo "ok: Escape closes the menu and the keys reach it (Adhere $1)"
    driver options-click 1002
    driver options-click 1
    driver options-gone 10000 >/dev/null || fail "Options did not close"
}
menu_closed() {
    [ "$(value open "$(driver menu 0)")" = 0 ]
}
real_menu_round on
real_menu_round off

# Left clicks, double clicks and the press of the right button open nothing.
for mouse in 0x202 0x203 0x204; do driver post $WM_TRAYNOTIFY 1 $((mouse)); done
check_eq "menu after left clicks and a right press" 0 "$(value open "$(driver menu 1500)")"
open_menu
check_eq "menu of the program" 1 "$(value barprocess "$MENU")"
IDLE_WIDTH=$(value width "$MENU")
mx=$(value x "$MENU"); my=$(value y "$MENU"); mw=$(value width "$MENU"); mh=$(value height "$MENU")
# At the cursor, moved only as far as needed to stay above the taskbar.
if [ $mx -lt $((ICON_X - mw)) ] || [ $mx -gt $ICON_X ] || [ $((my + mh)) -gt $SCREEN_H ] || [ $my -lt $((ICON_Y - mh - 30)) ]; then
    fail "menu at $mx,$my ${mw}x$mh is not at the cursor $ICON_X,$ICON_Y"
fi
echo "ok: menu at the cursor"

# The fourth item is About: at the bottom-right corner, topmost.
driver menukey down down down down return
about=$(driver dialog about 5000)
check_eq "About box open" 1 "$(value open "$about")"
# In the corner of the work area, clear of the taskbar.
read -r _ _ WORK_RIGHT WORK_BOTTOM <<< "$(value work0 "$(driver monitors)")"
[ "$WORK_BOTTOM" -lt "$SCREEN_H" ] || fail "no taskbar below the work area (bottom $WORK_BOTTOM)"
check_eq "About box right edge" $((WORK_RIGHT - CAP - 3)) $(($(value x "$about") + $(value width "$about")))
check_eq "About box bottom edge" $((WORK_BOTTOM - CAP - 3)) $(($(value y "$about") + $(value height "$about")))
check_eq "About box topmost" 1 "$(value topmost "$about")"
driver dialogcmd about 1
eventually dialog_gone about || fail "the About box did not close on OK"
check_eq "menu closed after choosing" 0 "$(value open "$(driver menu 0)")"

# The first item starts an auto-shutdown of one minute.
open_menu
driver menukey down return
check_eq "Auto-shutdown dialog from the menu" 1 "$(value open "$(driver dialog shutdown 10000)")"
driver dialogset shutdown 1004 0
driver dialogset shutdown 1006 1
driver dialogcmd shutdown 1
eventually dialog_gone shutdown || fail "the Auto-shutdown dialog did not close"
eventually icon_is shutdown || fail "no shutdown icon in the tray during the countdown"
echo "ok: the shutdown icon in the tray during the countdown"
check_eq "tooltip during the countdown" "1分钟后自动关机" "$(hover_tip)"

# A shell that lost its icons and says "TaskbarCreated" gets them back as
# they look now: still the countdown, still cancellable.
driver forgeticon
eventually icon_is none || fail "the icon did not leave the tray"
driver taskbarcreated
eventually icon_is shutdown || fail "the shutdown icon did not come back on TaskbarCreated"
echo "ok: the icon comes back on TaskbarCreated, as it looked"
check_eq "tooltip after TaskbarCreated" "1分钟后自动关机" "$(hover_tip)"

# The cancel item now reads "取消自动关机", wider than "自动关机".
open_menu
width=$(value width "$MENU")
[ "$width" -gt "$IDLE_WIDTH" ] || fail "menu during the countdown ${width} px wide, not wider than $IDLE_WIDTH"
echo "ok: the renamed first item widens the menu from $IDLE_WIDTH to $width px"
# "延后10分钟" stands above the cancel while counting.
driver menukey down down return
check_eq "cancel question from the menu" 1 "$(value open "$(driver dialog cancelask 10000)")"
driver dialogcmd cancelask 1
eventually dialog_gone cancelask || fail "the cancel question did not close"
eventually icon_is normal || fail "the normal icon did not come back after the cancel"
echo "ok: the normal icon is back after the cancel"
check_eq "tooltip after the cancel" "$BATTERY_TIP" "$(hover_tip)"
open_menu
check_eq "menu width after the cancel" "$IDLE_WIDTH" "$(value width "$MENU")"

# The last item, past the separator, is Exit: no question, exit code 0.
# Straight to the file: a pipe would hold "watching" back until the end.
timeout 60 wine $WINE_DESKTOP "$E2E_DRIVER" waitexit 30000 > "$E2E_DIR/exit.txt" &
watcher=$!
for _ in $(seq 1 40); do grep -q watching "$E2E_DIR/exit.txt" && break; sleep 0.25; done
check_eq "watching the program" 1 "$(value watching "$(tr -d '\r' < "$E2E_DIR/exit.txt")")"
driver menukey down down down down down return
wait $watcher || true
exited=$(tr -d '\r' < "$E2E_DIR/exit.txt")
check_eq "ended after Exit" 1 "$(value ended "$exited")"
check_eq "exit code after Exit" 0 "$(value exitcode "$exited")"
wait_bar_exit
eventually icon_is none || fail "the icon stays in the tray after Exit"
echo "ok: the icon is gone after Exit"
