#!/usr/bin/env bash
# Runs a Windows program under wine in a prefix of its own: run.sh PREFIX PROGRAM [ARGS...].
# wineboot makes the prefix on first use and starts wine's server and services apart from the
# program, so that none of them holds the program's output open after it ends.
set -euo pipefail
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
shift
mkdir -p "$WINEPREFIX"
wineboot >/dev/null 2>&1 </dev/null || true
exec wine "$@"
