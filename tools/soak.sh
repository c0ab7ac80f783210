#!/usr/bin/env bash
# Soaks Brisvane under Wine: tools/soak.sh [seconds] (default 600) runs the
# end-to-end soak (tests/e2e/soak_test.sh, which CI runs for 35 s) for that
# long in a prefix of its own. Prints its figures; exits non-zero on failure.
# As root: the battery is simulated.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/install-deps.sh
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j 2 --target Brisvane CBT e2e_driver >/dev/null

export WINEPREFIX="$root/build/soak/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
export E2E_WORK="$root/build/soak" SOAK_SECONDS=${1:-600}
tools/prepare-wineprefix.sh
bin=build/win/bin
wineserver -p 2>/dev/null || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
status=0
if [ -n "${DISPLAY:-}" ]; then
    bash tests/e2e/soak_test.sh "$bin/Brisvane.exe" "$bin/CBT.dll" "$bin/e2e_driver.exe" || status=$?
else
    xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash tests/e2e/soak_test.sh "$bin/Brisvane.exe" "$bin/CBT.dll" "$bin/e2e_driver.exe" || status=$?
fi
wineserver -k 2>/dev/null || true
[ "$status" = 0 ] && echo "soak passed" || echo "soak FAILED"
exit $status
