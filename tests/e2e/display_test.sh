#!/usr/bin/env bash
# The real bar riding a notepad caption at a display's DPI (LogPixels) with
# Wine's default caption height: fully inside the caption band, left of its
# buttons, sized for the DPI, and nothing clipped (outline, nub, text, the
# state picture). Usage: display_test.sh EXE DLL DRIVER DPI
E2E_NAME=display_test_${4:?DPI}
. "$(dirname "$0")/lib.sh"
command -v python3 >/dev/null || { echo "SKIP: needs python3"; exit 77; }
DPI=$4
HERE=$(dirname "$0")

# This prefix at the DPI, with Wine's own caption height for it.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null 2>&1
wine reg delete 'HKCU\Control Panel\Desktop\WindowMetrics' /v CaptionHeight /f >/dev/null 2>&1 || true
drive_desktop shell 1024x700

check_eq "DPI" "$DPI" "$(value dpi "$(driver monitors)")"
manifest=$(driver manifest "$(winepath -w "$APP_EXE" 2>/dev/null)")
for awareness in '<dpiAwareness[^>]*>PerMonitorV2, PerMonitor</dpiAwareness>' '<dpiAware[^>]*>true/pm</dpiAware>'; do
    printf '%s\n' "$manifest" | grep -q "$awareness" || fail "the manifest lacks $awareness"
done
echo "ok: the manifest declares per-monitor DPI awareness"

wine $WINE_DESKTOP notepad &
driver window class:Notepad 20000 >/dev/null || fail "notepad did not start"
driver setcolours 0a246a fafaf0 >/dev/null
driver setpos class:Notepad 60 60 700 300
driver activate class:Notepad
sleep 1
CAP=$(value caption "$(driver metrics)")
w=$(driver window class:Notepad) || fail "no metrics of notepad's window"
CTOP=$(value captiontop "$w") CBOTTOM=$(value captionbottom "$w") CRIGHT=$(value captionright "$w")
BUTTONS=$((CRIGHT - 3 * $(value cxsize "$w")))
capture_screen "rgb:$E2E_DIR/caption.rgb" 0 "$CTOP" 1024 $((CBOTTOM - CTOP))

printf '[Brisvane]\r\nAdhere=1\r\nBarWidth=50\r\nAlpha=255\r\n' > "$E2E_DIR/app/Brisvane.ini"
fake_battery 57 1 Charging
start_bar

# Sizes at this DPI: the height from the caption, the width scaled.
scaled() { echo $((($1 * DPI + 48) / 96)); }
ICON=$(scaled 16)
[ "$ICON" -le $((CAP - 8)) ] || ICON=$((CAP - 8))
on_caption() {
    bar=$(driver bar)
    BX=$(value x "$bar") BY=$(value y "$bar") BW=$(value width "$bar") BH=$(value height "$bar")
    [ "$BY" -ge "$CTOP" ] && [ $((BY + BH)) -le "$CBOTTOM" ] && [ $((BX + BW)) -le $BUTTONS ] &&
        [ $((BX + BW)) -ge $((BUTTONS - 4)) ]
}
eventually on_caption || fail "bar at $BX,$BY ${BW}x$BH, not in the caption $CTOP..$CBOTTOM left of $BUTTONS"
echo "ok: caption $CAP at $DPI DPI: bar ${BW}x$BH at $BX,$BY inside the caption $CTOP..$CBOTTOM, right end $((BX + BW)) left of the buttons at $BUTTONS"
check_eq "bar height" $((CAP - 8)) "$BH"
# All of the 75 pixels but the four one-pixel columns of the outline and the
# band inside it scale (each part rounded on its own).
WANT_W=$(($(scaled 71) + 4))
[ "$BW" -ge $((WANT_W - 2)) ] && [ "$BW" -le $((WANT_W + 2)) ] || fail "bar $BW wide, not about $WANT_W at $DPI DPI"
check_eq "record width" "$BW" "$(value barwidth "$(driver record)")"
check_eq "record caption height" "$CAP" "$(value caption "$(driver record)")"

sleep 1
capture_screen "rgb:$E2E_DIR/bar.rgb" "$BX" "$BY" "$BW" "$BH"
# The same rectangle from before the bar came.
python3 - "$E2E_DIR/caption.rgb" "$E2E_DIR/back.rgb" "$BX" $((BY - CTOP)) "$BW" "$BH" <<'PY'
import sys
src, dst, x0, y0, w, h = sys.argv[1], sys.argv[2], *map(int, sys.argv[3:])
data = open(src, "rb").read()
open(dst, "wb").write(b"".join(data[((y0 + y) * 1024 + x0) * 3:((y0 + y) * 1024 + x0 + w) * 3] for y in range(h)))
PY
capture_bar "$E2E_DIR/bar-$DPI.png" 6
out=$(python3 "$HERE/bar_pixels.py" "$E2E_DIR/bar.rgb" "$E2E_DIR/back.rgb" "$BW" "$BH" "$ICON" 0a246a fafaf0 \
      "$HERE/../../res/states.bmp" 0) || fail "$out (see $E2E_DIR/bar-$DPI.png)"
echo "ok: nothing clipped: $out"

driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"
driver closewin class:Notepad >/dev/null 2>&1 || true
