#!/usr/bin/env bash
# Builds the site in Release and runs the load and abuse script against it (see site_load.py):
#   scripts/site_load.sh [--players N] [--seconds S] [--abuse-players N] [--abuse-seconds S]
#   scripts/site_load.sh --cluster [--players N] [--seconds S] [--db STORE]
# Prints a table and exits non-zero when a goal is missed. Not part of ./test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source scripts/ensure_packages.sh
ensure_packages "${SUDOKU_BUILD_PACKAGES[@]}" python3

build=${SUDOKU_LOAD_BUILD_DIR:-build-release}
# -O2 rather than -O3: GCC 12 warns wrongly (-Wrestrict) about a string insert at -O3.
cmake -S . -B "$build" -G Ninja -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DCMAKE_BUILD_TYPE=Release \
  "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" >/dev/null
nice -n 10 cmake --build "$build" -j 2 --target sudoku-site >/dev/null
exec python3 scripts/site_load.py "$build/site/sudoku-site" "$@"
