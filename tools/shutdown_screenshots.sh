#!/usr/bin/env bash
# Screenshots of the auto-shutdown for the README: the dialog in both modes,
# the countdown bar and the confirmation, into docs/. Needs build/win built.
# Runs the real program in its own Wine prefix on a virtual display; the
# confirmation is declined, so nothing powers off.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$root/build/win/bin
work=$root/build/shots
mkdir -p "$work/app" "$root/docs"
cp "$bin/Brisvane.exe" "$bin/CBT.dll" "$work/app/"
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
bash "$root/tools/prepare-wineprefix.sh"
# Chinese texts need a CJK face behind the dialog fonts.
for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "宋体" "SimSun"; do
    wine reg add "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes" /v "$face" \
        /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
done
wineserver -w

if [ -z "${SHOTS_ON_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" env SHOTS_ON_DISPLAY=1 bash "$0" "$@"
fi

driver() { wine "$bin/e2e_driver.exe" "$@" | tr -d '\r'; }
value() { printf '%s\n' "$2" | sed -n "s/^$1=//p" | head -n 1; }
shot() {  # shot FILE X Y WIDTH HEIGHT, with a small margin
    import -window root -crop "$(($4 + 8))x$(($5 + 8))+$(($2 - 4))+$(($3 - 4))" +repage "$root/docs/$1"
    echo "wrote docs/$1"
}
shot_dialog() {  # shot_dialog NAME FILE
    local d
    d=$(driver dialog "$1" 10000)
    [ "$(value open "$d")" = 1 ] || { echo "no $1 dialog" >&2; exit 1; }
    sleep 1
    shot "$2" "$(value x "$d")" "$(value y "$d")" "$(value width "$d")" "$(value height "$d")"
}

(cd "$work/app" && exec wine Brisvane.exe) &
app=$!
driver bar 20000 >/dev/null

driver post 273 32777 0
shot_dialog shutdown shutdown-dialog-duration.png
driver dialogcheck shutdown 1008
shot_dialog shutdown shutdown-dialog-moment.png
driver dialogcheck shutdown 1003
driver dialogset shutdown 1004 1
driver dialogset shutdown 1006 30
driver dialogcmd shutdown 1
sleep 2
b=$(driver bar)
shot shutdown-countdown-bar.png "$(value x "$b")" "$(value y "$b")" "$(value width "$b")" "$(value height "$b")"

# Cancelled, then a 1-minute countdown whose tick opens the confirmation.
driver post 273 32777 0
driver dialog cancelask 10000 >/dev/null
driver dialogcmd cancelask 1
sleep 2
driver post 273 32777 0
driver dialog shutdown 10000 >/dev/null
driver dialogset shutdown 1006 1
driver dialogcmd shutdown 1
sleep 2
driver post 275 2 0
shot_dialog confirm shutdown-confirm.png
driver dialogcmd confirm 2
sleep 1
driver close
wait "$app" || true
wineserver -k 2>/dev/null || true
