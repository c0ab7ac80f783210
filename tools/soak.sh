#!/usr/bin/env bash
# Soaks Brisvane under Wine: tools/soak.sh [seconds] (default 600) runs the
# end-to-end soak (tests/e2e/soak_test.sh, which CI runs for 35 s) for that
# long in a prefix of its own. Prints its figures; exits non-zero on failure.
# As root: the battery is simulated.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/wine.sh
wine_install_deps
win_build -- Brisvane CBT e2e_driver >/dev/null
bin=$WIN_BUILD/bin
export E2E_WORK=$root/build/soak WINE_NAME=soak SOAK_SECONDS=${1:-600}
status=0
bash tests/e2e/soak_test.sh "$bin/Brisvane.exe" "$bin/CBT.dll" "$bin/e2e_driver.exe" || status=$?
[ "$status" = 0 ] && echo "soak passed" || echo "soak FAILED"
exit $status
