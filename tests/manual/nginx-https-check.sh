#!/usr/bin/env bash
# Compares check-update with curl against nginx serving https on loopback, with a test
# certificate authority put into the system's trust store for the run and taken out again.
# Changes the machine's trust store while it runs, so it is not part of test.sh; run as root:
#   tests/manual/nginx-https-check.sh [CLI]     (CLI: build/app/affiliate-vantor-cli)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cli=$(realpath "${1:-$root/build/app/affiliate-vantor-cli}")
command -v nginx >/dev/null || apt-get install -y -qq nginx-light >/dev/null

work=$(mktemp -d)
chmod 755 "$work" # nginx's workers read the files as another user
anchor=/usr/local/share/ca-certificates/vantor-nginx-check.crt
bundle=/etc/ssl/certs/ca-certificates.crt
cp "$bundle" "$work/bundle.before"
cleanup() {
    [ -f "$work/nginx.pid" ] && kill "$(cat "$work/nginx.pid")" 2>/dev/null || true
    rm -f "$anchor"
    update-ca-certificates >/dev/null 2>&1
    cmp -s "$bundle" "$work/bundle.before" && echo "The trust store is as it was." ||
        echo "The trust store differs from before the check!" >&2
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work"

# The authority, and certificates signed by it (or by themselves) through `openssl ca`, which
# can date a certificate in the past.
mkdir -p ca && touch ca/index.txt && echo 1000 >ca/serial
cat >ca.cnf <<'CNF'
[ca]
default_ca = test
[test]
dir = ca
database = ca/index.txt
serial = ca/serial
new_certs_dir = ca
default_md = sha256
policy = any
unique_subject = no
copy_extensions = copy
[any]
commonName = supplied
[server]
basicConstraints = critical,CA:FALSE
extendedKeyUsage = serverAuth
subjectAltName = $ENV::SAN
CNF
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.crt -days 3650 \
    -subj "/CN=Vantor nginx check CA" 2>/dev/null
server_cert() { # NAME SAN [START END]
    openssl req -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.csr" -subj "/CN=$1" 2>/dev/null
    SAN=$2 openssl ca -batch -config ca.cnf -extensions server -cert ca.crt -keyfile ca.key \
        -in "$1.csr" -out "$1.crt" -startdate "${3:-20250101000000Z}" \
        -enddate "${4:-20350101000000Z}" 2>/dev/null
}
server_cert valid DNS:localhost
server_cert other DNS:other.example
server_cert expired DNS:localhost 20200101000000Z 20200201000000Z
openssl req -x509 -newkey rsa:2048 -nodes -keyout self.key -out self.crt -days 3650 \
    -subj "/CN=localhost" -addext "subjectAltName=DNS:localhost" 2>/dev/null
cp ca.crt "$anchor"
update-ca-certificates >/dev/null 2>&1

mkdir -p www/live www/plain
printf '[APPLICATION]\r\nName=Affiliate Vantor\r\nVersion=1.02\r\n' >www/live/mainappupdate.inf
printf '[APPLICATION]\r\nVersion=9.99\r\n' >www/plain/mainappupdate.inf
tls() { # PORT CERT [PROTOCOLS]
    echo "server { listen 127.0.0.1:$1 ssl; ssl_certificate $work/$2.crt;
        ssl_certificate_key $work/$2.key; ssl_protocols ${3:-TLSv1.2 TLSv1.3};
        ssl_ciphers DEFAULT:@SECLEVEL=0; root $work/www;
        rewrite ^/down/(.*)$ http://localhost:18080/plain/\$1 permanent; }"
}
cat >nginx.conf <<CONF
pid $work/nginx.pid;
error_log $work/error.log;
events {}
http {
    access_log off;
    server { listen 127.0.0.1:18080; root $work/www;
             rewrite ^/up/(.*)$ https://localhost:18443/live/\$1 permanent; }
    $(tls 18443 valid)
    $(tls 18444 other)
    $(tls 18445 expired)
    $(tls 18446 self)
    $(tls 18447 valid TLSv1)
}
CONF
nginx -c "$work/nginx.conf"
sleep 0.5

check() { # WHAT BASE
    local base=$2 ours theirs
    ours=$("$cli" check-update --app-dir "$work" --url "$base" 2>&1 || true)
    theirs=$(curl -sS -L --proto-redir =https -o /dev/null -w '%{http_code}' \
        "${base}mainappupdate.inf" 2>&1 | head -1 || true)
    printf '%s\n    check-update: %s\n    curl:         %s\n' "$1" "$ours" "$theirs"
}
check "valid chain" https://localhost:18443/live/
check "http -> https redirect" http://localhost:18080/up/
check "https -> http downgrade" https://localhost:18443/down/
check "another host's certificate" https://localhost:18444/live/
check "expired" https://localhost:18445/live/
check "self-signed" https://localhost:18446/live/
check "TLS 1.0 only" https://localhost:18447/live/
check "plain http" http://localhost:18080/live/
