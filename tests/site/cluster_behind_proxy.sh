#!/usr/bin/env bash
# Two site processes over one store behind HAProxy with the example configuration of deploy/,
# each started with the command line of the example systemd unit and environment file: pages
# served by both, the client's address seen by each, and no request lost when one process is
# killed and none when it comes back.
#   cluster_behind_proxy.sh SITE_BINARY HAPROXY_CONFIG UNIT_FILE ENV_FILE [STORE]
# STORE is the --db value both processes share (default: a SQLite file in a scratch folder).
set -euo pipefail
site_binary=$(realpath "$1")
config=$2
unit=$3
env_file=$4
# shellcheck source-path=SCRIPTDIR source=behind_proxy_common.sh
source "$(dirname "$0")/behind_proxy_common.sh"
store=${5:-$work/site.db}

# The unit as systemd reads it, but for where the program is.
if command -v systemd-analyze >/dev/null; then
  mkdir "$work/units"
  sed "s|/usr/bin/sudoku-site|$site_binary|" "$unit" >"$work/units/sudoku-site@.service"
  verdict=$(cd "$work/units" && systemd-analyze verify --man=no ./sudoku-site@8701.service 2>&1) ||
    fail "systemd-analyze refuses the unit: $verdict"
  [ -z "$verdict" ] || fail "systemd-analyze warns about the unit: $verdict"
fi

# The unit's command line for a port, with the example's environment (the store and a log file
# of each process put in). ${VAR} and $VAR expand as systemd expands them for values without
# blanks inside a word.
exec_start=$(sed -n 's/^ExecStart=//p' "$unit")
[ -n "$exec_start" ] || fail "the unit has no ExecStart line"
start_site() {  # start_site NAME PORT: starts a process and waits until it is ready
  local name=$1 port=$2
  (
    set -a
    # shellcheck source=/dev/null
    source "$env_file"
    set +a
    SUDOKU_DB=$store
    SUDOKU_OPTIONS="$SUDOKU_OPTIONS --log $work/$name.log"
    eval "set -- ${exec_start//%i/$port}"
    exec "$site_binary" "${@:2}"
  ) >"$work/$name.out" 2>&1 &
  pids+=($!)
  wait_ready "$name"
  [ "$ready_port" = "$port" ] || fail "$name serves port $ready_port, not $port"
}

port1=$(free_port)
port2=$(free_port)
proxy_port=$(free_port)
start_site site1 "$port1"
site1_pid=${pids[-1]}
start_site site2 "$port2"

# The example as it is, but for its addresses, two sites and running unprivileged here (where
# the descriptor limit may be below what its connection limits need).
sed -e "s|^\( *\)bind :80$|\1bind 127.0.0.1:$proxy_port|" -e 's|^\( *maxconn\) [0-9]*$|\1 4000|' \
  -e "s|server site1 127.0.0.1:8701|server site1 127.0.0.1:$port1|" \
  -e "s|server site2 127.0.0.1:8702|server site2 127.0.0.1:$port2|" \
  -e '/server site3 /d' -e '/^ *\(chroot\|user\|group\|daemon\)/d' "$config" >"$work/proxy.cfg"
start_proxy "bind 127.0.0.1:$proxy_port" "server site1 127.0.0.1:$port1" \
  "server site2 127.0.0.1:$port2"

# Status of a GET through the proxy from a client address that claims to be another.
through_proxy() {
  curl -sS -o "$work/page.html" -w '%{http_code}' --max-time 10 --interface 127.0.0.2 \
    -H 'X-Forwarded-For: 6.6.6.6' "http://127.0.0.1:$proxy_port$1" 2>/dev/null || true
}
page=/sudoku/gioco-offline/login.asp
status=""
page_served() {
  status=$(through_proxy $page)
  [ "$status" = 200 ]
}
retry page_served || fail "the page through the proxy answered '$status'"
grep -q '<form' "$work/page.html" || fail "the page through the proxy is not the login page"
[ "$(through_proxy /healthz)" = 404 ] || fail "the health page is open to the public"
[ "$(curl -sS --max-time 10 "http://127.0.0.1:$port1/healthz")" = ok ] ||
  fail "the health page of a site does not say ok"

# Missing pages are logged even by quiet sites: each site must see some, from the client.
missing=/sudoku/gioco-offline/non-esiste.asp
for _ in $(seq 1 8); do
  [ "$(through_proxy $missing)" = 404 ] || fail "a missing page through the proxy was not a 404"
done
for name in site1 site2; do
  grep -q "127.0.0.2 GET $missing 404" "$work/$name.log" || fail "$name did not serve the client"
done
if grep -q '6\.6\.6\.6' "$work"/site*.log; then
  fail "a site believed an address the client made up"
fi

# One process killed: every request still answered, by the other.
kill -KILL "$site1_pid"
wait "$site1_pid" 2>/dev/null || true
for k in $(seq 1 20); do
  status=$(through_proxy $page)
  [ "$status" = 200 ] || fail "request $k after the kill answered '$status'"
done
# Back again: the proxy sends it requests once its health checks pass.
: >"$work/site1.log"
start_site site1 "$port1"
restarted_site_served() {
  [ "$(through_proxy $missing)" = 404 ] || fail "a request after the restart failed"
  grep -q "127.0.0.2 GET $missing 404" "$work/site1.log"
}
retry restarted_site_served || fail "the restarted site got no request within 10 s"
echo "ok: two sites behind haproxy, one killed and restarted without a lost request"
