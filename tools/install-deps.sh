#!/usr/bin/env bash
# Installs what building and testing need on Debian, if it is missing.
set -eu
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for pkg in cmake g++ make python3 g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb xauth xdotool x11-utils x11-apps \
           imagemagick fonts-wqy-microhei zip; do
    have "$pkg" || need+=("$pkg")
done
[ -d /usr/src/googletest ] || need+=(googletest)
[ ${#need[@]} -eq 0 ] && exit 0

SUDO=
[ "$(id -u)" = 0 ] || SUDO=sudo
echo "Installing: ${need[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
