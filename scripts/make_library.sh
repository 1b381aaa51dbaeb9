#!/usr/bin/env bash
# Regenerates the sample puzzle library in assets/temi from fixed seeds: eight puzzles of each
# level from `sudoku-cli generate --level`, each written by `sudoku-cli tema make`. They are no
# catalogue puzzles, so their names are not catalogue-style: the game offers the site's pages
# about a puzzle (solution, vote, print) for catalogue names only.
# Usage: scripts/make_library.sh [path/to/sudoku-cli]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cli=${1:-"$root/build/tools/sudoku-cli"}
out="$root/assets/temi"
per_level=8

if [ ! -x "$cli" ]; then
  echo "error: $cli not found; build it first (cmake --build build --target sudoku-cli)" >&2
  exit 1
fi
mkdir -p "$out"
rm -f "$out"/*.tema

declare -A taken=()
number=0
while read -r puzzle level; do
  [ "${taken[$level]:-0}" -lt "$per_level" ] || continue
  taken[$level]=$(( ${taken[$level]:-0} + 1 ))
  number=$((number + 1))
  day=$(( 1 + (number * 7) % 28 ))
  month=$(( 1 + number % 12 ))
  votes=$(( 5 + (number * 13) % 40 ))
  average="$(( 5 + (number * 3) % 5 )),$(( (number * 7) % 10 ))"
  name=$(printf 'esempio-%02d.tema' "$number")
  printf '%s\n' "$puzzle" | "$cli" tema make "$out/$name" \
    --creator Admin --type "Sudoku classico" --level "$level" --average-vote "$average" \
    --voters "$votes" --number "$number" --date "$(printf '%02d-%02d-2026' "$day" "$month")" \
    --seed "$number"
done < <(for level in 1 2 3 4 5; do
  "$cli" generate --count "$per_level" --level "$level" --givens 22 --seed $((2026 + level))
done)

echo "$number puzzle files written to $out"
for level in $(printf '%s\n' "${!taken[@]}" | sort -n); do
  echo "  level $level: ${taken[$level]}"
done
