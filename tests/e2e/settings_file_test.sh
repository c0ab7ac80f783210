#!/usr/bin/env bash
# Brisvane.ini and the Run value of the real program, seen from outside: the
# file the first exit creates, values normalised and the position written
# back, the Run data of a renamed program, and bad input (garbled files, odd
# widths, files and folders that cannot be written, an over-long folder):
# every start reads what it can and exits 0, every exit writes what it can.
# A run killed midway may leave files immutable (see make_unwritable).
chattr -R -i "${E2E_WORK:-/tmp/brisvane-e2e}/settings_file_test" 2>/dev/null || true
. "$(dirname "$0")/lib.sh"

IDM_OPTIONS=32774
IDC_OPTIONS_AUTORUN=1003
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
KEYS="AutoRun Adhere IgnoreDUI BarWidth Interval Alpha X Y"
INT_MAX=2147483647

metrics=$(driver metrics)
cap=$(value caption "$metrics")
screen_w=$(value screenwidth "$metrics")
APP_DIR=$E2E_DIR/app
APP_DIR_WIN=$(winepath -w "$APP_DIR" | tr -d '\r')
INI=$APP_DIR/Brisvane.ini

run_data() { wine reg query "$RUN_KEY" /v Brisvane 2>/dev/null | tr -d '\r' | sed -n 's/^ *Brisvane *REG_SZ *//p'; }
wine reg delete "$RUN_KEY" /v Brisvane /f >/dev/null 2>&1 || true

# What GetPrivateProfileIntW yields for each key ("missing": the default).
profile() { driver profile "$APP_DIR_WIN\\Brisvane.ini"; }

# kept PROFILE: sets K_<key> to the value the program must hold for each key.
kept() {
    local key v
    for key in $KEYS; do
        v=$(value "$key" "$1")
        if [ "$v" = missing ]; then
            case $key in
                AutoRun) v=0 ;;
                Adhere | IgnoreDUI) v=1 ;;
                BarWidth) v=50 ;;
                Interval) v=5000 ;;
                Alpha) v=240 ;;
                X) v=$((screen_w - 4 * cap - 24 - K_BarWidth)) ;;
                Y) v=4 ;;
            esac
        fi
        case $key in
            AutoRun | Adhere | IgnoreDUI) [ "$v" = 0 ] || v=1 ;;
            Alpha) v=$((v & 255)) ;;
        esac
        eval "K_$key=\$v"
    done
}

# Opens Options, switches AutoRun and clicks OK.
switch_autorun() {
    driver post 0x111 $IDM_OPTIONS 0
    driver options 10000 >/dev/null || fail "no options dialog"
    driver options-click $IDC_OPTIONS_AUTORUN
    driver options-click 1
    driver options-gone >/dev/null || fail "OK did not close the dialog"
}

# cycle NAME WRITABLE [ACTION...]: one start on the file as it is, ACTION
# while the bar runs, exit. Checks the bar against the values read, then that
# the file holds them with the bar's last position (WRITABLE 1) or is
# unchanged (0). Leaves the bar's rectangle in BAR.
cycle() {
    local name=$1 writable=$2
    shift 2
    local before sum_before
    before=$(profile)
    kept "$before"
    sum_before=$(file_sum)
    start_bar
    "$@"
    BAR=$(driver bar)
    driver close
    wait_bar_exit
    check_eq "$name: exit code" 0 "$BAR_EXIT"
    # Never wider than the work area of the monitor it is on.
    local width=$((K_BarWidth + 25)) left right
    read -r left _ right _ <<< "$(value work0 "$(driver monitors)")"
    [ "$width" -le $((right - left)) ] || width=$((right - left))
    if [ "$K_BarWidth" -ge 50 ]; then
        check_eq "$name: bar width" "$width" "$(value width "$BAR")"
    else
        # A fill too short for the widest text ("100%", a countdown) is
        # widened to hold it: never narrower than asked, nor than the text.
        local shown
        shown=$(value width "$BAR")
        [ "$shown" -ge "$width" ] && [ "$shown" -gt 45 ] && [ "$shown" -le 75 ] ||
            fail "$name: bar $shown wide for BarWidth $K_BarWidth"
        echo "ok: $name: bar $shown wide for BarWidth $K_BarWidth"
    fi
    check_eq "$name: bar height" $((cap - 8)) "$(value height "$BAR")"
    if [ "$K_Adhere" = 1 ]; then
        check_eq "$name: adhering style" 0x080800A8 "$(value exstyle "$BAR")"
    else
        check_eq "$name: floating style" 0x00080088 "$(value exstyle "$BAR")"
        if [ "$#" = 0 ] && [ "$width" -lt $((right - left)) ]; then
            check_eq "$name: bar at X, Y" "$K_X,$K_Y" "$(value x "$BAR"),$(value y "$BAR")"
        elif [ "$#" = 0 ]; then
            # Held to the work area's width: it starts at its left edge.
            check_eq "$name: full-width bar at X, Y" "$left,$K_Y" "$(value x "$BAR"),$(value y "$BAR")"
        fi
    fi
    if [ "$writable" = 1 ]; then
        local expected="" key
        K_X=$(value x "$BAR")
        K_Y=$(value y "$BAR")
        for key in $KEYS; do
            expected="$expected$key=$(eval "echo \$K_$key")"$'\n'
        done
        check_eq "$name: written" "${expected%$'\n'}" "$(profile)"
    else
        check_eq "$name: file unchanged" "$sum_before" "$(file_sum)"
    fi
}

