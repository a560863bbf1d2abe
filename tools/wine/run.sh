#!/usr/bin/env bash
# Runs a Windows program under wine in a prefix of its own: run.sh [--no-display] PREFIX
# PROGRAM [ARGS...]. wineboot makes the prefix on first use and starts wine's server and
# services apart from the program, so that none of them holds the program's output open after
# it ends. With --no-display the prefix uses wine's null graphics driver: windows are made and
# get their messages, and no X server is needed or touched.
set -euo pipefail
display=yes
if [[ ${1:-} == --no-display ]]; then
  display=no
  shift
fi
mkdir -p "$1"
# Wine takes only an absolute prefix.
WINEPREFIX=$(cd "$1" && pwd)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
shift
if [[ $display == no ]]; then
  unset DISPLAY WAYLAND_DISPLAY
fi
wineboot >/dev/null 2>&1 </dev/null || true
if [[ $display == no ]] &&
  ! wine reg query 'HKCU\Software\Wine\Drivers' /v Graphics 2>/dev/null </dev/null | grep -q null; then
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 </dev/null
  # The desktop that wineboot started has no driver: it starts again with the null one.
  wineserver -k || true
  wineboot >/dev/null 2>&1 </dev/null || true
fi
exec wine "$@"
