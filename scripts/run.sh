#!/usr/bin/env bash
# Builds kepa and starts it. Where there is a display it simply runs there. Where there is
# none, it shows the program working on a private X server with a window manager and tray
# host (icewm): it opens the tray menu, shows the version splash, saves a screenshot of each
# and prints their paths, then ends the program and everything it started.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target kepa kepa_tour
kepa="$root/build/default/app/kepa"

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  exec "$kepa" "$@"
fi

# No display: the tour runs kepa on a private X server and leaves its screenshots here.
exec "$root/build/default/tools/tour/kepa_tour" "$kepa" "$(mktemp -d /tmp/kepa-run-XXXXXX)"
