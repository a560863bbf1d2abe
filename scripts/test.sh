#!/usr/bin/env bash
# Builds kepa and runs every test: installs the Debian packages it needs, builds the default
# configuration and runs the whole CTest suite (unit, forms, end-to-end and a short run of
# each benchmark), then builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# the unit and forms suites under them, and last builds the program and the unit tests with
# clang and runs those. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/install-deps.sh

jobs=$(nproc)
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --preset asan

cmake --preset clang
cmake --build --preset clang -j "$jobs"
ctest --preset clang
echo "All tests passed."
