#!/usr/bin/env bash
# Auto-shutdown of the real program, driven from outside: a 1-minute
# countdown through the dialog, the confirmation at zero, declining it,
# cancelling from the menu command (during the countdown and during the
# confirmation), exit during a countdown, and at last the confirmation left
# alone, which powers off: under Wine that ends the Wine session, not the host.
. "$(dirname "$0")/lib.sh"

WM_COMMAND=273
WM_TIMER=275
AUTOSHUTDOWN=32777

# Opens the Auto-shutdown dialog and confirms a duration: countdown H M.
countdown() {
    driver post $WM_COMMAND $AUTOSHUTDOWN 0
    check_eq "Auto-shutdown dialog open" 1 "$(value open "$(driver dialog shutdown 10000)")"
    driver dialogset shutdown 1004 "$1"
    driver dialogset shutdown 1006 "$2"
    driver dialogcmd shutdown 1
    check_eq "Auto-shutdown dialog closed" 0 "$(closed_within shutdown)"
}

# Prints 0 once dialog NAME has gone (within 10 s), else 1. Wine may take a
# couple of seconds to take down a window that was active.
closed_within() {
    local open=1
    for _ in $(seq 1 20); do
        open=$(value open "$(driver dialog "$1" 0)")
        [ "$open" = 1 ] || break
        sleep 0.5
    done
    echo "$open"
}

# The countdown's minute, as the bar's timer would deliver it.
tick() {
    driver post $WM_TIMER 2 0
}

# Answers the cancel question with OK.
cancel_countdown() {
    driver post $WM_COMMAND $AUTOSHUTDOWN 0
    check_eq "cancel question open" 1 "$(value open "$(driver dialog cancelask 10000)")"
    driver dialogcmd cancelask 1
    check_eq "cancel question answered" 0 "$(closed_within cancelask)"
}

fake_battery 57 0 Discharging
start_bar

# A 1-minute countdown; its tick opens the confirmation with its count.
countdown 0 1
tick
confirm=$(driver dialog confirm 10000)
check_eq "confirmation open after the last tick" 1 "$(value open "$confirm")"
case "$(value ok "$confirm")" in
    "确定(20)" | "确定(19)" | "确定(18)") echo "ok: confirmation counts: $(value ok "$confirm")" ;;
    *) fail "confirmation OK button reads '$(value ok "$confirm")'" ;;
esac
check_eq "confirmation cancel button" "取消" "$(value cancel "$confirm")"
sleep 2
after=$(value ok "$(driver dialog confirm)")
[ "$after" != "$(value ok "$confirm")" ] || fail "the confirmation's count did not move: $after"
echo "ok: count moved to $after"

# Declined: the bar stays, and a stray minute tick opens nothing.
driver dialogcmd confirm 2
check_eq "confirmation closed by Cancel" 0 "$(closed_within confirm)"
tick
sleep 1
check_eq "no confirmation from a tick while idle" 0 "$(value open "$(driver dialog confirm 0)")"
check_eq "bar still running" 1 "$(value count "$(driver count)")"

# Cancel from the menu during the countdown: no confirmation afterwards.
countdown 2 0
cancel_countdown
tick
sleep 1
check_eq "no confirmation after a cancelled countdown" 0 "$(value open "$(driver dialog confirm 0)")"
# Idle again: the command opens the Auto-shutdown dialog, not the question.
driver post $WM_COMMAND $AUTOSHUTDOWN 0
check_eq "Auto-shutdown dialog after the cancel" 1 "$(value open "$(driver dialog shutdown 10000)")"
driver dialogcmd shutdown 2
check_eq "Auto-shutdown dialog cancelled" 0 "$(closed_within shutdown)"

# Cancel from the menu while the confirmation is open ends it, no power-off.
countdown 0 1
tick
check_eq "confirmation open" 1 "$(value open "$(driver dialog confirm 10000)")"
cancel_countdown
check_eq "menu cancel closes the confirmation" 0 "$(closed_within confirm)"
check_eq "bar still running after the menu cancel" 1 "$(value count "$(driver count)")"

# Exit during a countdown: no power-off, and nothing pending at the next start.
countdown 0 5
driver close
wait_bar_exit
check_eq "exit code after exit during a countdown" 0 "$BAR_EXIT"
start_bar
tick
sleep 1
check_eq "no pending shutdown after a restart" 0 "$(value open "$(driver dialog confirm 0)")"

# Left alone, the confirmation powers off: the Wine session ends, and the
# settings are written first. Alpha 200 lives only in the running program's
# memory once its INI is gone, so finding it again proves the save.
driver close
wait_bar_exit
printf '[Brisvane]\r\nAlpha=200\r\n' > "$E2E_DIR/app/Brisvane.ini"
start_bar
rm -f "$E2E_DIR/app/Brisvane.ini"
countdown 0 1
tick
check_eq "confirmation open before the power-off" 1 "$(value open "$(driver dialog confirm 10000)")"
for _ in $(seq 1 60); do
    [ -n "$(jobs -rp)" ] || break
    sleep 1
done
[ -z "$(jobs -rp)" ] || fail "the program still runs a minute after the confirmation opened"
wait_bar_exit
echo "ok: the program ended with the power-off (exit code $BAR_EXIT)"
# The power-off ended the Wine session. Bring Wine's services up again apart
# from this script's output, or they would hold the test runner's pipe open.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
check_eq "bar windows after the power-off" 0 "$(value count "$(driver count)")"
ini() { sed -n "s/^$1=//p" "$E2E_DIR/app/Brisvane.ini" 2>/dev/null | tr -d '\r'; }
check_eq "INI Alpha written at the power-off" 200 "$(ini Alpha)"
check_eq "INI Interval written at the power-off" 5000 "$(ini Interval)"
