# Driving the real program from outside, for the end-to-end tests and the
# tools: checks, the driver (tests/e2e/driver.cpp, built as e2e_driver.exe),
# a fake battery, starting and stopping the bar. Sourced after tools/wine.sh;
# drive_setup comes first.

# drive_setup DIR EXE DLL DRIVER: a clean work folder DIR with a copy of the
# program in DIR/app (APP_EXE); the driver for `driver`.
drive_setup() {
    E2E_DIR=$1
    E2E_EXE=$2
    E2E_DLL=$3
    E2E_DRIVER=$4
    rm -rf "$E2E_DIR"
    mkdir -p "$E2E_DIR/app" "$E2E_DIR/power"
    cp "$E2E_EXE" "$E2E_DLL" "$E2E_DIR/app/"
    APP_EXE="$E2E_DIR/app/$(basename "$E2E_EXE")"
    BAR_PID=
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

check_eq() {  # check_eq WHAT EXPECTED ACTUAL
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
    echo "ok: $1 = $3"
}

# Runs the driver (in the virtual desktop, when there is one); output without
# carriage returns. DRIVER_TIMEOUT, when set, bounds each call in seconds.
driver() {
    ${DRIVER_TIMEOUT:+timeout "$DRIVER_TIMEOUT"} wine $WINE_DESKTOP "$E2E_DRIVER" "$@" | tr -d '\r'
}

# value KEY TEXT: the value of KEY=... in driver output.
value() {
    printf '%s\n' "$2" | sed -n "s/^$1=//p" | head -n 1
}

# Puts a fake battery in place of the machine's: fake_battery PERCENT AC STATUS
# (STATUS Charging, Discharging or Full). Needs the private namespace. Can be
# called again while the program runs: each file is replaced whole (write and
# rename), so a reader never sees half a value, and the folder stays mounted.
fake_battery() {
    fake_power_folder
    local dir="$E2E_DIR/power"
    mkdir -p "$dir/BAT0"
    fake_power_file AC/online "$2"
    fake_power_file BAT0/type Battery
    fake_power_file BAT0/present 1
    fake_power_file BAT0/status "$3"
    fake_power_file BAT0/charge_full 50000000
    fake_power_file BAT0/charge_full_design 50000000
    fake_power_file BAT0/charge_now $((500000 * $1))
    fake_power_file BAT0/current_now 1000000
    fake_power_file BAT0/voltage_now 12000000
}

# Mains power and no battery at all: the system reports no percentage.
fake_no_battery() {
    fake_power_folder
    rm -rf "$E2E_DIR/power/BAT0"
    fake_power_file AC/online 1
}

fake_power_folder() {
    [ -n "${WINE_NAMESPACE:-}" ] || { echo "SKIP: a fake battery needs root and unshare"; exit 77; }
    local dir="$E2E_DIR/power"
    mkdir -p "$dir/AC"
    fake_power_file AC/type Mains
    # A bind mount shows the same inode: mount only once, even from a subshell.
    if [ "$(stat -c %d:%i "$dir")" != "$(stat -c %d:%i /sys/class/power_supply)" ]; then
        mount --bind "$dir" /sys/class/power_supply
    fi
}

fake_power_file() {  # fake_power_file RELATIVE_PATH VALUE
    local file="$E2E_DIR/power/$1"
    echo "$2" > "$file.new"
    mv -f "$file.new" "$file"
}

# start_bar [MS]: starts the program in the background (in the virtual
# desktop, when there is one); BAR_PID is its Wine launcher. The bar must
# appear within MS milliseconds (default 20000).
start_bar() {
    (cd "$E2E_DIR/app" && exec wine $WINE_DESKTOP "$APP_EXE") &
    BAR_PID=$!
    local out
    out=$(driver bar "${1:-20000}") || fail "no bar window appeared: $out"
}

# capture_screen FILE X Y WIDTH HEIGHT: that rectangle of the screen as the X
# server shows it, so keyed-out pixels show whatever lies beneath. FILE takes
# ImageMagick's names: shot.png, or rgb:shot.raw for raw 8-bit RGB bytes.
capture_screen() {
    import -window root -crop "$4x$5+$2+$3" +repage -depth 8 "$1"
}

# capture_bar FILE [MARGIN]: the bar's window rectangle, MARGIN pixels wider
# on every side (default 0).
capture_bar() {
    local margin=${2:-0} bar
    bar=$(driver bar) || fail "no bar window to capture"
    capture_screen "$1" $(($(value x "$bar") - margin)) $(($(value y "$bar") - margin)) \
        $(($(value width "$bar") + 2 * margin)) $(($(value height "$bar") + 2 * margin))
}

# Retries a check for up to ten seconds: the shell, the hook library and the
# program all act asynchronously, and a loaded machine is slow.
eventually() {
    local tries=0
    until "$@" 2>/dev/null; do
        tries=$((tries + 1))
        [ $tries -lt 20 ] || { "$@"; return 1; }
        sleep 0.5
    done
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

# unix_pid EXE: the Linux process id of the Wine process running EXE.
unix_pid() {
    local want p
    want=$(winepath -w "$1" 2>/dev/null)
    for p in /proc/[0-9]*; do
        if [ "$(tr '\0' '\n' 2>/dev/null <"$p/cmdline" | head -n 1)" = "$want" ]; then
            basename "$p"
            return 0
        fi
    done
}

# Closes every bar-class window (the bench runs two side by side).
close_all_bars() {
    for _ in $(seq 1 50); do
        [ "$(value count "$(driver count)")" = 0 ] && return 0
        driver close >/dev/null 2>&1 || true
        sleep 0.2
    done
    fail "a bar window stays after closing"
}
