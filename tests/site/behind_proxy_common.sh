# shellcheck shell=bash
# What the scripts that run the site behind HAProxy share: a scratch folder $work removed at exit
# with every process listed in pids, failure with the tails of the logs, free ports, readiness.
# Sourced after `set -euo pipefail`; exits with 77 (skipped) when haproxy is not installed.
haproxy=$(command -v haproxy || echo /usr/sbin/haproxy)
[ -x "$haproxy" ] || { echo "haproxy is not installed"; exit 77; }

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  for f in "$work"/*.out "$work"/*.log; do
    [ -f "$f" ] && { echo "--- $f"; tail -n 20 "$f"; }
  done
  exit 1
}
free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# retry COMMAND...: runs the command until it succeeds, ten times a second for at most 10 s.
retry() {
  for _ in $(seq 1 100); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# wait_ready NAME: waits until the site whose output is $work/NAME.out, the last of pids, says it
# is ready, and sets ready_port to the port it serves.
wait_ready() {
  ready_port=""
  for _ in $(seq 1 900); do
    ready_port=$(sed -n 's|.*ready at http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$work/$1.out")
    [ -n "$ready_port" ] && return 0
    kill -0 "${pids[-1]}" 2>/dev/null || fail "$1 did not start"
    sleep 0.1
  done
  fail "$1 was not ready within 90 s"
}

# start_proxy LINE...: runs haproxy on $work/proxy.cfg, the example made to run unprivileged here,
# once it holds each line the test put in and haproxy accepts it.
start_proxy() {
  for line in "$@"; do
    grep -q "$line" "$work/proxy.cfg" || fail "the example's line for '$line' changed"
  done
  "$haproxy" -c -q -f "$work/proxy.cfg" || fail "haproxy refuses the configuration"
  "$haproxy" -db -f "$work/proxy.cfg" >"$work/proxy.out" 2>&1 &
  pids+=($!)
}
