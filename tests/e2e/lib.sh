# Shared helpers of the end-to-end tests. Sourced by tests/e2e/*_test.sh,
# which CTest calls with: Brisvane.exe CBT.dll e2e_driver.exe.
# A test runs in a private mount namespace (when root) so that a fake
# /sys/class/power_supply can stand in for the machine's battery.
set -eu

E2E_EXE=$1
E2E_DLL=$2
E2E_DRIVER=$3
E2E_NAME=$(basename "$0" .sh)

if [ -z "${E2E_IN_NAMESPACE:-}" ] && [ "$(id -u)" = 0 ] && unshare -m true 2>/dev/null; then
    export E2E_IN_NAMESPACE=1
    exec unshare -m bash "$0" "$@"
fi

E2E_DIR=${E2E_WORK:-/tmp/brisvane-e2e}/$E2E_NAME
rm -rf "$E2E_DIR"
mkdir -p "$E2E_DIR/app" "$E2E_DIR/power"
cp "$E2E_EXE" "$E2E_DLL" "$E2E_DIR/app/"
APP_EXE="$E2E_DIR/app/$(basename "$E2E_EXE")"
BAR_PID=

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

check_eq() {  # check_eq WHAT EXPECTED ACTUAL
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
    echo "ok: $1 = $3"
}

# Runs the driver; output without carriage returns.
driver() {
    wine "$E2E_DRIVER" "$@" | tr -d '\r'
}

# value KEY TEXT: the value of KEY=... in driver output.
value() {
    printf '%s\n' "$2" | sed -n "s/^$1=//p" | head -n 1
}

# Puts a fake battery in place of the machine's: fake_battery PERCENT AC STATUS
# (STATUS Charging, Discharging or Full). Needs the private namespace.
fake_battery() {
    [ -n "${E2E_IN_NAMESPACE:-}" ] || { echo "SKIP: a fake battery needs root and unshare"; exit 77; }
    local dir="$E2E_DIR/power"
    mkdir -p "$dir/AC" "$dir/BAT0"
    echo Mains > "$dir/AC/type"
    echo "$2" > "$dir/AC/online"
    echo Battery > "$dir/BAT0/type"
    echo 1 > "$dir/BAT0/present"
    echo "$3" > "$dir/BAT0/status"
    echo 50000000 > "$dir/BAT0/charge_full"
    echo 50000000 > "$dir/BAT0/charge_full_design"
    echo $((500000 * $1)) > "$dir/BAT0/charge_now"
    echo 1000000 > "$dir/BAT0/current_now"
    echo 12000000 > "$dir/BAT0/voltage_now"
    if ! mountpoint -q /sys/class/power_supply || [ -z "${E2E_BATTERY_MOUNTED:-}" ]; then
        mount --bind "$dir" /sys/class/power_supply
        E2E_BATTERY_MOUNTED=1
    fi
}

# Starts the program in the background; BAR_PID is its Wine launcher.
start_bar() {
    (cd "$E2E_DIR/app" && exec wine "$APP_EXE") &
    BAR_PID=$!
    local out
    out=$(driver bar 20000) || fail "no bar window appeared: $out"
}

# Waits for the program to end; its exit code goes into BAR_EXIT.
wait_bar_exit() {
    BAR_EXIT=0
    wait "$BAR_PID" || BAR_EXIT=$?
    BAR_PID=
}

cleanup() {
    if [ -n "$BAR_PID" ]; then
        driver close >/dev/null 2>&1 || true
        sleep 1
        kill "$BAR_PID" 2>/dev/null || true
    fi
}
trap cleanup EXIT
