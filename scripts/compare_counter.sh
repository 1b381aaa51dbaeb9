#!/usr/bin/env bash
# Times `sudoku-cli count` against the tdoku timing peer (../shared/peers) on the four benchmark
# sets of ../shared/data, whole process over the same file, and checks that the counts agree.
#   scripts/compare_counter.sh SUDOKU_CLI [RUNS]     (default 10 runs; needs hyperfine)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=$(realpath "$1"); runs=${2:-10}
shared=${SUDOKU_SHARED:-$root/../shared}
[[ -d $shared/data && -d $shared/peers ]] || { echo "no $shared/data or $shared/peers" >&2; exit 1; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
peer=$(bash "$shared/peers/build.sh" "$work" | tail -1)

# The sets: name, file, how many puzzles, limit.
puzzles() {
  awk -v n="$2" '{ sub(/\r$/, "") } length($0) >= 81 && !/^#/ { print; if (++k == n) exit }' "$shared/data/$1"
}
puzzles puzzles3_magictour_top1465.txt 1465 > "$work/top1465.txt"
puzzles puzzles6_forum_hardest_1106.txt 200 > "$work/forum200.txt"
puzzles puzzles2_17_clue.txt 2000 > "$work/clue17.txt"
puzzles derived_sparse_9to16_from17clue.txt 2000 > "$work/sparse.txt"

# hyperfine runs the two commands alternately in each round of warm-up and timing, so that both
# meet the same load; shown are the fastest wall time and the mean CPU time (user + system).
echo "| set | limit | sudoku-cli count: fastest, CPU | tdoku: fastest, CPU | ratio: fastest, CPU |"
echo "|---|---|---|---|---|"
for entry in "top1465 (1,465):top1465:2" "forum hardest, first 200:forum200:2" \
             "17-clue, first 2,000:clue17:2" "sparse (2,000):sparse:60"; do
  IFS=: read -r name set limit <<< "$entry"
  file=$work/$set.txt
  cmp <("$cli" count --limit "$limit" < "$file" | cut -d' ' -f1) \
      <("$peer" "$limit" "$file" print) > /dev/null || { echo "$set: counts differ" >&2; exit 1; }
  hyperfine -w 2 -r "$runs" --export-json "$work/$set.json" \
    "$cli count --limit $limit < $file" "$peer $limit $file" > /dev/null
  python3 - "$name" "$limit" "$work/$set.json" <<'PY'
import json, sys
name, limit, path = sys.argv[1:4]
ours, peer = json.load(open(path))["results"]
cpu = lambda r: r["user"] + r["system"]
print(f"| {name} | {limit} | {ours['min']:.3f} s, {cpu(ours):.3f} s | {peer['min']:.3f} s, "
      f"{cpu(peer):.3f} s | {ours['min'] / peer['min']:.1f}x, {cpu(ours) / cpu(peer):.1f}x |")
PY
done
