#!/usr/bin/env bash
# The one way this project runs Wine. Sourced by the tools and the end-to-end
# tests, or run as a command:
#   harness/wine.sh template                      make the template prefix
#   harness/wine.sh run [--screen WxH] NAME CMD…  CMD in a fresh prefix NAME on
#                                               an X display of its own
# Prefixes live in $WINE_HOME/<name> (default build/win/wine/<name>); each is
# a copy of $WINE_HOME/template, a prefix with 25-pixel captions, so
# that a test gets a clean one in a second instead of a wineboot.
WINE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The release is the 32-bit build in build/win. Some machines run 64-bit
# user code only (their kernel's IA-32 emulation is off), and so no 32-bit
# Wine: there the Windows tests run the same sources built for x86-64
# (build/win64) in 64-bit prefixes, and check the release's files from there.
# WINE_X86_64=1 takes that path on a machine that runs 32-bit programs too,
# so that both kinds of run can be tried on one machine.
WIN_RELEASE=$WINE_ROOT/build/win
WINE_HOME_GIVEN=${WINE_HOME:-}
wine_no_32bit() {
    [ -n "${WINE_X86_64:-}" ] ||
        { [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; }
}
wine_arch() {
    if wine_no_32bit && [ -x /usr/lib/wine/wine64 ]; then
        WIN_BUILD=$WINE_ROOT/build/win64
        export WINEARCH=win64
        # Debian's wine and wine-stable start the 32-bit loader whenever it
        # is installed, and the tools (wineboot, winepath) call wine-stable.
        local shims=$WINE_ROOT/build/wine64-loader
        if [ ! -x "$shims/wine-stable" ]; then
            mkdir -p "$shims"
            printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shims/wine"
            chmod +x "$shims/wine"
            cp "$shims/wine" "$shims/wine-stable"
        fi
        case ":$PATH:" in *":$shims:"*) ;; *) export PATH=$shims:$PATH ;; esac
    else
        WIN_BUILD=$WIN_RELEASE
        # Set, never inherited: with wine64 installed a new prefix would be 64-bit.
        export WINEARCH=win32
    fi
    WINE_HOME=${WINE_HOME_GIVEN:-$WIN_BUILD/wine}
    # WINE_WIN64=1: 64-bit prefixes (32-bit programs run in them too), from a
    # template of their own.
    if [ -n "${WINE_WIN64:-}" ] && [ "$WINEARCH" = win32 ]; then
        export WINEARCH=win64
        case $WINE_HOME in */win64) ;; *) WINE_HOME=$WINE_HOME/win64 ;; esac
    fi
}
wine_arch
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
WINE_DESKTOP=
WINE_DESKTOP_PID=
WINE_XVFB_PID=

