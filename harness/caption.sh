# Where the bar is against a carrier's caption, for the caption-riding tests.
# Sourced after harness/drive.sh, by the tests and tools/screenshots.sh;
# parked needs CAP, WORK_RIGHT and WORK_BOTTOM.
BAR_CLASS=BRISVANE
bar_geometry() {  # sets BX BY BW BH of the bar (or of the stand-in's bar)
    local out
    if [ "$BAR_CLASS" = BRISVANE ]; then out=$(driver bar); else out=$(driver window class:$BAR_CLASS); fi
    BX=$(value x "$out"); BY=$(value y "$out"); BW=$(value width "$out"); BH=$(value height "$out")
}

# The bar lies in the window's caption band, centred, its right end within
# a few pixels left of the three caption buttons the window system draws.
on_caption() {
    local w out
    w=$(driver window "$1")
    bar_geometry
    local top=$(value captiontop "$w") bottom=$(value captionbottom "$w") right=$(value captionright "$w")
    local cx=$(value cxsize "$w")
    local buttons=$((right - 3 * cx)) above=$((BY - top)) below=$((bottom - BY - BH))
    if [ $above -lt 0 ] || [ $below -lt 0 ] || [ $((below - above)) -gt 1 ] || [ $((above - below)) -gt 1 ]; then
        echo "bar at $BX,$BY ${BW}x$BH not centred in the caption $top..$bottom of $1" >&2; return 1
    fi
    if [ $((BX + BW)) -gt $buttons ] || [ $((BX + BW)) -lt $((buttons - 4)) ]; then
        echo "bar right end $((BX + BW)) not just left of the buttons at $buttons of $1" >&2; return 1
    fi
}

parked() {
    bar_geometry
    [ "$BX" = $((WORK_RIGHT - BW - CAP - 3)) ] && [ "$BY" = $((WORK_BOTTOM - BH - CAP - 3)) ] ||
        { echo "bar at $BX,$BY, not parked at $((WORK_RIGHT - BW - CAP - 3)),$((WORK_BOTTOM - BH - CAP - 3))" >&2; return 1; }
}

at() {  # at X Y: the bar has not moved from there
    bar_geometry
    [ "$BX" = "$1" ] && [ "$BY" = "$2" ] || { echo "bar moved from $1,$2 to $BX,$BY" >&2; return 1; }
}

# wine_pids NAME: the Linux ids of this prefix's Wine processes running
# NAME.exe (their command: a path or the bare name, with or without .exe).
wine_pids() {
    local p
    for p in $(pgrep -f "$1"); do
        tr '\0' '\n' 2>/dev/null <"/proc/$p/cmdline" | head -n 1 | grep -Eiq "(^|[\\/])$1(\\.exe)?\$" || continue
        tr '\0' '\n' 2>/dev/null <"/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$p"
    done
    return 0
}

map_of() {  # map_of NAME: the memory maps of those processes
    local p
    for p in $(wine_pids "$1"); do cat "/proc/$p/maps"; done
}

# The bar's fill, left of its text, is RRGGBB on screen.
filled_in() {  # filled_in RRGGBB
    bar_geometry
    local pixel
    pixel=$(screen_pixel $((BX + 22)) $((BY + 3)))
    [ "$pixel" = "${1,,}" ] || { echo "bar filled $pixel, not $1" >&2; return 1; }
}

# The bar's fill (full: no battery here) in the caption colours it paints with.
painted() {  # painted active|inactive
    filled_in "$(value "$([ "$1" = active ] && echo caption || echo inactivecaption)" "$(driver colours)")" ||
        { echo "bar not painted $1" >&2; return 1; }
}

options_adhere() {  # clicks the Adhere box in Options and OK
    driver post 0x111 32774 0
    driver options 10000 >/dev/null || fail "no Options dialog"
    driver options-click 1002
    driver options-click 1
    driver options-gone >/dev/null || fail "OK did not close the dialog"
}

# A caption the window draws itself (harness/windows/self_drawn_caption.h): the bar
# in its 32-pixel band, its right end just left of the window's own button,
# which lies left of its four 46-pixel ones.
on_drawn_caption() {
    local w
    w=$(driver window "$1")
    bar_geometry
    local top=$(value y "$w") right=$(($(value x "$w") + $(value width "$w")))
    local buttons=$((right - 4 * 46 - 40))
    if [ $BY -lt $top ] || [ $((BY + BH)) -gt $((top + 32)) ]; then
        echo "bar at y $BY..$((BY + BH)) not in the caption band $top..$((top + 32)) of $1" >&2; return 1
    fi
    if [ $((BX + BW)) -gt $buttons ] || [ $((BX + BW)) -lt $((buttons - 4)) ]; then
        echo "bar right end $((BX + BW)) not just left of $1's own button at $buttons" >&2; return 1
    fi
}
