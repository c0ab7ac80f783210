#!/usr/bin/env bash
# Starts an X server with two monitors side by side, 1280 x 1024 and on its
# right 1024 x 768, as one Xinerama desktop: Xorg with the dummy video driver
# (Xvfb's screens do not reach Wine as monitors). Prints the display (":N")
# once the server answers; the server runs until killed (its pid is in
# DIR/xorg.pid). Needs root. Usage: tools/two-monitors.sh DIR
set -eu
dir=${1:?usage: two-monitors.sh DIR}
mkdir -p "$dir"
cat > "$dir/xorg.conf" <<'CONF'
Section "ServerFlags"
    Option "Xinerama" "on"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "1280x1024" 108.00 1280 1328 1440 1688 1024 1025 1028 1066 +hsync +vsync
    Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
EndSection
Section "Device"
    Identifier "card0"
    Driver "dummy"
    VideoRam 32768
EndSection
Section "Device"
    Identifier "card1"
    Driver "dummy"
    VideoRam 32768
EndSection
Section "Screen"
    Identifier "left"
    Device "card0"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1280x1024"
        Virtual 1280 1024
    EndSubSection
EndSection
Section "Screen"
    Identifier "right"
    Device "card1"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1024x768"
        Virtual 1024 768
    EndSubSection
EndSection
Section "ServerLayout"
    Identifier "two"
    Screen 0 "left" 0 0
    Screen 1 "right" RightOf "left"
EndSection
CONF
display=
for n in $(seq 50 99); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=$n; break; }
done
[ -n "$display" ] || { echo "no free display" >&2; exit 1; }
Xorg ":$display" -config "$dir/xorg.conf" -noreset -nolisten tcp -novtswitch -sharevts \
    -logfile "$dir/xorg.log" >/dev/null 2>&1 </dev/null &
echo $! > "$dir/xorg.pid"
for _ in $(seq 1 50); do
    if xdpyinfo -display ":$display" >/dev/null 2>&1; then
        echo ":$display"
        exit 0
    fi
    kill -0 "$(cat "$dir/xorg.pid")" 2>/dev/null || break
    sleep 0.2
done
echo "the X server did not start (see $dir/xorg.log)" >&2
exit 1