# Makes a file or folder unwritable, also for root: permissions do not stop
# root, and Wine's server opens files outside the test's mount namespace, so
# root needs the immutable attribute. False when there is no way.
UNWRITABLE=
make_unwritable() {
    if [ "$(id -u)" != 0 ]; then
        chmod a-w "$1"
    else
        chattr +i "$1" 2>/dev/null || return 1
        UNWRITABLE="$UNWRITABLE $1"
    fi
}
make_writable() {
    if [ "$(id -u)" != 0 ]; then chmod u+w "$1"; else chattr -i "$1"; fi
}
trap 'cleanup; for f in $UNWRITABLE; do chattr -i "$f" 2>/dev/null || true; done' EXIT

file_sum() { { md5sum < "$INI"; } 2>/dev/null || echo "no file"; }
ini() { printf '%s\r\n' "$@" > "$INI"; }

# No file: created at exit with every key in order and the defaults.
rm -f "$INI"
cycle "no file" 1
check_eq "created file" "[Brisvane]
AutoRun=0
Adhere=1
IgnoreDUI=1
BarWidth=50
Interval=5000
Alpha=240
BarText=0
AlertLow=20
AlertHigh=0
Language=
ForceClose=1
ShutdownAction=shutdown
History=1
[Position]
X=$(value x "$BAR")
Y=$(value y "$BAR")" "$(tr -d '\r' < "$INI")"

# Floating with a wider bar: default X from this screen, caption and the
# BarWidth read; the moved bar's negative position written back.
ini "[Brisvane]" "Adhere=0" "BarWidth=80"
kept "$(profile)"
check_eq "default X for BarWidth 80" $((screen_w - 4 * cap - 104)) "$K_X"
moved() {
    local bar
    bar=$(driver bar)
    check_eq "bar at the default X, Y" "$K_X,$K_Y" "$(value x "$bar"),$(value y "$bar")"
    driver move -37 -12
}
cycle "moved" 1 moved
check_eq "negative position" "X=-37 Y=-12" "$(tr -d '\r' < "$INI" | grep -E '^[XY]=' | tr '\n' ' ' | sed 's/ $//')"

# Renamed program, Alpha 300, Adhere 2: Options shows opacity 44; the Run
# data names Brisvane.exe beside it; switching off deletes it.
mv "$APP_DIR/Brisvane.exe" "$APP_DIR/Other.exe"
APP_EXE=$APP_DIR/Other.exe
ini "[Brisvane]" "Adhere=2" "Alpha=300"
autorun_on_and_off() {
    driver post 0x111 $IDM_OPTIONS 0
    local dlg
    dlg=$(driver options 10000) || fail "no options dialog"
    check_eq "opacity in Options" 44 "$(value alpha "$dlg")"
    check_eq "Adhere in Options" 1 "$(value adhere "$dlg")"
    driver options-click 2
    driver options-gone >/dev/null || fail "Cancel did not close the dialog"
    switch_autorun
    check_eq "Run data" "\"$APP_DIR_WIN\\Brisvane.exe\"" "$(run_data)"
    switch_autorun
    check_eq "Run data after switching off" "" "$(run_data)"
}
cycle "renamed" 1 autorun_on_and_off
check_eq "Alpha 300 written back" 44 "$(sed -n 's/^Alpha=//p' "$INI" | tr -d '\r')"
check_eq "Adhere 2 written back" 1 "$(sed -n 's/^Adhere=//p' "$INI" | tr -d '\r')"
mv "$APP_DIR/Other.exe" "$APP_DIR/Brisvane.exe"
APP_EXE=$APP_DIR/Brisvane.exe

