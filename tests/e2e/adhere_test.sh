#!/usr/bin/env bash
# Riding on captions, in a Wine virtual desktop with real windows and the
# window events Windows would raise: the bar lands on the foreground
# window's caption left of its buttons, follows moves and resizes made by
# another process, changes carrier on activation, stays put (painted
# inactive) when a window that cannot carry it is activated, honours
# IgnoreDUI (a window without WS_CAPTION carries only where it answers
# caption and buttons) and parks when its carrier is minimised or closed; nothing
# follows with Adhere off, and all of it again with Adhere on.
. "$(dirname "$0")/lib.sh"

command -v import >/dev/null || { echo "SKIP: needs ImageMagick's import"; exit 77; }
TEST_WINDOW=${E2E_TEST_WINDOW:?}
DRAWN=$(dirname "$TEST_WINDOW")/e2e_drawn_window.exe
in_desktop() { wine $WINE_DESKTOP "$@" & }  # a program in the virtual desktop, in the background

. "$WINE_ROOT/harness/caption.sh"

screenshot() {  # screenshot FILE WINDOW: the window and its surroundings
    local w x y width
    w=$(driver window "$2")
    x=$(value x "$w"); y=$(value y "$w"); width=$(value width "$w")
    import -window root "$E2E_DIR/root.png"
    convert "$E2E_DIR/root.png" -crop "$((width + 40))x120+$((x > 20 ? x - 20 : 0))+$((y > 20 ? y - 20 : 0))" \
            +repage "$E2E_DIR/$1"
    echo "screenshot: $E2E_DIR/$1"
}

drive_desktop shell 1024x700
# Windows first, so that the desktop draws the bar above them all.
in_desktop notepad
driver window class:Notepad 20000 >/dev/null || fail "notepad did not start"
metrics=$(driver metrics)
CAP=$(value caption "$metrics"); SCREEN_W=$(value screenwidth "$metrics"); SCREEN_H=$(value screenheight "$metrics")
check_eq "virtual desktop" 1024x700 "${SCREEN_W}x$SCREEN_H"
# The bar parks in the work area's corner, clear of the desktop's taskbar.
read -r _ _ WORK_RIGHT WORK_BOTTOM <<< "$(value work0 "$(driver monitors)")"
[ "$WORK_BOTTOM" -lt "$SCREEN_H" ] || fail "no taskbar below the work area (bottom $WORK_BOTTOM)"
driver setpos class:Notepad 40 40 600 300
in_desktop "$TEST_WINDOW" caption Second 300 380 420 200
in_desktop "$TEST_WINDOW" tool Tool 760 60 220 150
in_desktop "$TEST_WINDOW" nocaption NoCaption 640 260 340 180
in_desktop "$TEST_WINDOW" caption Narrow 780 520 120 100
in_desktop "$DRAWN" drawn Drawn 560 120 440 160 ffffff
for w in Second Tool NoCaption Narrow Drawn; do driver window $w 20000 >/dev/null || fail "window $w did not start"; done
driver activate class:Notepad

start_bar
eventually on_caption class:Notepad || fail "at start the bar is not on notepad's caption"
echo "ok: at start on the caption of the foreground window"
screenshot adhere-active.png class:Notepad
driver activate Tool
sleep 1
screenshot adhere-inactive.png class:Notepad
driver activate class:Notepad

driver setpos class:Notepad 120 90 640 320
eventually on_caption class:Notepad || fail "the bar did not follow a move"
driver setpos class:Notepad 120 90 520 360
eventually on_caption class:Notepad || fail "the bar did not follow a resize"
echo "ok: follows moves and resizes made by another process"

driver activate Second
eventually on_caption Second || fail "the bar did not move to the activated window"
echo "ok: moves to the window activated"

bar_geometry; x=$BX; y=$BY
for w in Tool NoCaption Narrow Drawn; do
    driver activate $w
    sleep 1
    check_eq "foreground" "$w" "$(value title "$(driver foreground)")"
    eventually at $x $y || fail "the bar left its carrier when $w was activated"
    echo "ok: stays on its carrier while $w (which cannot carry it) is active"
done

# IgnoreDUI is read from the record at each event.
driver setrecord ignoredui 0
driver activate class:Notepad
eventually on_caption class:Notepad || fail "the bar did not come back to notepad"
bar_geometry; x=$BX; y=$BY
driver activate NoCaption
sleep 1
at $x $y || fail "with IgnoreDUI clear a window that answers no caption took the bar"
driver activate Drawn
eventually on_drawn_caption Drawn || fail "with IgnoreDUI clear a window that draws its own caption did not carry the bar"
echo "ok: IgnoreDUI 0: a window that draws its own caption carries the bar left of its buttons, one that answers no caption does not"
driver setrecord ignoredui 1
driver activate Second
eventually on_caption Second || fail "the bar did not move on to Second"

# Parking: with no other window able to carry the bar.
for w in Second NoCaption Narrow Drawn; do driver closewin $w; done
driver activate class:Notepad
eventually on_caption class:Notepad || fail "the bar did not come back to notepad"
driver show class:Notepad minimize
eventually parked || fail "the bar did not park when its carrier was minimised"
echo "ok: parks when its carrier is minimised"
driver show class:Notepad restore
driver activate class:Notepad
eventually on_caption class:Notepad || fail "the bar did not return to the restored window"
driver show class:Notepad hide
eventually parked || fail "the bar did not park when its carrier was hidden"
driver show class:Notepad restore
driver activate class:Notepad
eventually on_caption class:Notepad || fail "the bar did not return to the shown window"
driver closewin class:Notepad
eventually parked || fail "the bar did not park when its carrier was closed"
echo "ok: parks when its carrier is hidden or closed"

driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"

# The caption state as painted, and Adhere off and on in Options.
start_bar
in_desktop "$TEST_WINDOW" caption Third 200 200 420 200
driver window Third 20000 >/dev/null || fail "window Third did not start"
eventually on_caption Third || fail "the bar is not on the activated window"
# A started carrier shows as active: no late inactive state from the window
# that lost the activation to it.
eventually painted active || fail "the bar is not painted active on its new carrier"
driver activate Tool
eventually painted inactive || fail "the bar is not painted inactive while a window that cannot carry it is active"
on_caption Third || fail "the bar left its carrier"
echo "ok: painted inactive while a window that cannot carry the bar is active, bar stays"
driver activate Third
eventually painted active || fail "the bar is not painted active when its carrier is active again"
echo "ok: painted active when the carrier is active again"

options_adhere
bar_geometry; x=$BX; y=$BY
driver setpos Third 100 300 500 200
driver activate Tool
driver activate Third
sleep 1.5
at $x $y || fail "the bar moved with Adhere off"
echo "ok: nothing follows with Adhere off"
options_adhere
driver activate Tool
driver activate Third
eventually on_caption Third || fail "the bar does not follow after Adhere is on again"
driver setpos Third 160 260 500 200
eventually on_caption Third || fail "the bar did not follow a move after Adhere is on again"
echo "ok: Adhere on again: rides and follows"
driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"
