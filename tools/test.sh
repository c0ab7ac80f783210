#!/usr/bin/env bash
# Builds everything and runs every test: host unit tests (sanitizers), the
# Windows tests under Wine, and the end-to-end tests of the real program.
# Usage: tools/test.sh [CTEST_ARG...]   (no display needed: every Windows
# test makes its own; the arguments go to the Windows tests' ctest)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. harness/wine.sh
wine_install_deps
mkdir -p build

# The template Wine prefix is made while the program builds.
bash harness/wine.sh template >build/wine-template.log 2>&1 &
template=$!
win_build -DBRISVANE_WERROR=ON
wait $template || { cat build/wine-template.log; exit 1; }

# The host build and its tests run beside the Windows tests, which mostly
# wait on Wine; at a lower priority, so that the Windows tests' timing holds.
(
    nice -n 10 cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug -DBRISVANE_WERROR=ON >/dev/null &&
    nice -n 10 cmake --build build/host -j "$(nproc)" &&
    nice -n 10 ctest --test-dir build/host --output-on-failure -j "$(nproc)"
) >build/host-tests.log 2>&1 &
host=$!

status=0
tools/run-windows-tests.sh "$@" || status=$?
host_status=0
wait $host || host_status=$?
echo "Host build and unit tests (build/host-tests.log):"
if [ $host_status = 0 ]; then tail -n 3 build/host-tests.log; else cat build/host-tests.log; status=1; fi
[ $status = 0 ] && echo "All tests passed."
exit $status
