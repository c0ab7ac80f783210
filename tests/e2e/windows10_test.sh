#!/usr/bin/env bash
# Riding on a desktop that reports Windows 10, where captions no longer have
# the system's caption colours and most windows draw their own: one bar rides
# a dark self-drawn caption without WS_CAPTION (IgnoreDUI clear) and a light
# one with WS_CAPTION painted by the window, each left of the window's own
# button and over none of its buttons, in the caption's colour with text
# that contrasts (at least 4.5 : 1 on the dark one), then Wine's classic
# caption in the colour the screen shows beside it. A full-screen window in
# front hides it within a second; it is back within a second of that
# window closing. Parked, it takes DWM's white, then the accent colour once
# the setting changes; floating, the dark mode's, and it hides for a
# full-screen window as the riding bar does. Between a dark and a light
# caption on the same rectangle it takes each one's colours within a second;
# a window that comes to the front too narrow or minimised takes it within a
# second of becoming able.
# Usage: windows10_test.sh EXE DLL DRIVER
. "$(dirname "$0")/lib.sh"
. "$WINE_ROOT/harness/caption.sh"
command -v python3 >/dev/null || { echo "SKIP: needs python3"; exit 77; }
command -v import >/dev/null || { echo "SKIP: needs ImageMagick's import"; exit 77; }
DRAWN=$(dirname "${E2E_TEST_WINDOW:?}")/e2e_drawn_window.exe
TEST_WINDOW=$E2E_TEST_WINDOW

wine_windows10 white
drive_desktop shell 1024x700

# bar_colours FILE.rgb WIDTH HEIGHT: the fill colour (row 3, left of the
# text) and the colour most of the text over the fill is drawn in, with its
# contrast against the fill.
bar_colours() {
    python3 - "$@" <<'PY'
import sys
data, w, h = open(sys.argv[1], "rb").read(), int(sys.argv[2]), int(sys.argv[3])
px = lambda x, y: data[(y * w + x) * 3:(y * w + x) * 3 + 3]
def lum(p):
    c = [v / 255 for v in p]
    c = [v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4 for v in c]
    return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]
left = next(x for x in range(w) if all(px(x, y) == b"\0\0\0" for y in range(h)))
fill = px(left + 3, 3)
end = next((x for x in range(left + 3, w) if px(x, 3) != fill), w)
ink = [px(x, y) for y in range(3, h - 3) for x in range(left + 3, end) if px(x, y) != fill]
text = max(set(ink), key=ink.count) if ink else fill
hi, lo = sorted((lum(fill), lum(text)), reverse=True)
print(f"fill={fill.hex()} text={text.hex()} contrast={(hi + 0.05) / (lo + 0.05):.1f}")
PY
}
# grab NAME: the bar's pixels and what bar_colours makes of them (COLOURS),
# and a picture of it with its surroundings as NAME.png; the bar restacked
# first, as Wine raises an activated window above it on X.
grab() {
    local bar
    driver ontop
    bar=$(driver bar)
    BW=$(value width "$bar") BH=$(value height "$bar")
    capture_screen "rgb:$E2E_DIR/bar.rgb" "$(value x "$bar")" "$(value y "$bar")" "$BW" "$BH"
    capture_screen "$E2E_DIR/$1.png" $(($(value x "$bar") - 30)) $(($(value y "$bar") - 10)) $((BW + 60)) $((BH + 20))
    COLOURS=$(bar_colours "$E2E_DIR/bar.rgb" "$BW" "$BH")
    echo "$1: $COLOURS"
}
colour() { value "$1" "${COLOURS// /$'\n'}"; }
# The bar's fill and text are those colours (the caption settles first).
painted_in() {  # painted_in NAME FILL TEXT
    sleep 0.5
    grab "$1"
    [ "$(colour fill)" = "$2" ] && [ "$(colour text)" = "$3" ] ||
        { echo "$1: bar painted $COLOURS, not fill=$2 text=$3" >&2; return 1; }
}
bar_shown() {  # bar_shown 1|0
    [ "$(value visible "$(driver bar)")" = "$1" ] || { echo "bar visible is not $1" >&2; return 1; }
}
# The bar's fill, the bar restacked first (Wine raises an activated window above it on X).
filled_on_top() {  # filled_on_top RRGGBB
    driver ontop >/dev/null
    filled_in "$1"
}
# within_a_second CHECK...: the check holds within a second from now.
within_a_second() {
    local start=$(date +%s%N) elapsed
    until "$@" 2>/dev/null; do
        elapsed=$((($(date +%s%N) - start) / 1000000))
        [ $elapsed -lt 1000 ] || { "$@"; return 1; }
        sleep 0.05
    done
    echo "after $((($(date +%s%N) - start) / 1000000)) ms"
}

start_window class:Notepad notepad
driver setpos class:Notepad 40 380 600 220
start_window Light "$DRAWN" captioned Light 300 300 620 260 ffffff
start_window Dark "$DRAWN" drawn Dark 100 60 700 300 202020
driver activate Dark
printf '[Brisvane]\r\nAdhere=1\r\nIgnoreDUI=0\r\nAlpha=255\r\n' > "$E2E_DIR/app/Brisvane.ini"
[ -n "${WINE_NAMESPACE:-}" ] && fake_battery 57 0 Discharging
start_bar

