# Shared set-up of the end-to-end tests. Sourced by tests/e2e/*_test.sh,
# which CTest calls with: Brisvane.exe CBT.dll e2e_driver.exe. A test runs
# in a fresh Wine prefix named after it, on an X display of its own and (as
# root) in a private mount namespace where a fake battery can stand in for
# the machine's (drive_enter).
set -eu
. "$(dirname "$0")/../../harness/wine.sh"
. "$WINE_ROOT/harness/drive.sh"
E2E_NAME=${E2E_NAME:-$(basename "$0" .sh)}
# A driver call that Wine leaves hanging fails the test instead of holding it.
DRIVER_TIMEOUT=${DRIVER_TIMEOUT:-120}
drive_enter "${WINE_NAME:-$E2E_NAME}" "${E2E_WORK:-/tmp/brisvane-e2e}/$E2E_NAME" "$1" "$2" "$3" -- "$0" "$@"

# dialog_gone NAME: the dialog (as the driver names it) is not shown now; for
# eventually, which runs it again, where a test's own command substitution
# would be read only once.
dialog_gone() {
    [ "$(value open "$(driver dialog "$1" 0)")" = 0 ]
}

# start_countdown H M: the tray menu's Auto-shutdown command, a duration of
# H hours and M minutes typed, and OK.
start_countdown() {
    driver post 273 32777 0
    check_eq "Auto-shutdown dialog open" 1 "$(value open "$(driver dialog shutdown 10000)")"
    driver dialogset shutdown 1004 "$1"
    driver dialogset shutdown 1006 "$2"
    driver dialogcmd shutdown 1
    eventually dialog_gone shutdown || fail "the Auto-shutdown dialog stays"
}
