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
if [[ $display == no ]]; then
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 </dev/null
fi
exec wine "$@"
