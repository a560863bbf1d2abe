#!/usr/bin/env bash
# Builds kepa and runs every test: installs the Debian packages it needs, builds the default
# configuration and runs the whole CTest suite (unit, forms, the Qt front end's, end-to-end, the
# package check and a short run of each benchmark); builds the code that needs no Qt without
# Qt (which that configuration does not even look for) and runs its unit and forms tests;
# cross-builds kepa.exe for Windows and runs its tests, installer and end-to-end run under wine;
# builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs the unit, forms and Qt
# suites under them; and last builds the program and the unit and forms tests with clang and
# runs those. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

./scripts/install-deps.sh

jobs=$(nproc)
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default

cmake --preset core
cmake --build --preset core -j "$jobs"
ctest --preset core

# kepa.exe and its packages, cross-built; its tests under wine (the end-to-end one driven by
# the default build's X driver).
cmake --preset win32
cmake --build --preset win32 -j "$jobs"
ctest --preset win32

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --preset asan

cmake --preset clang
cmake --build --preset clang -j "$jobs"
ctest --preset clang
echo "All tests passed."
