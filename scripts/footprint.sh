#!/usr/bin/env bash
# Measures what the game weighs and how soon it and the site answer, from a Release build:
#   scripts/footprint.sh [BUILD_DIR] [RUNS]   (default build-release, 3 runs of each game state)
# Prints one table: the game offline and connected (PSS summed over the game and every process
# it started, and their number), the site's first start on an empty database, the first window.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build-release}" && pwd)"
runs="${2:-3}"
probe="$build/tests/e2e/footprint_probe"
site_bin="$build/site/sudoku-site"
for program in "$probe" "$site_bin"; do
  [ -x "$program" ] || { echo "footprint: $program is missing; build it first" >&2; exit 2; }
done
# The game needs a display: a virtual one unless one is there.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$runs"
fi
unset QT_QPA_PLATFORM

work="$(mktemp -d)"
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

now_ns() { date +%s%N; }

# The process and all its descendants, one PID a line.
tree() {
  echo "$1"
  local child
  for child in $(cat /proc/"$1"/task/*/children 2>/dev/null); do tree "$child"; done
}

# "PSS_KIB COUNT" of a process tree.
weigh() {
  local total=0 count=0 pid pss
  for pid in $(tree "$1"); do
    pss=$(awk '/^Pss:/ {print $2}' /proc/"$pid"/smaps_rollup 2>/dev/null || true)
    [ -n "$pss" ] || continue
    total=$((total + pss))
    count=$((count + 1))
  done
  echo "$total $count"
}

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

# Waits (bounded, seconds) until the file holds a line matching the pattern.
await_line() {
  local file="$1" pattern="$2" limit="$3" waited=0
  until grep -q "$pattern" "$file" 2>/dev/null; do
    sleep 0.05
    waited=$((waited + 1))
    [ "$waited" -lt $((limit * 20)) ] || return 1
  done
}

# The site's first start: from launch until the login page answers.
site_out="$work/site.out"
start=$(now_ns)
"$site_bin" --port 0 --db "$work/site.db" --auto-confirm --dev-outbox --light-hashing \
  >"$site_out" 2>&1 &
started+=($!)
await_line "$site_out" "ready at" 120 || { cat "$site_out" >&2; exit 1; }
site=$(grep -o 'http://[0-9.]*:[0-9]*' "$site_out" | head -1)
until curl -sf -o /dev/null "$site/sudoku/gioco-offline/login.asp"; do sleep 0.02; done
site_ms=$((($(now_ns) - start) / 1000000))
# A site that makes its catalogue before it answers says nothing more.
catalogue_ms=$site_ms
if grep -qa "catalogue complete" "$site_bin"; then
  await_line "$site_out" "catalogue complete" 300 || { cat "$site_out" >&2; exit 1; }
  catalogue_ms=$((($(now_ns) - start) / 1000000))
fi

# One run of the game in a state: "WINDOW_MS PSS_KIB COUNT".
measure() {
  local state="$1" out="$work/probe-$1.out" begin pid window
  begin=$(now_ns)
  "$probe" "$state" "$site" "misura$RANDOM" >"$out" 2>"$work/probe-$state.err" &
  local probe_pid=$!
  started+=("$probe_pid")
  if ! await_line "$out" "^ready" 180; then
    echo "footprint: the $state game did not get ready" >&2
    cat "$out" "$work/probe-$state.err" >&2
    exit 1
  fi
  pid=$(awk '/^ready/ {print $2}' "$out")
  window=$(awk '/^window/ {print $2}' "$out")
  echo "$(((window - begin) / 1000000)) $(weigh "$pid")"
  for p in $(tree "$pid" | tac); do kill "$p" 2>/dev/null || true; done
  wait "$probe_pid" 2>/dev/null || true
}

declare -A pss count window
for state in offline connected; do
  : >"$work/$state.runs"
  for ((i = 0; i < runs; i++)); do measure "$state" >>"$work/$state.runs"; done
  window[$state]=$(awk '{print $1}' "$work/$state.runs" | median)
  pss[$state]=$(awk '{print $2}' "$work/$state.runs" | median)
  count[$state]=$(awk '{print $3}' "$work/$state.runs" | median)
done

mib() { awk -v k="$1" 'BEGIN {printf "%.0f", k / 1024}'; }
echo "| state | measured |"
echo "|---|---|"
weight() { echo "$(mib "${pss[$1]}") MiB in ${count[$1]} processes"; }
echo "| offline, after \"No\" at the connect question | $(weight offline) |"
echo "| connected, registered login, catalogue shown | $(weight connected) |"
echo "| the site's first start (empty database) until the login page answers | ${site_ms} ms |"
echo "| the site's first start until its catalogue is complete | ${catalogue_ms} ms |"
echo "| time to the first window (offline start) | ${window[offline]} ms |"
echo
for state in offline connected; do
  echo "$state runs (first window ms, PSS KiB, processes): $(paste -sd';' "$work/$state.runs")"
done
echo "PSS from /proc/PID/smaps_rollup summed over the game and its descendants, median of"
echo "$runs runs; $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)."
