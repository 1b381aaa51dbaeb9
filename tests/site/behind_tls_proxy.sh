#!/usr/bin/env bash
# The site behind HAProxy with the example configuration of deploy/: a page through HTTPS with a
# self-signed certificate, and the site logging the client's address, never the proxy's nor one
# the client made up.
#   behind_tls_proxy.sh SITE_BINARY HAPROXY_CONFIG
set -euo pipefail
site_binary=$1
config=$2
haproxy=$(command -v haproxy || echo /usr/sbin/haproxy)
[ -x "$haproxy" ] || { echo "haproxy is not installed"; exit 77; }

work=$(mktemp -d)
site_pid="" proxy_pid=""
cleanup() {
  [ -z "$proxy_pid" ] || kill "$proxy_pid" 2>/dev/null || true
  [ -z "$site_pid" ] || kill "$site_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  for f in "$work"/site.out "$work"/site.log "$work"/proxy.out; do
    [ -f "$f" ] && { echo "--- $f"; tail -n 20 "$f"; }
  done
  exit 1
}

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=localhost \
  -addext subjectAltName=DNS:localhost -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
cat "$work/cert.pem" "$work/key.pem" >"$work/site.pem"

"$site_binary" --port 0 --db "$work/site.db" --trusted-proxy 127.0.0.1 \
  --public-url https://localhost --log "$work/site.log" >"$work/site.out" 2>&1 &
site_pid=$!
site_port=""
for _ in $(seq 1 900); do
  site_port=$(sed -n 's|.*ready at http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$work/site.out")
  [ -n "$site_port" ] && break
  kill -0 "$site_pid" 2>/dev/null || fail "the site did not start"
  sleep 0.1
done
[ -n "$site_port" ] || fail "the site was not ready within 90 s"

proxy_port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# The example as it is, but for its addresses, its certificate and running unprivileged here.
sed -e "s|bind :443 ssl crt /etc/haproxy/certs/sudoku.pem|bind 127.0.0.1:$proxy_port ssl crt $work/site.pem|" \
  -e "s|server site 127.0.0.1:8642|server site 127.0.0.1:$site_port|" \
  -e '/^ *\(chroot\|user\|group\|daemon\)/d' "$config" >"$work/proxy.cfg"
grep -q "bind 127.0.0.1:$proxy_port" "$work/proxy.cfg" || fail "the example's bind line changed"
grep -q "server site 127.0.0.1:$site_port" "$work/proxy.cfg" || fail "the example's server line changed"
"$haproxy" -c -q -f "$work/proxy.cfg" || fail "haproxy refuses the configuration"
"$haproxy" -db -f "$work/proxy.cfg" >"$work/proxy.out" 2>&1 &
proxy_pid=$!

page=/sudoku/gioco-offline/login.asp
status=""
for _ in $(seq 1 100); do
  status=$(curl -sS -o "$work/page.html" -w '%{http_code}' --max-time 10 --interface 127.0.0.2 \
    --cacert "$work/cert.pem" --resolve "localhost:$proxy_port:127.0.0.1" \
    -H 'X-Forwarded-For: 6.6.6.6' "https://localhost:$proxy_port$page" 2>/dev/null) && break
  kill -0 "$proxy_pid" 2>/dev/null || fail "haproxy did not start"
  sleep 0.1
done
[ "$status" = 200 ] || fail "the page through HTTPS answered '$status'"
grep -q '<form' "$work/page.html" || fail "the page through HTTPS is not the login page"

# Straight to the site from another address, with a made-up header: the peer is the client.
curl -sS -o /dev/null --max-time 10 --interface 127.0.0.3 -H 'X-Forwarded-For: 7.7.7.7' \
  "http://127.0.0.1:$site_port$page" || fail "the site did not answer directly"

grep -q "127.0.0.2 GET $page 200" "$work/site.log" || fail "the site did not see the client's address"
grep -q "127.0.0.3 GET $page 200" "$work/site.log" || fail "the site did not log a direct client"
if grep -q -e '6\.6\.6\.6' -e '7\.7\.7\.7' "$work/site.log"; then
  fail "the site believed an address the client made up"
fi
echo "ok: HTTPS through haproxy, the client's address seen by the site"
