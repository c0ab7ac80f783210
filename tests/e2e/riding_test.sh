#!/usr/bin/env bash
# Riding on the windows of 64-bit and 32-bit programs, in a 64-bit Wine
# prefix of its own with the window event source of both widths: the real
# 64-bit notepad and a 32-bit window carry the bar, which follows a move and
# a real mouse drag, paints inactive while a tool window is active, parks on
# minimise and on close, and switches between the two. No file of the
# program's folder is in any other process. Adhere off and on, Exit and a
# killed program leave nothing behind, and a carrier that stops answering
# does not stop the bar. Where 32-bit Wine cannot run, the same on the
# x86-64 build (every window then of a 64-bit program).
#   riding_test.sh Brisvane.exe CBT.dll e2e_driver.exe
. "$(dirname "$0")/lib.sh"
. "$WINE_ROOT/harness/caption.sh"

[ "$WINEARCH" = win64 ] || fail "no 64-bit prefix (WINE_WIN64)"
WINE64=/usr/lib/wine/wine64
[ -x $WINE64 ] || { echo "SKIP: needs the 64-bit Wine loader (package wine64)"; exit 77; }
command -v import >/dev/null || { echo "SKIP: needs ImageMagick's import"; exit 77; }
command -v xdotool >/dev/null || { echo "SKIP: needs xdotool"; exit 77; }
TEST_WINDOW=${E2E_TEST_WINDOW:?}
in_desktop() { wine $WINE_DESKTOP "$@" </dev/null >/dev/null 2>&1 & }

# Parked in the corner of the work area as it is now: the notification area
# the program's icon brings along takes its share of the screen.
parked_now() {
    read -r _ _ WORK_RIGHT WORK_BOTTOM <<< "$(value work0 "$(driver monitors)")"
    parked
}
program_gone() { [ -z "$(wine_pids Brisvane)" ] || { echo "the program still runs" >&2; return 1; }; }

# No process but the program's maps a file of the program's folder.
only_the_program_maps_its_folder() {
    local folder p found=0
    folder=$(readlink -f "$E2E_DIR/app")
    for p in $(pgrep -f . ); do
        tr '\0' '\n' 2>/dev/null <"/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
        case " $(wine_pids Brisvane) " in *" $p "*) continue ;; esac
        if grep -q "$folder/" "/proc/$p/maps" 2>/dev/null; then
            echo "process $p ($(tr '\0' ' ' <"/proc/$p/cmdline")) maps $(grep -o "$folder/[^ ]*" "/proc/$p/maps" | sort -u)" >&2
            found=1
        fi
    done
    return $found
}

[ -n "${WINE_NAMESPACE:-}" ] && fake_no_battery  # a full fill to read the caption colour from
drive_desktop riding 1280x1024
$WINE64 $WINE_DESKTOP notepad </dev/null >/dev/null 2>&1 &
driver window class:Notepad 20000 >/dev/null || fail "the 64-bit notepad did not start"
driver setpos class:Notepad 40 40 600 300
in_desktop "$TEST_WINDOW" caption Second 300 420 420 200
in_desktop "$TEST_WINDOW" tool Tool 900 60 220 150
for w in Second Tool; do driver window $w 20000 >/dev/null || fail "window $w did not start"; done
metrics=$(driver metrics)
CAP=$(value caption "$metrics")
maps=$(map_of notepad)
echo "$maps" | grep -q 'x86_64-windows/ntdll' || fail "notepad is no 64-bit process"
if [ "$WIN_BUILD" = "$WIN_RELEASE" ]; then
    map_of e2e_test_window | grep -q 'i386-windows/ntdll' || fail "the test window is no 32-bit process"
    echo "ok: the 64-bit notepad and a 32-bit window"
else
    echo "ok: the 64-bit notepad and a 64-bit window (no 32-bit Wine here)"
fi

