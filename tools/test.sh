#!/usr/bin/env bash
# Builds everything and runs every test: host unit tests (sanitizers), the
# Windows tests under Wine, and the end-to-end tests of the real program.
# Usage: tools/test.sh   (on a machine without a display it makes its own)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh

jobs=$(nproc)
cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug -DBRISVANE_WERROR=ON >/dev/null
cmake --build build/host -j "$jobs"
ctest --test-dir build/host --output-on-failure

cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake -DCMAKE_BUILD_TYPE=Release \
      -DBRISVANE_WERROR=ON >/dev/null
cmake --build build/win -j "$jobs"

run_windows_tests() {
    export WINEPREFIX="$root/build/win/wineprefix"
    # One Wine server for the whole run saves seconds per test.
    WINEDEBUG=-all wineserver -p 2>/dev/null || true
    local status=0
    ctest --test-dir build/win --output-on-failure "$@" || status=$?
    WINEDEBUG=-all wineserver -k 2>/dev/null || true
    return $status
}

if [ -n "${DISPLAY:-}" ]; then
    run_windows_tests "$@"
else
    export -f run_windows_tests
    export root
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c 'run_windows_tests "$@"' _ "$@"
fi
echo "All tests passed."
