#!/usr/bin/env bash
# Riding on 64-bit programs, in a 64-bit Wine prefix of its own: the 64-bit
# notepad carries the bar through CBT64.dll, whose hooks CBT64Host.exe holds
# for the program, and a 32-bit window through CBT.dll, also when the user
# switches between the two. The host follows the hooks: Options turning
# Adhere off and on, Exit and a killed program; without it the bar still
# rides on 32-bit windows.
#   adhere64_test.sh Brisvane.exe CBT.dll e2e_driver.exe CBT64.dll CBT64Host.exe
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/desktop.sh"
. "$(dirname "$0")/caption.sh"

WINE64=/usr/lib/wine/wine64
[ -x $WINE64 ] || { echo "SKIP: needs the 64-bit Wine loader (package wine64)"; exit 77; }
command -v import >/dev/null || { echo "SKIP: needs ImageMagick's import"; exit 77; }
TEST_WINDOW=${E2E_TEST_WINDOW:?}
cp "$4" "$5" "$E2E_DIR/app/"
HOST_EXE="$E2E_DIR/app/CBT64Host.exe"

export WINEARCH=win64 WINEPREFIX="$(cd "$E2E_DIR/.." && pwd)/wineprefix64"
if [ ! -f "$WINEPREFIX/.brisvane-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w
    wine reg add "HKCU\\Control Panel\\Desktop\\WindowMetrics" /v CaptionHeight /t REG_SZ /d 24 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.brisvane-ready"
fi
wineserver -p
trap 'cleanup; wineserver -k 2>/dev/null || true' EXIT

ddriver() { driver "$@"; }
program_gone() { [ -z "$(unix_pid "$APP_EXE")" ] || { echo "the program still runs" >&2; return 1; }; }
host_running() { [ -n "$(unix_pid "$HOST_EXE")" ] || { echo "no host runs" >&2; return 1; }; }
host_gone() { [ -z "$(unix_pid "$HOST_EXE")" ] || { echo "the host still runs" >&2; return 1; }; }

# The memory map of the 64-bit notepad of this prefix.
notepad_maps() {
    local p
    for p in $(pgrep -f notepad); do
        tr '\0' '\n' <"/proc/$p/cmdline" | head -n 1 | grep -Eiq '(^|\\)notepad(\.exe)?$' || continue
        tr '\0' '\n' <"/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && cat "/proc/$p/maps"
    done
    return 0
}

# The bar's fill (full: no battery here) in the caption colours it paints with.
painted() {  # painted active|inactive
    bar_geometry
    local pixel want
    pixel=$(import -window root -crop "1x1+$((BX + 22))+$((BY + 3))" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}')
    want=$(value "$([ "$1" = active ] && echo caption || echo inactivecaption)" "$(ddriver colours)")
    [ "$pixel" = "#${want^^}" ] || { echo "bar painted $pixel, not $1 #$want" >&2; return 1; }
}

[ -n "${E2E_IN_NAMESPACE:-}" ] && fake_no_battery  # a full fill to read the caption colour from
start_desktop riding64
$WINE64 $E2E_DESKTOP notepad </dev/null >/dev/null 2>&1 &
ddriver window class:Notepad 20000 >/dev/null || fail "the 64-bit notepad did not start"
ddriver setpos class:Notepad 40 40 600 300
wine $E2E_DESKTOP "$TEST_WINDOW" caption Second 300 420 420 200 </dev/null >/dev/null 2>&1 &
wine $E2E_DESKTOP "$TEST_WINDOW" tool Tool 900 60 220 150 </dev/null >/dev/null 2>&1 &
for w in Second Tool; do ddriver window $w 20000 >/dev/null || fail "window $w did not start"; done
metrics=$(ddriver metrics)
CAP=$(value caption "$metrics"); SCREEN_W=$(value screenwidth "$metrics"); SCREEN_H=$(value screenheight "$metrics")

# Activated, W carries the bar, which follows its move, paints inactive while
# Tool (which cannot carry it) is active and active again with W.
rides() {  # rides W X Y: W at X Y carries the bar
    ddriver activate Tool
    ddriver activate "$1"
    eventually on_caption "$1" || fail "the bar is not on $1's caption"
    eventually painted active || fail "the bar is not painted active on $1"
    ddriver setpos "$1" "$2" "$3" 520 260
    eventually on_caption "$1" || fail "the bar did not follow $1's move"
    ddriver activate Tool
    eventually painted inactive || fail "the bar is not painted inactive while Tool is active"
    on_caption "$1" || fail "the bar left $1 for Tool"
    ddriver activate "$1"
    eventually painted active || fail "the bar is not painted active when $1 is active again"
    echo "ok: $1 carries the bar, which follows it and paints inactive while Tool is active"
}

ddriver activate class:Notepad
start_bar
eventually host_running || fail "CBT64Host.exe did not start"
rides class:Notepad 120 90
rides Second 340 400
rides class:Notepad 60 60
bar_geometry; x=$BX; y=$BY
ddriver setpos Second 320 440 520 260
sleep 1
at $x $y || fail "moving the inactive 32-bit window moved the bar"
echo "ok: switching between the 64-bit and the 32-bit carrier"
maps=$(notepad_maps)
echo "$maps" | grep -q 'x86_64-windows/ntdll' || fail "notepad is no 64-bit process"
echo "$maps" | grep -q 'CBT64\.dll' || fail "CBT64.dll is not in the 64-bit notepad's memory map"
echo "ok: CBT64.dll in the 64-bit notepad"
ddriver show class:Notepad minimize
eventually parked || fail "the bar did not park when the 64-bit notepad was minimised"
ddriver show class:Notepad restore
echo "ok: parks when the 64-bit carrier is minimised"

options_adhere() {  # clicks the Adhere box in Options and OK
    ddriver post 0x111 32774 0
    ddriver options 10000 >/dev/null || fail "no Options dialog"
    ddriver options-click 1002
    ddriver options-click 1
    ddriver options-gone >/dev/null || fail "OK did not close the dialog"
}
options_adhere
eventually host_gone || fail "switching Adhere off left the host running"
options_adhere
eventually host_running || fail "switching Adhere on did not start the host again"
rides class:Notepad 100 80
echo "ok: Options switching Adhere off and on stops and starts the host"

close_all_bars
eventually program_gone || fail "the program did not end on Exit"
eventually host_gone || fail "Exit left the host running"
echo "ok: Exit ends the host"

# Without the host the bar rides on 32-bit windows as before, no error box.
mv "$HOST_EXE" "$HOST_EXE.away"
start_bar
rides Second 300 420
check_eq "foreground" Second "$(value title "$(ddriver foreground)")"
close_all_bars
eventually program_gone || fail "the program did not end on Exit"
mv "$HOST_EXE.away" "$HOST_EXE"
echo "ok: without CBT64Host.exe the bar rides on 32-bit windows"

start_bar
eventually host_running || fail "CBT64Host.exe did not start"
pid=$(unix_pid "$APP_EXE")
[ -n "$pid" ] || fail "no process of the program"
kill -9 "$pid"
eventually host_gone || fail "the host outlived the killed program"
echo "ok: a killed program takes the host along"
