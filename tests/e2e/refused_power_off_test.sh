#!/usr/bin/env bash
# A power-off that a program holds up. With "close other programs without
# asking" unticked, programs are asked; an editor with unsaved work (a test
# window refusing WM_QUERYENDSESSION, started before the program: Wine asks
# processes in the order of their ids and stops at the first refusal,
# without a word to the others) keeps the session. The program stays, its
# icon in the tray, and says the auto-shutdown did not complete. The forced
# power-off that no program can hold up is sleep_countdown_test's.
. "$(dirname "$0")/lib.sh"
BAR_LOCALE=zh_CN.UTF-8
command -v xdotool >/dev/null || { echo "SKIP: needs xdotool"; exit 77; }

fake_battery 57 0 Discharging
printf '[Brisvane]\r\nAdhere=0\r\nForceClose=0\r\n' > "$E2E_DIR/app/Brisvane.ini"
drive_desktop shell 1024x700
start_window Editor "$E2E_TEST_WINDOW" refuses Editor 100 100 400 300
start_bar 30000

start_countdown 0 1
check_eq "confirmation open at the moment" 1 "$(value open "$(driver dialog confirm 75000)")"
driver dialogcmd confirm 1
confirmed=$(date +%s)

# Within the minute the program gives a power-off to end the session, and a
# little more for the notification to show.
balloon=$(driver balloon 90000)
check_eq "a notification" 1 "$(value shown "$balloon")"
echo "figure: the notification $(($(date +%s) - confirmed)) s after the power-off was confirmed"
check_eq "the notification says why" "关机开始一分钟后，电脑仍在运行。" "$(value text "$balloon")"
check_eq "the program still runs" 1 "$(value count "$(driver count)")"
driver window Editor 1000 >/dev/null || fail "the editor was closed"

APP_WIN=$(winepath -w "$APP_EXE" 2>/dev/null)
tray=$(driver tray "$APP_WIN")
check_eq "the countdown's icon still in the tray" shutdown "$(value icon "$tray")"
check_eq "the notification went" 0 "$(value shown "$(driver balloon 30000 gone)")"
xdotool mousemove 500 300
sleep 0.5
xdotool mousemove "$(value iconx "$tray")" "$(value icony "$tray")"
check_eq "tooltip" "自动关机未完成" "$(value tip "$(driver traytip 4000)")"
driver close
wait_bar_exit
