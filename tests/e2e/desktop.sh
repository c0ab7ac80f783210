# Runs the driver and the program inside a Wine virtual desktop, for the
# bench and the soak: there Wine handles activation itself, and a dialog
# closes at once instead of after the X server's two-second wait for a
# window manager. Sourced after lib.sh.
E2E_DESKTOP=
E2E_DESKTOP_PID=

start_desktop() {  # start_desktop NAME
    E2E_DESKTOP="explorer /desktop=$1,1280x1024"
    # The desktop's own process outlives the command that starts it: started
    # apart, it cannot hold a script's pipe open.
    wine $E2E_DESKTOP </dev/null >/dev/null 2>&1 &
    E2E_DESKTOP_PID=$!
    sleep 3
}

driver() {
    wine $E2E_DESKTOP "$E2E_DRIVER" "$@" | tr -d '\r'
}

# Starts the program in the desktop; the bar must appear.
start_bar() {
    local out
    out=$(driver launch "$(winepath -w "$APP_EXE" 2>/dev/null)") || fail "no bar window appeared: $out"
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
