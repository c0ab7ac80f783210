#!/usr/bin/env bash
# The timer's other actions, end to end: ShutdownAction=sleep in the file
# gives a countdown that says it will sleep, and a confirmation titled
# "睡眠确认" whose "推迟10分钟" counts ten more minutes for the same sleep.
. "$(dirname "$0")/lib.sh"
BAR_LOCALE=zh_CN.UTF-8
command -v xdotool >/dev/null || { echo "SKIP: needs xdotool"; exit 77; }
LATER=1031

fake_battery 57 0 Discharging
printf '[Brisvane]\r\nAdhere=0\r\nShutdownAction=sleep\r\n' > "$E2E_DIR/app/Brisvane.ini"
drive_desktop shell 1024x700
start_bar 30000
APP_WIN=$(winepath -w "$APP_EXE" 2>/dev/null)
hover_tip() {
    local tray
    tray=$(driver tray "$APP_WIN")
    xdotool mousemove 500 300
    sleep 0.5
    xdotool mousemove "$(value iconx "$tray")" "$(value icony "$tray")"
    value tip "$(driver traytip 4000)"
}

start_countdown 0 1
check_eq "tooltip of a one-minute sleep" "1分钟后自动睡眠" "$(hover_tip)"

check_eq "the sleep's confirmation" 1 "$(value open "$(driver dialog sleepconfirm 75000)")"
driver dialogcmd sleepconfirm $LATER
eventually dialog_gone sleepconfirm || fail "the confirmation stays"
check_eq "ten more minutes, still a sleep" "10分钟后自动睡眠" "$(hover_tip)"
driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"
# In a virtual desktop the launcher may be gone while the file is written.
action_kept() { grep -q '^ShutdownAction=sleep' "$E2E_DIR/app/Brisvane.ini"; }
eventually action_kept || fail "ShutdownAction=sleep not kept"
echo "ok: ShutdownAction=sleep kept"
