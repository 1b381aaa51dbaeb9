#!/usr/bin/env bash
# The site behind HAProxy with the example configuration of deploy/: a page through HTTPS with a
# self-signed certificate, and the site logging the client's address, never the proxy's nor one
# the client made up.
#   behind_tls_proxy.sh SITE_BINARY HAPROXY_CONFIG
set -euo pipefail
site_binary=$1
config=$2
# shellcheck source-path=SCRIPTDIR source=behind_proxy_common.sh
source "$(dirname "$0")/behind_proxy_common.sh"

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=localhost \
  -addext subjectAltName=DNS:localhost -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
cat "$work/cert.pem" "$work/key.pem" >"$work/site.pem"

"$site_binary" --port 0 --db "$work/site.db" --trusted-proxy 127.0.0.1 \
  --public-url https://localhost --log "$work/site.log" >"$work/site.out" 2>&1 &
pids+=($!)
wait_ready site
site_port=$ready_port

proxy_port=$(free_port)
# The example as it is, but for its addresses, its certificate and running unprivileged here.
sed -e "s|bind :443 ssl crt /etc/haproxy/certs/sudoku.pem|bind 127.0.0.1:$proxy_port ssl crt $work/site.pem|" \
  -e "s|server site 127.0.0.1:8642|server site 127.0.0.1:$site_port|" \
  -e '/^ *\(chroot\|user\|group\|daemon\)/d' "$config" >"$work/proxy.cfg"
start_proxy "bind 127.0.0.1:$proxy_port" "server site 127.0.0.1:$site_port"

page=/sudoku/gioco-offline/login.asp
status=""
# Sets status to that of the page through HTTPS, from a client that claims to be another.
get_through_https() {
  status=$(curl -sS -o "$work/page.html" -w '%{http_code}' --max-time 10 --interface 127.0.0.2 \
    --cacert "$work/cert.pem" --resolve "localhost:$proxy_port:127.0.0.1" \
    -H 'X-Forwarded-For: 6.6.6.6' "https://localhost:$proxy_port$page" 2>/dev/null)
}
retry get_through_https || fail "haproxy did not answer through HTTPS"
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
