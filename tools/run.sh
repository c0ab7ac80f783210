#!/usr/bin/env bash
# Builds Brisvane and runs it under Wine. With no display it makes a virtual
# one, takes a screenshot after a few seconds and stops the program.
# Usage: tools/run.sh [--percent N] [--charger on|off] [--seconds S]
#   --percent/--charger simulate a battery (needs root: a private mount
#   namespace puts a fake /sys/class/power_supply in place of the real one).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
percent= charger=off seconds=8
while [ $# -gt 0 ]; do
    case $1 in
        --percent) percent=$2; shift 2 ;;
        --charger) charger=$2; shift 2 ;;
        --seconds) seconds=$2; shift 2 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done

cd "$root"
tools/install-deps.sh
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j "$(nproc)" --target Brisvane CBT
export WINEPREFIX="$root/build/run-wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
tools/prepare-wineprefix.sh

battery_wrap=()
if [ -n "$percent" ]; then
    [ "$(id -u)" = 0 ] || { echo "--percent needs root (a private mount namespace)" >&2; exit 2; }
    fake="$root/build/run-battery"
    mkdir -p "$fake/AC" "$fake/BAT0"
    echo Mains > "$fake/AC/type"
    [ "$charger" = on ] && echo 1 > "$fake/AC/online" || echo 0 > "$fake/AC/online"
    echo Battery > "$fake/BAT0/type"
    echo 1 > "$fake/BAT0/present"
    [ "$charger" = on ] && echo Charging > "$fake/BAT0/status" || echo Discharging > "$fake/BAT0/status"
    echo 50000000 > "$fake/BAT0/charge_full"
    echo $((500000 * percent)) > "$fake/BAT0/charge_now"
    echo 1000000 > "$fake/BAT0/current_now"
    echo 12000000 > "$fake/BAT0/voltage_now"
    battery_wrap=(unshare -m sh -c "mount --bind '$fake' /sys/class/power_supply && exec \"\$0\" \"\$@\"")
fi

exe="$root/build/win/bin/Brisvane.exe"
if [ -n "${DISPLAY:-}" ]; then
    echo "Running Brisvane on $DISPLAY (exit from its tray menu, or Ctrl+C)."
    exec "${battery_wrap[@]}" wine "$exe"
fi

shot="$root/build/run-screenshot.png"
echo "No display: running Brisvane on a virtual display for $seconds s."
SECONDS_TO_RUN=$seconds SHOT=$shot xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$@" &
    sleep "$SECONDS_TO_RUN"
    import -window root "$SHOT"
    wineserver -k
' _ "${battery_wrap[@]}" wine "$exe" 
echo "Screenshot saved: $shot"
