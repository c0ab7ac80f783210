# Driving the real program from outside, for the end-to-end tests and the
# tools: checks, the driver (harness/driver/, built as e2e_driver.exe),
# a fake battery, starting and stopping the bar. Sourced after harness/wine.sh;
# drive_enter (or drive_setup) comes first.

# drive_build TARGET…: outside a Wine run, installs what is missing and
# builds the targets (quietly); inside one (drive_enter), nothing.
drive_build() {
    [ -z "${WINE_RUN:-}" ] || return 0
    wine_install_deps
    win_build -- "$@" >/dev/null
}

# drive_enter NAME DIR EXE DLL DRIVER -- SCRIPT [ARG…]: how every test and
# tool enters a driven Wine run. Outside one, runs SCRIPT ARG… again inside
# `harness/wine.sh run NAME` (a fresh prefix and display of its own, as root a
# private mount namespace for the fake battery; DRIVE_RUN_OPTIONS go before
# NAME) and does not return. Inside, sets up the work folder DIR with the
# program (drive_setup), starts the driver server, and cleans up at the exit.
drive_enter() {
    local name=$1 dir=$2 exe=$3 dll=$4 drv=$5
    shift 6
    # shellcheck disable=SC2086
    [ -n "${WINE_RUN:-}" ] || exec bash "$WINE_ROOT/harness/wine.sh" run ${DRIVE_RUN_OPTIONS:-} "$name" bash "$@"
    drive_setup "$dir" "$exe" "$dll" "$drv"
    drive_serve
    trap cleanup EXIT
}

# drive_tool NAME SCRIPT [ARG…]: how a tool that drives the program alone
# starts: the program, its library and the driver built, then SCRIPT run
# again in a driven Wine run of its own, working in build/NAME.
drive_tool() {
    local name=$1
    shift
    drive_build Brisvane CBT e2e_driver
    drive_enter "$name" "$WINE_ROOT/build/$name" "$WIN_BUILD/bin/Brisvane.exe" "$WIN_BUILD/bin/CBT.dll" \
        "$WIN_BUILD/bin/e2e_driver.exe" -- "$@"
}

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

# driver COMMAND ARG...: a driver command's output (without carriage
# returns) and exit code. It goes to the driver server when one runs
# (drive_serve), else to a driver process of its own (in the virtual desktop,
# when there is one). DRIVER_TIMEOUT, when set, bounds each call in seconds.
driver() {
    if [ -n "${DRIVER_IN:-}" ]; then
        local status=0
        driver_ask "$@" || status=$?
        [ $status = 125 ] || return $status
    fi
    driver_once "$@"
}

# driver_once COMMAND ARG...: the command in a driver process of its own.
driver_once() {
    ${DRIVER_TIMEOUT:+timeout "$DRIVER_TIMEOUT"} wine $WINE_DESKTOP "$E2E_DRIVER" "$@" | tr -d '\r'
    return "${PIPESTATUS[0]}"
}

# drive_serve: (re)starts the driver server (driver serve) on this display, in
# the virtual desktop when there is one. One Wine process for all of a
# script's calls instead of one a call, which costs most of a second on a
# loaded machine; and it keeps the desktop in use between calls: Wine closes
# a virtual desktop a second after its last program leaves.
drive_serve() {
    drive_unserve
    local fifo=$E2E_DIR/driver
    rm -f "$fifo.in" "$fifo.out"
    mkfifo "$fifo.in" "$fifo.out"
    wine $WINE_DESKTOP "$E2E_DRIVER" serve <"$fifo.in" >"$fifo.out" &
    exec {DRIVER_IN}>"$fifo.in" {DRIVER_OUT}<"$fifo.out"
}

# drive_unserve: the server reads the end of its input and quits.
drive_unserve() {
    [ -n "${DRIVER_IN:-}" ] || return 0
    exec {DRIVER_IN}>&- {DRIVER_OUT}<&-
    DRIVER_IN='' DRIVER_OUT=''
}

# drive_desktop NAME WxH: a Wine virtual desktop (wine_desktop) with the
# driver server and the window event source in it.
drive_desktop() {
    wine_desktop "$@"
    drive_serve
    events_start
}

# events_start: the window events Windows raises by itself and Wine 8 does
# not, raised inside every program of this display (of its virtual desktop,
# when there is one) by the test event source (harness/events), of each width
# the prefix runs. Returns once its hooks are in.
events_start() {
    local bin
    bin=$(dirname "$E2E_DRIVER")
    if [ -f "$bin/event_source32.exe" ] && [ "$WIN_BUILD" = "$WIN_RELEASE" ]; then
        wine $WINE_DESKTOP "$bin/event_source32.exe" </dev/null >/dev/null 2>&1 &
        driver window "event source 32" 20000 >/dev/null || fail "the 32-bit event source did not start"
    fi
    if [ -f "$bin/event_source64.exe" ] && [ "$WINEARCH" = win64 ]; then
        /usr/lib/wine/wine64 $WINE_DESKTOP "$bin/event_source64.exe" </dev/null >/dev/null 2>&1 &
        driver window "event source 64" 20000 >/dev/null || fail "the 64-bit event source did not start"
    fi
}

