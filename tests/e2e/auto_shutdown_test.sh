#!/usr/bin/env bash
# Auto-shutdown of the real program, driven from outside: a 1-minute
# countdown through the dialog, the confirmation when the minute is up,
# declining it, cancelling from the menu command (during the countdown and
# during the confirmation), and exit during a countdown. The countdown keeps
# its deadline by the clock, so each confirmation takes a real minute; the
# power-off itself is sleep_countdown_test's.
. "$(dirname "$0")/lib.sh"
# The Chinese texts are asserted: a Chinese Windows.
BAR_LOCALE=zh_CN.UTF-8

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

# A stray countdown tick, as if the bar's timer had fired: it must not
# count, since the countdown reads the clock.
tick() {
    driver post $WM_TIMER 2 0
}

# The confirmation, once the countdown's minute is really up.
confirmation() {
    driver dialog confirm 75000
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

# A 1-minute countdown: a stray tick does not shorten it; when the minute is
# up the confirmation opens with its count.
countdown 0 1
tick
sleep 1
check_eq "no confirmation from a stray tick" 0 "$(value open "$(driver dialog confirm 0)")"
confirm=$(confirmation)
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
check_eq "confirmation open" 1 "$(value open "$(confirmation)")"
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

