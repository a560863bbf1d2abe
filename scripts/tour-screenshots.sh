#!/usr/bin/env bash
# Regenerates the README's pictures: runs the headless tour and copies a few of its
# screenshots into docs/screenshots.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/build-targets.sh kepa kepa_tour
out=$(mktemp -d /tmp/kepa-tour-XXXXXX)
"$root/build/default/tools/tour/kepa_tour" "$root/build/default/frontends/qt/kepa" "$out"
mkdir -p docs/screenshots
for shot in 01-tray-menu 05-clipping-menu 09-dragging 11-magnifier 12-save-dialog; do
  cp "$out/$shot.png" docs/screenshots/
done
echo "docs/screenshots updated from $out"
