#!/usr/bin/env bash
# What the screen shows of the real bar, pixel by pixel: a floating bar over
# a backdrop of a known colour, at 57 % on battery, on the charger and at 3 %
# discharging. Each pixel is checked by its role (backdrop where keyed out,
# black outline, caption colour, caption text colour, state picture) at the
# places the caption height and bar width give.
. "$(dirname "$0")/lib.sh"
: "${E2E_TEST_WINDOW:?E2E_TEST_WINDOW must name the backdrop window program}"

STATES_BMP=$(dirname "$0")/../../res/states.bmp
BACKDROP=2f8f5f  # a colour none of the bar's own roles has
BAR_WIDTH=50
KEY=ff00ff
WM_POWERBROADCAST=536
PBT_APMPOWERSTATUSCHANGE=10

metrics=$(driver metrics)
CAP=$(value caption "$metrics")
check_eq "caption height" 25 "$CAP"
# Wine's default caption text is black like the outline: for the test, caption
# colours that differ from each other, the outline and the backdrop; the
# session's own come back at the end.
colours=$(driver colours)
SAVED_COLOURS="$(value caption "$colours") $(value captiontext "$colours")"
restore_colours() {
    # shellcheck disable=SC2086
    driver setcolours $SAVED_COLOURS >/dev/null 2>&1 || true
}
trap 'cleanup; restore_colours' EXIT
driver setcolours 0a246a fafaf0 >/dev/null || fail "cannot set the caption colours"
colours=$(driver colours)
CAPTION=$(value caption "$colours")
CAPTION_TEXT=$(value captiontext "$colours")
check_eq "caption colours for the test" "0a246a fafaf0" "$CAPTION $CAPTION_TEXT"

# Floating, so nothing but the INI decides where it is; fully opaque, so the
# colours are exact even where a compositor would blend the default alpha.
printf '[Brisvane]\r\nAdhere=0\r\nBarWidth=%d\r\nAlpha=255\r\n[Position]\r\nX=200\r\nY=200\r\n' \
    $BAR_WIDTH > "$E2E_DIR/app/Brisvane.ini"

fake_battery 57 0 Discharging
wine "$E2E_TEST_WINDOW" nocaption Backdrop 100 150 400 150 $BACKDROP &
BACKDROP_PID=$!
close_backdrop() {
    driver closewin Backdrop >/dev/null 2>&1 || true
    sleep 1
    kill "$BACKDROP_PID" 2>/dev/null || true
}
trap 'close_backdrop; cleanup; restore_colours' EXIT
driver window Backdrop 20000 >/dev/null || fail "no backdrop window"
start_bar
bar=$(driver bar)
BX=$(value x "$bar") BY=$(value y "$bar") BW=$(value width "$bar") BH=$(value height "$bar")
check_eq "bar width" $((BAR_WIDTH + 25)) "$BW"
check_eq "bar height" $((CAP - 8)) "$BH"

# The state bitmap as RRGGBB strings, top-down, 48 per row.
bmp_field() {  # bmp_field OFFSET BYTES: a little-endian number of the header
    od -An -v -tu$2 -j "$1" -N "$2" "$STATES_BMP" | tr -d ' '
}
check_eq "state bitmap size" "48 16 24" "$(bmp_field 18 4) $(bmp_field 22 4) $(bmp_field 28 2)"
mapfile -t STATES < <(od -An -v -tx1 -w3 -j "$(bmp_field 10 4)" -N $((48 * 16 * 3)) "$STATES_BMP" |
                      awk '{ print $3 $2 $1 }')

