#!/usr/bin/env bash
# Builds kepa and starts it. Where there is a display it simply runs there. Where there is
# none, it shows the program working on a private X server with a window manager and tray
# host (icewm): a tour through every feature with real X input, a screenshot of every step and
# the saved BMP written into one folder whose files it lists, then the program and everything
# it started ended.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/build-targets.sh kepa kepa_tour
kepa="$root/build/default/frontends/qt/kepa"

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  exec "$kepa" "$@"
fi

# No display: the tour runs kepa on a private X server and leaves its screenshots here.
exec "$root/build/default/tools/tour/kepa_tour" "$kepa" "$(mktemp -d /tmp/kepa-run-XXXXXX)"