# Words, empty values and numbers beyond 32 bits (IgnoreDUI reads as 0),
# and a negative BarWidth; the battery's keys out of their ranges.
ini "[Brisvane]" "AutoRun=yes" "Adhere=off" "IgnoreDUI=4294967296" "BarWidth=-5" \
    "Interval=99999999999999999999" "Alpha=-1" "BarText=7" "AlertLow=abc" "AlertHigh=101" "[Position]" "X=12abc" "Y="
cycle "garbled values" 1
check_eq "battery keys written back as their defaults" "0 20 0" \
    "$(for key in BarText AlertLow AlertHigh; do sed -n "s/^$key=//p" "$INI" | tr -d '\r'; done | xargs)"

# UTF-16 with a byte-order mark, BarWidth 0 and a position left of the screen.
printf '[Brisvane]\r\nBarWidth=0\r\nAdhere=0\r\n[Position]\r\nX=-20\r\nY=-7\r\n' |
    iconv -f UTF-8 -t UTF-16 > "$INI"
cycle "UTF-16" 1
check_eq "UTF-16 kept" "fffe" "$(head -c 2 "$INI" | xxd -p)"

# Random bytes (the same every run).
for i in $(seq 1 32); do printf '%s' "$i" | sha256sum | cut -c 1-64; done | xxd -r -p > "$INI"
cycle "random bytes" 1

# A read-only file with BarWidth 2e9 (default X far left): read, not changed.
ini "[Brisvane]" "BarWidth=2000000000" "Adhere=0" "Alpha=300"
if make_unwritable "$INI"; then
    cycle "read-only file" 0
    make_writable "$INI"
else
    echo "note: nothing can be made unwritable for root here (no immutable attribute): read-only file and folder skipped"
fi

# A folder that cannot be written: no file appears (nor a history), the exit is clean.
rm -f "$INI" "$APP_DIR/Brisvane-history.csv"
if make_unwritable "$APP_DIR"; then
    cycle "read-only folder" 0
    make_writable "$APP_DIR"
    check_eq "read-only folder: files" "Brisvane.exe CBT.dll" "$(ls "$APP_DIR" | tr '\n' ' ' | sed 's/ $//')"
fi

# A folder deeper than 260 characters: defaults, no file, no Run value.
deep_root=$E2E_DIR/$(printf 'd%.0s' $(seq 100))
deep=$deep_root/$(printf 'e%.0s' $(seq 100))/$(printf 'f%.0s' $(seq 100))
[ ${#deep} -gt 260 ] || fail "the deep folder is only ${#deep} characters long"
mkdir -p "$deep"
cp "$APP_DIR/Brisvane.exe" "$APP_DIR/CBT.dll" "$deep/"
APP_EXE=$deep/Brisvane.exe
INI=$deep/Brisvane.ini
# The defaults, not the file's values, must show in the bar.
ini "[Brisvane]" "Adhere=0" "BarWidth=80"
sum_before=$(file_sum)
start_bar
switch_autorun
check_eq "deep folder: Run data" "" "$(run_data)"
BAR=$(driver bar)
driver close
wait_bar_exit
check_eq "deep folder: exit code" 0 "$BAR_EXIT"
check_eq "deep folder: default width" 75 "$(value width "$BAR")"
check_eq "deep folder: adhering by default" 0x080800A8 "$(value exstyle "$BAR")"
check_eq "deep folder: file unchanged" "$sum_before" "$(file_sum)"
# A path cut at 260 characters would name some other file, maybe further up.
check_eq "deep folder: all files" "$deep/Brisvane.exe $deep/Brisvane.ini $deep/CBT.dll" \
    "$(find "$deep_root" -type f | sort | tr '\n' ' ' | sed 's/ $//')"
