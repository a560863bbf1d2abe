#!/usr/bin/env bash
# Installs what is missing, configures the default preset and builds the targets named.
#
# usage: build-targets.sh TARGET...
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target "$@"