channel() { echo $((16#${1:$2:2})); }

# A pixel of the text: between the caption and caption text colours in every
# channel, as an edge-smoothed glyph of one drawn over the other is.
is_blend() {
    local i v a b
    for i in 0 2 4; do
        v=$(channel "$1" $i) a=$(channel "$CAPTION" $i) b=$(channel "$CAPTION_TEXT" $i)
        [ "$a" -le "$b" ] || { local t=$a; a=$b; b=$t; }
        [ "$v" -ge $((a - 2)) ] && [ "$v" -le $((b + 2)) ] || return 1
    done
}

# The colour a pixel of the bar must have, apart from the text, into WANT.
expected_pixel() {  # expected_pixel X Y FRAME FILL_END
    local x=$1 y=$2 frame=$3 fill_end=$4
    local body_right=$((BAR_WIDTH + 21)) bottom=$((CAP - 9)) icon_top=$(((CAP - 24) / 2))
    local nub=$((bottom / 4)) c
    if [ "$x" -lt 16 ]; then
        c=$KEY
        if [ "$frame" -ge 0 ] && [ "$y" -ge "$icon_top" ] && [ "$y" -lt $((icon_top + 16)) ]; then
            c=${STATES[(15 - (y - icon_top)) * 48 + 16 * frame + x]}
        fi
    elif [ "$x" -ge 18 ] && [ "$x" -le $body_right ]; then
        if [ "$y" -eq 0 ] || [ "$y" -eq $bottom ] || [ "$x" -eq 18 ] ||
           { [ "$x" -eq $body_right ] && { [ "$y" -le $nub ] || [ "$y" -ge $((bottom - nub)) ]; }; }; then
            c=000000
        elif [ "$x" -ge 20 ] && [ "$x" -lt "$fill_end" ] && [ "$y" -ge 2 ] && [ "$y" -le $((BH - 3)) ]; then
            c=$CAPTION
        else
            c=$CAPTION_TEXT
        fi
    elif [ "$x" -gt $body_right ] && [ "$x" -le $((body_right + 2)) ] && [ "$y" -ge $nub ] && [ "$y" -le $((bottom - nub)) ]; then
        if [ "$x" -eq $((body_right + 2)) ] || [ "$y" -eq $nub ] || [ "$y" -eq $((bottom - nub)) ]; then
            c=000000
        else
            c=$CAPTION_TEXT
        fi
    else
        c=$KEY
    fi
    [ "$c" = $KEY ] && c=$BACKDROP
    WANT=$c
}

# Compares one screenshot of the bar with the expected roles; the text may
# only differ from the ground inside the fill rectangle, as a blend of the two
# caption colours, and must show on each side of the fill edge where
# TEXT_SIDES says (left, right or both).
bar_matches() {  # bar_matches FRAME PERCENT TEXT_SIDES
    local frame=$1 fill_end=$((20 + BAR_WIDTH * $2 / 100)) sides=$3
    local shot=$E2E_DIR/bar.raw x y got want left=0 right=0 wrong=0
    capture_screen "rgb:$shot" "$BX" "$BY" "$BW" "$BH"
    mapfile -t PIXELS < <(od -An -v -tx1 -w3 "$shot" | awk '{ print $1 $2 $3 }')
    [ "${#PIXELS[@]}" -eq $((BW * BH)) ] || { echo "screenshot has ${#PIXELS[@]} pixels"; return 1; }
    for ((y = 0; y < BH; y++)); do
        for ((x = 0; x < BW; x++)); do
            got=${PIXELS[y * BW + x]}
            expected_pixel $x $y "$frame" $fill_end
            want=$WANT
            [ "$got" = "$want" ] && continue
            if [ "$x" -ge 20 ] && [ "$x" -le $((BAR_WIDTH + 20)) ] && [ "$y" -ge 2 ] &&
               [ "$y" -le $((CAP - 12)) ] && is_blend "$got"; then
                if [ "$x" -lt $fill_end ]; then left=$((left + 1)); else right=$((right + 1)); fi
                continue
            fi
            [ $((wrong += 1)) -le 5 ] && echo "pixel ($x, $y) is $got, expected $want"
        done
    done
    [ $wrong -eq 0 ] || { echo "$wrong pixels wrong"; return 1; }
    case $sides in
    both) [ $left -gt 0 ] && [ $right -gt 0 ] ;;
    right) [ $left -eq 0 ] && [ $right -gt 0 ] ;;
    esac || { echo "text pixels: $left left of the fill edge, $right right of it (want $sides)"; return 1; }
    echo "text pixels: $left left of the fill edge, $right right of it"
}

# Retries for a few seconds, for the paint after a change to reach the screen;
# leaves a picture of the bar and its surroundings as look-FRAME.png.
expect_look() {  # expect_look WHAT FRAME PERCENT TEXT_SIDES
    local what=$1 out ok=
    shift
    for _ in $(seq 1 10); do
        out=$(bar_matches "$@") && { ok=1; break; }
        sleep 0.5
    done
    capture_bar "$E2E_DIR/look$1.png" 4
    [ -n "$ok" ] || fail "$what: $out (see $E2E_DIR/look$1.png)"
    echo "ok: $what ($out)"
}

expect_look "57 % on battery: no state picture, fill to column $((20 + BAR_WIDTH * 57 / 100))" -1 57 both

fake_battery 57 1 Charging
driver post $WM_POWERBROADCAST $PBT_APMPOWERSTATUSCHANGE 0 >/dev/null
expect_look "57 % on the charger: the mains plug" 0 57 both

fake_battery 3 0 Discharging
driver post $WM_POWERBROADCAST $PBT_APMPOWERSTATUSCHANGE 0 >/dev/null
expect_look "3 % discharging: the warning triangle" 2 3 right

driver close
wait_bar_exit
check_eq "exit code" 0 "$BAR_EXIT"
close_backdrop