# Installs what building and testing need on Debian, if it is missing.
wine_install_deps() {
    local need=() pkg sudo=
    for pkg in cmake g++ make python3 g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb xauth xdotool x11-utils \
               x11-apps imagemagick fonts-wqy-microhei zip xserver-xorg-core xserver-xorg-video-dummy \
               libxinerama1:i386 libxrandr2:i386 libxrender1:i386; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || need+=("$pkg")
    done
    [ -d /usr/src/googletest ] || need+=(googletest)
    [ ${#need[@]} -eq 0 ] && return 0
    [ "$(id -u)" = 0 ] || sudo=sudo
    echo "Installing: ${need[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
    wine_arch
}

# win_build [CMAKE_ARG…] [-- TARGET…]: configures build/win, and build/win64
# where the tests need it (the toolchain only for a fresh folder, where CMake
# reads it), and builds the targets (all when none are named).
win_build() {
    local args=() targets=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do args+=("$1"); shift; done
    [ $# -gt 0 ] && { shift; targets=(--target "$@"); }
    win_build_tree "$WIN_RELEASE" mingw32 "${args[@]}"
    if [ "$WIN_BUILD" = "$WIN_RELEASE" ]; then
        cmake --build "$WIN_RELEASE" -j "$(nproc)" "${targets[@]}"
        return
    fi
    # Of the release build only what ships: the tests run the 64-bit one.
    local release=("${targets[@]}")
    [ ${#release[@]} -gt 0 ] || release=(--target package)
    cmake --build "$WIN_RELEASE" -j "$(nproc)" "${release[@]}"
    win_build_tree "$WIN_BUILD" mingw64 -DBRISVANE_RELEASE_DIR="$WIN_RELEASE" "${args[@]}"
    cmake --build "$WIN_BUILD" -j "$(nproc)" "${targets[@]}"
}
win_build_tree() {  # win_build_tree FOLDER TOOLCHAIN [CMAKE_ARG…]
    local folder=$1 toolchain=$2
    shift 2
    [ -f "$folder/CMakeCache.txt" ] ||
        set -- "$@" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-$toolchain.cmake -DCMAKE_BUILD_TYPE=Release
    (cd "$WINE_ROOT" && cmake -S . -B "$folder" "$@" >/dev/null)
}

# wine_display [WxH]: a private Xvfb screen (default 1280x1024); sets DISPLAY.
wine_display() {
    local number=$WINE_HOME/.display.$$
    mkdir -p "$WINE_HOME"
    rm -f "$number"
    # Xvfb picks a free display number and writes it to fd 3 once it listens.
    Xvfb -displayfd 3 -screen 0 "${1:-1280x1024}x24" -nolisten tcp 3>"$number" </dev/null >/dev/null 2>&1 &
    WINE_XVFB_PID=$!
    local _
    for _ in $(seq 1 100); do
        [ -s "$number" ] && break
        kill -0 "$WINE_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    [ -s "$number" ] || { echo "Xvfb did not start" >&2; return 1; }
    DISPLAY=:$(tr -dc 0-9 <"$number")
    export DISPLAY
    rm -f "$number"
}

# wine_template: makes $WINE_HOME/template once (a lock keeps concurrent
# callers to one wineboot).
wine_template() {
    local template=$WINE_HOME/template
    mkdir -p "$WINE_HOME"
    (
        flock 9
        [ -f "$template/.brisvane-ready" ] && exit 0
        export WINEPREFIX=$template
        wineserver -k 2>/dev/null || true
        rm -rf "$template"
        wineboot --init </dev/null >/dev/null 2>&1 || true
        wineserver -w
        wine reg add "HKCU\\Control Panel\\Desktop\\WindowMetrics" /v CaptionHeight /t REG_SZ /d 24 /f \
            </dev/null >/dev/null 2>&1
        # No window manager runs on these displays: unmanaged windows spare
        # each hidden or destroyed window Wine's two-second wait for one.
        wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
        wineserver -w
        touch "$template/.brisvane-ready"
    ) 9>"$WINE_HOME/template.lock"
}

# wine_prefix NAME [reuse]: a fresh copy of the template as $WINE_HOME/NAME
# (with reuse: the one there, if any); sets WINEPREFIX. Each prefix has a
# Wine server of its own.
wine_prefix() {
    export WINEPREFIX=$WINE_HOME/$1
    [ "${2:-}" = reuse ] && [ -f "$WINEPREFIX/.brisvane-ready" ] && return 0
    wine_template
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null || true
        rm -rf "$WINEPREFIX"
    fi
    cp -a "$WINE_HOME/template" "$WINEPREFIX"
    # Debian's Wine names the server's folder under /tmp in this file: the
    # copy gets a folder of its own.
    rm -f "$WINEPREFIX/wineserver"
}

# wine_start: the prefix's Wine server kept running, and Wine's background
# services started apart: they keep the output of the program that starts
# them open, and would hold a caller's pipe (and CTest) until the end.
wine_start() {
    wineserver -p 2>/dev/null || true
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Marlett, the symbol font Wine draws the caption buttons with (without it
# they read "0 1 r"), comes with Debian's fonts-wine, which a Wine installed
# without its recommendations lacks. wine_fetch_marlett takes it from the
# package once (outside a Wine run: it uses apt-get), into build/fonts;
# wine_use_marlett puts it into this prefix for the programs started after.
WINE_MARLETT=$WINE_ROOT/build/fonts/usr/share/wine/fonts/marlett.ttf
wine_fetch_marlett() {
    [ ! -f "$WINE_MARLETT" ] || return 0
    mkdir -p "$WINE_ROOT/build/fonts"
    (cd "$WINE_ROOT/build/fonts" && apt-get download -q fonts-wine >/dev/null 2>&1 && dpkg-deb -x fonts-wine_*.deb .) ||
        echo "no fonts-wine package: caption buttons will lack their glyphs" >&2
}
wine_use_marlett() {
    cp "$WINE_MARLETT" "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

# wine_desktop NAME WxH: a Wine virtual desktop with that name ("shell" gets
# a taskbar and a notification area), made before any program joins it (two
# programs making the same desktop at once can hang). Then
# `wine $WINE_DESKTOP PROGRAM` runs a program inside it.
wine_desktop() {
    WINE_DESKTOP="explorer /desktop=$1,$2"
    wine $WINE_DESKTOP </dev/null >/dev/null 2>&1 &
    WINE_DESKTOP_PID=$!
    local _
    for _ in $(seq 1 100); do
        xwininfo -root -tree 2>/dev/null | grep -q "Wine desktop" && return 0
        sleep 0.3
    done
    echo "the Wine desktop did not appear" >&2
    return 1
}

# wine_windows10 [white | accent RRGGBB | dark]: the prefix reports Windows 10
# (Wine still draws its classic captions), with DWM's settings (wine_dwm).
# Before any program of the prefix starts.
wine_windows10() {
    wine winecfg -v win10 </dev/null >/dev/null 2>&1
    wine_dwm "$@"
}

# wine_dwm [white | accent RRGGBB | dark]: DWM's settings for white captions,
# captions in an accent colour, or the apps' dark mode. Programs that run
# read them again on the setting change Windows broadcasts.
wine_dwm() {
    local dwm='HKCU\Software\Microsoft\Windows\DWM'
    local theme='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
    local prevalence=0 light=1 accent=ffd77800
    case ${1:-white} in
        # AccentColor is 0xAABBGGRR.
        accent) prevalence=1 accent=ff${2:4:2}${2:2:2}${2:0:2} ;;
        dark) light=0 ;;
    esac
    wine reg add "$dwm" /v ColorPrevalence /t REG_DWORD /d $prevalence /f </dev/null >/dev/null 2>&1
    wine reg add "$dwm" /v AccentColor /t REG_DWORD /d $((16#$accent)) /f </dev/null >/dev/null 2>&1
    wine reg add "$theme" /v AppsUseLightTheme /t REG_DWORD /d $light /f </dev/null >/dev/null 2>&1
}

# wine_stop: ends every program of the prefix, its server and the display.
wine_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
    [ -z "$WINE_DESKTOP_PID" ] || wait "$WINE_DESKTOP_PID" 2>/dev/null || true
    if [ -n "$WINE_XVFB_PID" ]; then
        kill "$WINE_XVFB_PID" 2>/dev/null || true
        wait "$WINE_XVFB_PID" 2>/dev/null || true
    fi
    WINE_DESKTOP='' WINE_DESKTOP_PID='' WINE_XVFB_PID=''
}

# wine_namespace SCRIPT ARG…: as root, runs the script again (once) in a
# private mount namespace, where a fake battery can be mounted without
# touching the machine; sets WINE_NAMESPACE there. Otherwise returns.
wine_namespace() {
    [ -z "${WINE_NAMESPACE:-}" ] && [ "$(id -u)" = 0 ] && unshare -m true 2>/dev/null || return 0
    export WINE_NAMESPACE=1
    exec unshare -m bash "$@"
}

# wine_run [--screen WxH] NAME CMD…: CMD in a fresh prefix NAME on a display
# of its own, in a private mount namespace when root; everything is stopped
# afterwards. The prefix stays only when CMD failed, for a look. Returns
# CMD's status.
wine_run() {
    local screen=1280x1024
    [ "$1" = --screen ] && { screen=$2; shift 2; }
    wine_namespace "$WINE_ROOT/harness/wine.sh" run --screen "$screen" "$@"
    local name=$1 status=0
    shift
    export WINE_RUN=$name
    trap wine_stop EXIT
    wine_display "$screen"
    wine_prefix "$name"
    wine_start
    "$@" || status=$?
    wine_stop
    trap - EXIT
    [ "$status" != 0 ] || rm -rf "$WINEPREFIX"
    return $status
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -eu
    case ${1:-} in
        template)
            wine_display
            trap wine_stop EXIT
            wine_template ;;
        run) shift; wine_run "$@" ;;
        *) echo "usage: harness/wine.sh template | run [--screen WxH] NAME COMMAND..." >&2; exit 2 ;;
    esac
fi
