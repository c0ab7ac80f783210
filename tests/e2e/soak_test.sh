#!/usr/bin/env bash
# The soak of tools/soak.sh (its checks: still running, as many kernel
# handles and windows as after the first round, the settings written) for
# SOAK_SECONDS, 35 by default, in this test's own prefix.
WINE_NAME=soak_test exec bash "$(dirname "$0")/../../tools/soak.sh" "${SOAK_SECONDS:-35}" "$@"
