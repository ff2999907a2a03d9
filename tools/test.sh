#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test:
# the native unit tests, a short fuzz run, the 32-bit build, and the
# end-to-end suite of the 64-bit program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

step() { printf '\n=== %s\n' "$*"; }

step "host: portable core and unit tests"
cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host

if [ -x tests/fuzz/run_fuzz.sh ] && [ "${TESSARY_SKIP_FUZZ:-0}" != 1 ]; then
  step "fuzzing (short run)"
  tests/fuzz/run_fuzz.sh
fi

step "win32: the shipping 32-bit program"
cmake --preset win32 >/dev/null
cmake --build --preset win32

step "win64: the program under Wine, end to end"
cmake --preset win64 >/dev/null
cmake --build --preset win64
ctest --preset win64