# One call to the server: the line "ID<tab>COMMAND<tab>ARG..." and the
# answer, every line up to "@end ID CODE". Answers to calls that gave up
# waiting come first, and are skipped. 125 when no server takes the call.
driver_ask() {
    local IFS=$'\t' id=$BASHPID.$RANDOM$RANDOM line lines=() left status=0
    local deadline=$((SECONDS + ${DRIVER_TIMEOUT:-600}))
    trap '' PIPE
    printf '%s\n' "$id	$*" >&"$DRIVER_IN" 2>/dev/null || status=125
    trap - PIPE
    [ $status = 0 ] || return $status
    while :; do
        left=$((deadline - SECONDS))
        IFS= read -r -t "$((left > 0 ? left : 1))" line <&"$DRIVER_OUT" || status=$?
        [ $status = 0 ] || break
        line=${line%$'\r'}
        case $line in
            "@end $id "*) [ ${#lines[@]} = 0 ] || printf '%s\n' "${lines[@]}"; return "${line##* }" ;;
            "@end "*) lines=() ;;
            *) lines+=("$line") ;;
        esac
    done
    # Past 128: the time ran out; otherwise the server has gone.
    [ $status -gt 128 ] || return 125
    echo "error=the driver did not answer $1 within ${DRIVER_TIMEOUT:-600} s"
    return 1
}

# value KEY TEXT: the value of KEY=... in driver output.
value() {
    printf '%s\n' "$2" | sed -n "s/^$1=//p" | head -n 1
}

# Puts a fake battery in place of the machine's: fake_battery PERCENT AC STATUS
# (STATUS Charging, Discharging or Full): 10 Ah at 12 V and 1 A, from which
# Wine works out the power (12 W) and, discharging, the time left (57 %:
# 5 h 42 min). Needs the private namespace. Can be
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
    fake_power_file BAT0/charge_full 10000000
    fake_power_file BAT0/charge_full_design 10000000
    fake_power_file BAT0/charge_now $((100000 * $1))
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
    # SIGHUP ignored: a program frozen with SIGSTOP (a sleep) is hung up
    # when its process group is orphaned meanwhile, as a script's may be.
    # BAR_LOCALE: the Windows display language it sees (Wine reads LC_ALL),
    # given to the program alone: the host need not have that locale.
    (cd "$E2E_DIR/app" && trap '' HUP && exec env ${BAR_LOCALE:+LC_ALL=$BAR_LOCALE} wine $WINE_DESKTOP "$APP_EXE") &
    BAR_PID=$!
    local out
    out=$(driver bar "${1:-20000}") || fail "no bar window appeared: $out"
}

# start_window WINDOW PROGRAM ARG...: a program started in the background (in
# the virtual desktop, when there is one), once its window WINDOW (as the
# driver names windows) is there.
start_window() {
    local window=$1
    shift
    wine $WINE_DESKTOP "$@" </dev/null >/dev/null 2>&1 &
    driver window "$window" 20000 >/dev/null || fail "window $window did not start"
}

# capture_screen FILE X Y WIDTH HEIGHT: that rectangle of the screen as the X
# server shows it, so keyed-out pixels show whatever lies beneath. FILE takes
# ImageMagick's names: shot.png, or rgb:shot.raw for raw 8-bit RGB bytes.
capture_screen() {
    import -window root -crop "$4x$5+$2+$3" +repage -depth 8 "$1"
}

# screen_pixel X Y: the colour of that pixel as the X server shows it, rrggbb.
screen_pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 rgb:- | od -An -tx1 | tr -d ' \n'
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

# wait_power_off SECONDS: the program ends by the power-off within SECONDS.
# Under Wine that ends the Wine session, not the host; Wine's services come
# up again apart from this script's output, or they would hold the test
# runner's pipe open.
wait_power_off() {
    for _ in $(seq 1 "$1"); do
        [ -n "$(jobs -rp)" ] || break
        sleep 1
    done
    [ -z "$(jobs -rp)" ] || fail "the program still runs $1 s later, no power-off"
    wait_bar_exit
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

cleanup() {
    if [ -n "$BAR_PID" ]; then
        driver close >/dev/null 2>&1 || true
        sleep 1
        kill "$BAR_PID" 2>/dev/null || true
    fi
}

# unix_pid EXE: the Linux process id of the Wine process running EXE, started
# by its Windows path (driver launch) or its Linux one (start_bar).
unix_pid() {
    local want first p
    want=$(winepath -w "$1" 2>/dev/null)
    for p in /proc/[0-9]*; do
        first=$(tr '\0' '\n' 2>/dev/null <"$p/cmdline" | head -n 1 | sed 's/ *$//')
        if [ "$first" = "$want" ] || [ "$first" = "$1" ]; then
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
