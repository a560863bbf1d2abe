#!/usr/bin/env bash
# Measures kepa's processor time and memory at rest and over long use (about five minutes):
# see tools/soak/kepa_soak.cpp. It prints figures and judges nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/build-targets.sh kepa kepa_soak kepa_minimal_tray
exec "$root/build/default/tools/soak/kepa_soak" "$root/build/default/frontends/qt/kepa" \
  "$root/build/default/tools/soak/kepa_minimal_tray"
