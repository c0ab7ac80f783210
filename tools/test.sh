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

if [ -n "${DISPLAY:-}" ]; then
    tools/run-windows-tests.sh "$@"
else
    xvfb-run -a -s "-screen 0 1280x1024x24" tools/run-windows-tests.sh "$@"
fi
echo "All tests passed."