eventually on_drawn_caption Dark || fail "the bar is not on the dark self-drawn caption (no WS_CAPTION)"
eventually painted_in dark 202020 ffffff || fail "the bar is not in the dark caption's colours"
python3 -c "import sys; sys.exit(float('$(colour contrast)') < 4.5)" || fail "text contrast below 4.5 : 1 ($COLOURS)"
echo "ok: on the dark self-drawn caption, left of its own button, text at $(colour contrast) : 1"

driver activate Light
eventually on_drawn_caption Light || fail "the bar is not on the light caption painted by the window (WS_CAPTION)"
eventually painted_in light ffffff 000000 || fail "the bar did not take the light caption's colours"
echo "ok: follows to the light caption the window paints itself, in its colours"

# Two captions on the same rectangle, one dark, one light: the bar does not
# move between them, and takes each one's colours.
start_window Twin "$DRAWN" drawn Twin 100 60 700 300 ffffff
driver activate Dark
eventually on_drawn_caption Dark || fail "the bar is not back on the dark caption"
eventually painted_in dark 202020 ffffff || fail "the bar is not in the dark caption's colours again"
driver activate Twin
within_a_second filled_on_top ffffff || fail "the bar did not take the light twin's fill within a second"
painted_in twin ffffff 000000 || fail "the bar is not in the light twin's colours"
driver activate Dark
within_a_second filled_on_top 202020 || fail "the bar did not take the dark caption's fill back within a second"
echo "ok: switching between a dark and a light caption on one rectangle switches the bar's colours"
driver closewin Twin

driver activate class:Notepad
eventually on_caption class:Notepad || fail "the bar did not ride notepad"

# A window that comes to the front before it can carry the bar: the bar
# stays where it is and goes to it within a second of it becoming able.
start_window Late "$TEST_WINDOW" caption Late 200 420 420 200
driver activate class:Notepad
eventually on_caption class:Notepad || fail "the bar did not come back to notepad"
driver setpos Late 200 420 60 200
driver activate Late
sleep 0.8
on_caption class:Notepad || fail "the bar left notepad for a window too narrow to carry it"
driver setpos Late 200 420 420 200
within_a_second on_caption Late || fail "the bar did not go to the widened window within a second"
driver activate class:Notepad
eventually on_caption class:Notepad || fail "the bar did not come back to notepad"
driver show Late minimize
driver activate Late
sleep 0.8
driver show Late restore
within_a_second on_caption Late || fail "the bar did not go to the restored window within a second"
echo "ok: windows activated too narrow or minimised take the bar once they can"
driver closewin Late
driver activate class:Notepad
eventually on_caption class:Notepad || fail "the bar did not ride notepad"
bar=$(driver bar)
CAPTION=$(screen_pixel $(($(value x "$bar") - 6)) $(($(value y "$bar") - 2)))
eventually painted_in classic "$CAPTION" "$(colour text)" || fail "the bar is not in the colour of Wine's caption"
echo "ok: follows to Wine's classic caption, in the colour beside it"

# A borderless window over the whole desktop takes the foreground.
start_window Full "$DRAWN" fullscreen Full 0 0 0 0 000000
eventually check_eq "foreground" Full "$(value title "$(driver foreground)")" >/dev/null ||
    fail "the full-screen window did not take the foreground"
within_a_second bar_shown 0 || fail "the bar did not hide within a second of a full-screen window in front"
driver closewin Full
within_a_second bar_shown 1 || fail "the bar was not back within a second of the full-screen window closing"
echo "ok: out of the way of a full-screen window, back when it closes"

# Parked on the desktop there is no caption to read: DWM's, live. (The
# fill's colour alone: the bar's icon slot shows the desktop through the
# colour key.)
driver activate class:Notepad
eventually on_caption class:Notepad || fail "the bar did not come back to notepad"
driver show class:Notepad minimize
read -r _ _ WORK_RIGHT WORK_BOTTOM <<< "$(value work0 "$(driver monitors)")"
CAP=$(value caption "$(driver metrics)")
eventually parked || fail "the bar did not park"
eventually filled_in ffffff || fail "the parked bar is not in DWM's white"
wine_dwm accent 0063b1
driver colourset
eventually filled_in 0063b1 || fail "the parked bar did not take the accent colour when it was switched on"
echo "ok: parked, in DWM's white, then in the accent colour when it is switched on"
wine_dwm dark
driver colourset
options_adhere
eventually filled_in 202020 || fail "the floating bar is not in the dark mode's caption colour"
echo "ok: floating, in the dark mode's caption colour"
start_window Full "$DRAWN" fullscreen Full 0 0 0 0 000000
within_a_second bar_shown 0 || fail "the floating bar did not hide within a second of a full-screen window in front"
driver closewin Full
within_a_second bar_shown 1 || fail "the floating bar was not back within a second of the full-screen window closing"
echo "ok: floating, out of the way of a full-screen window, back when it closes"

driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"
