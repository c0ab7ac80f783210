#!/usr/bin/env bash
# A desktop that reports Windows 10, where captions no longer have the
# system's caption colours: the real bar rides a dark self-drawn caption
# (#202020) in its colour with white text that contrasts at least 4.5 : 1,
# and Wine's classic caption in the colour the screen shows beside it.
# Usage: caption_colours_test.sh EXE DLL DRIVER
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/caption.sh"
command -v python3 >/dev/null || { echo "SKIP: needs python3"; exit 77; }
DRAWN=$(dirname "${E2E_TEST_WINDOW:?}")/e2e_drawn_window.exe

wine_windows10 white
drive_desktop shell 1024x700

# bar_colours FILE.rgb WIDTH HEIGHT: the fill colour (row 3, left of the
# text) and the contrast of the text drawn over the fill against it.
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
ink = [px(x, y) for y in range(3, h - 3) for x in range(left + 3, w - 6) if px(x, y) not in (fill, b"\0\0\0")]
text = max(set(ink), key=ink.count) if ink else fill
hi, lo = sorted((lum(fill), lum(text)), reverse=True)
print(f"fill={fill.hex()} text={text.hex()} contrast={(hi + 0.05) / (lo + 0.05):.1f}")
PY
}
# grab: the bar's pixels and what bar_colours makes of them.
grab() {
    sleep 1
    local bar
    bar=$(driver bar)
    BW=$(value width "$bar") BH=$(value height "$bar")
    capture_screen "rgb:$E2E_DIR/bar.rgb" "$(value x "$bar")" "$(value y "$bar")" "$BW" "$BH"
    capture_screen "$E2E_DIR/$1.png" $(($(value x "$bar") - 30)) $(($(value y "$bar") - 10)) $((BW + 60)) $((BH + 20))
    COLOURS=$(bar_colours "$E2E_DIR/bar.rgb" "$BW" "$BH")
    echo "$1: $COLOURS"
}

wine $WINE_DESKTOP "$DRAWN" drawn Dark 100 100 700 300 202020 &
driver window Dark 20000 >/dev/null || fail "the self-drawn window did not start"
driver activate Dark
printf '[Brisvane]\r\nAdhere=1\r\nIgnoreDUI=0\r\nAlpha=255\r\n' > "$E2E_DIR/app/Brisvane.ini"
fake_battery 57 0 Discharging
start_bar
grab dark
check_eq "fill on the dark caption" 202020 "$(value fill "${COLOURS// /$'\n'}")"
check_eq "text on the dark caption" ffffff "$(value text "${COLOURS// /$'\n'}")"
python3 -c "import sys; sys.exit(float('$(value contrast "${COLOURS// /$'\n'}")') < 4.5)" ||
    fail "text contrast below 4.5 : 1 ($COLOURS)"

# Wine's own caption, as drawn beside the bar, for a bar started on it.
driver close
wait_bar_exit
wine $WINE_DESKTOP notepad &
driver window class:Notepad 20000 >/dev/null || fail "notepad did not start"
driver setpos class:Notepad 60 300 700 300
driver activate class:Notepad
start_bar
eventually on_caption class:Notepad || fail "the bar did not ride notepad"
bar=$(driver bar)
CAPTION=$(import -window root -crop "1x1+$(($(value x "$bar") - 6))+$(($(value y "$bar") - 2))" -depth 8 rgb:- | xxd -p)
grab classic
check_eq "fill on Wine's caption" "$CAPTION" "$(value fill "${COLOURS// /$'\n'}")"

driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"
