#!/usr/bin/env bash
# Builds kepa and starts it. Where there is a display it simply runs there. Where there is
# none, it shows the program working on a private X server with a window manager and tray
# host (icewm): it opens the tray menu, shows the version splash, saves a screenshot of each
# and prints their paths, then ends the program and everything it started.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/install-deps.sh run
cmake --preset default >/dev/null
cmake --build --preset default --target kepa
kepa="$root/build/default/app/kepa"

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  exec "$kepa" "$@"
fi

out=$(mktemp -d /tmp/kepa-run-XXXXXX)
mkdir -p "$out/home"
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
}
trap cleanup EXIT

# -displayfd picks a free display number and writes it to the given descriptor.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" 2>"$out/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [[ -s "$out/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$out/display")" HOME="$out/home"
echo "Private X server on $DISPLAY"

icewm >"$out/icewm.log" 2>&1 &
pids+=($!)
"$kepa" >"$out/kepa.log" 2>&1 &
kepa_pid=$!
pids+=("$kepa_pid")

# The docked icon is the program's first visible window.
icon=$(timeout 30 xdotool search --sync --onlyvisible --pid "$kepa_pid" | head -n1)
eval "$(xdotool getwindowgeometry --shell "$icon")"
visible() { xdotool search --onlyvisible --pid "$kepa_pid" 2>/dev/null | wc -l; }
wait_for() { for _ in $(seq 100); do [ "$(visible)" "$1" "$2" ] && return 0; sleep 0.1; done; return 1; }

# A right press on the icon opens the tray menu.
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) mousedown 3
wait_for -ge 2
sleep 0.5
import -window root "$out/kepa-tray-menu.png"
xdotool mouseup 3

# "バ－ジョン情報" shows the splash for 2.5 seconds.
xdotool key Down Down Return
wait_for -ge 2
sleep 0.5
import -window root "$out/kepa-splash.png"
wait_for -le 1

# "ＫＥＰＡＫＥＰＡの終了" ends the program and takes its icon away.
xdotool mousedown 3
wait_for -ge 2
xdotool mouseup 3 key Up Return
status=0
wait "$kepa_pid" || status=$?
echo "kepa ran on a private X server and ended with status $status. Screenshots:"
echo "  $out/kepa-tray-menu.png"
echo "  $out/kepa-splash.png"
exit "$status"