# Activated, W carries the bar, which follows its move, paints inactive while
# Tool (which cannot carry it) is active and active again with W.
rides() {  # rides W X Y: W at X Y carries the bar
    driver activate Tool
    driver activate "$1"
    eventually on_caption "$1" ||
        fail "the bar is not on $1's caption (foreground: $(value title "$(driver foreground)"))"
    eventually painted active || fail "the bar is not painted active on $1"
    driver setpos "$1" "$2" "$3" 520 260
    eventually on_caption "$1" || fail "the bar did not follow $1's move"
    driver activate Tool
    eventually painted inactive || fail "the bar is not painted inactive while Tool is active"
    on_caption "$1" || fail "the bar left $1 for Tool"
    driver activate "$1"
    eventually painted active || fail "the bar is not painted active when $1 is active again"
    echo "ok: $1 carries the bar, which follows it and paints inactive while Tool is active"
}

# A real drag of W's caption with the mouse, in steps.
drags() {  # drags W DX DY
    local w x y i
    w=$(driver window "$1")
    x=$(($(value captionleft "$w") + 40)) y=$(($(value captiontop "$w") + CAP / 2))
    xdotool mousemove $x $y mousedown 1
    for i in $(seq 1 10); do
        xdotool mousemove $((x + i * $2 / 10)) $((y + i * $3 / 10))
        sleep 0.05
    done
    xdotool mouseup 1
    w=$(driver window "$1")
    [ "$(value captionleft "$w")" != $((x - 40)) ] || fail "the drag did not move $1"
    eventually on_caption "$1" || fail "the bar did not follow $1 dragged with the mouse"
    echo "ok: follows $1 dragged with the mouse"
}

driver activate class:Notepad
start_bar
rides class:Notepad 120 90
drags class:Notepad 150 80
rides Second 340 400
rides class:Notepad 60 60
bar_geometry; x=$BX; y=$BY
driver setpos Second 320 440 520 260
sleep 1
at $x $y || fail "moving the inactive other window moved the bar"
echo "ok: switching between the 64-bit and the other carrier"
only_the_program_maps_its_folder || fail "a file of the program's folder is loaded into another process"
echo "ok: no other process maps a file of the program's folder"

driver show class:Notepad minimize
eventually parked_now || fail "the bar did not park when the 64-bit notepad was minimised"
driver show class:Notepad restore
driver activate class:Notepad
eventually on_caption class:Notepad || fail "the bar did not come back to the restored notepad"
echo "ok: parks when the 64-bit carrier is minimised, and comes back"

options_adhere
bar_geometry; x=$BX; y=$BY
driver setpos class:Notepad 100 80 520 260
sleep 1
at $x $y || fail "the bar followed with Adhere off"
options_adhere
rides class:Notepad 100 80
echo "ok: Options switching Adhere off and on"

# A carrier that stops answering messages (it moves, then sleeps in its
# window procedure) does not stop the bar: the tray menu opens at once, and
# the bar paints inactive within a second of a tool window's activation.
rides Second 300 420
driver hang Second 20000
sleep 0.5
tray=$(driver tray "$(winepath -w "$APP_EXE" 2>/dev/null)")
xdotool mousemove "$(value iconx "$tray")" "$(value icony "$tray")" click 3
check_eq "tray menu open within a second of a right click, the carrier hung" 1 "$(value open "$(driver menu 1000)")"
xdotool key Escape
driver activate Tool
for _ in 1 2; do painted inactive 2>/dev/null && break; sleep 0.5; done
painted inactive || fail "the bar does not follow the foreground while its carrier hangs"
echo "ok: a hung carrier does not stop the bar"

driver closewin class:Notepad
in_desktop "$TEST_WINDOW" caption Third 200 200 420 200
driver window Third 20000 >/dev/null || fail "window Third did not start"
eventually on_caption Third || fail "the bar is not on the new window"
driver closewin Third
eventually parked_now || fail "the bar did not park when its carrier was closed"
echo "ok: parks when its carrier is closed"

close_all_bars
eventually program_gone || fail "the program did not end on Exit"
only_the_program_maps_its_folder || fail "Exit left a file of the program's folder in another process"
echo "ok: Exit leaves nothing behind"

start_bar
pid=$(wine_pids Brisvane)
[ -n "$pid" ] || fail "no process of the program"
kill -9 $pid
BAR_PID=
eventually program_gone || fail "the killed program still runs"
only_the_program_maps_its_folder || fail "a killed program left a file of its folder in another process"
start_bar
driver activate Tool
driver activate Second
eventually on_caption Second || fail "a program started after a killed one does not ride"
echo "ok: a killed program leaves nothing behind, and the next one rides"
